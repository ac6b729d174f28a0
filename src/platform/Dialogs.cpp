#include "Dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QFileInfo>

namespace wabunko {
namespace {
MessageHook& messageHook() {
  static MessageHook hook;
  return hook;
}
FileDialogHook& fileDialogHook() {
  static FileDialogHook hook;
  return hook;
}
}  // namespace

QDialogButtonBox* okCancelButtons(QDialog* dialog, Qt::Orientation orientation) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, orientation, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request) {
  if (messageHook()) return messageHook()(request);
  QMessageBox box(request.icon, request.caption, request.text, request.buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void setMessageHook(MessageHook hook) { messageHook() = std::move(hook); }

std::optional<FileDialogResult> runFileDialog(QWidget* parent, const FileDialogRequest& request) {
  if (fileDialogHook()) return fileDialogHook()(request);
  QFileDialog dialog(parent, request.caption);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters(request.filters);
  if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
    dialog.selectNameFilter(request.filters.at(request.selectedFilter));
  const QFileInfo start(request.initialPath);
  if (!request.initialPath.isEmpty()) {
    if (start.isDir()) {
      dialog.setDirectory(start.absoluteFilePath());
    } else {
      if (start.dir().exists()) dialog.setDirectory(start.absolutePath());
      dialog.selectFile(start.fileName());
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FileDialogResult{dialog.selectedFiles().constFirst(),
                          static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter()))};
}

void setFileDialogHook(FileDialogHook hook) { fileDialogHook() = std::move(hook); }

}  // namespace wabunko
