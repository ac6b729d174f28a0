#pragma once
// Message boxes and file dialogs, called through one place so that tests can answer them
// instead of a user (each has a hook that, when set, replaces the real dialog).

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace wabunko {

// Runs `dialog` modally, or, when a test has set `hook`, lets the hook drive it instead;
// whether it was accepted.
template <typename Dialog>
bool execOrHook(Dialog& dialog, const std::function<bool(Dialog&)>& hook) {
  return hook ? hook(dialog) : dialog.exec() == QDialog::Accepted;
}

// "OK" and "ｷｬﾝｾﾙ" for `dialog`: they accept and reject it.
QDialogButtonBox* okCancelButtons(QDialog* dialog, Qt::Orientation orientation = Qt::Horizontal);

struct MessageRequest {
  QString text;
  QString caption;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
};

// Shows a modal message box and returns the button pressed.
QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request);
using MessageHook = std::function<QMessageBox::StandardButton(const MessageRequest&)>;
void setMessageHook(MessageHook hook);

struct FileDialogRequest {
  bool save = false;
  QString caption;
  QString initialPath;     // a folder, or a file name to start with
  QStringList filters;     // Qt filter strings, e.g. "Text (*.txt)"
  int selectedFilter = 0;  // index into filters
};

struct FileDialogResult {
  QString path;
  int filter = 0;  // index of the filter in use when the user pressed OK
};

// Runs a (non-native) file dialog; nothing when the user cancels.
std::optional<FileDialogResult> runFileDialog(QWidget* parent, const FileDialogRequest& request);
using FileDialogHook = std::function<std::optional<FileDialogResult>(const FileDialogRequest&)>;
void setFileDialogHook(FileDialogHook hook);

}  // namespace wabunko
