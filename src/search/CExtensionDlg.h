#pragma once
// "ﾀﾞｲｱﾛｸﾞ": asks for one file extension for find in files. "OK" refuses an extension the
// list cannot keep (one holding "/" or longer than the list allows) and keeps the dialog
// open for a correction. Like the other dialogs it can be answered by a hook, which
// drives the real dialog.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;

namespace wabunko {

class CExtensionDlg : public QDialog {
  Q_OBJECT
public:
  explicit CExtensionDlg(QWidget* parent = nullptr);

  // The extension as typed: without a dot in front unless one was typed.
  QString extension() const;
  QLineEdit* extensionEdit() const { return edit_; }

  void accept() override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  QLineEdit* edit_;
};

// The extension typed, or nothing when the user cancels.
std::optional<QString> runExtensionDialog(QWidget* parent);
// Drives the dialog in place of a user; returns whether it was accepted.
using ExtensionDialogHook = std::function<bool(CExtensionDlg&)>;
void setExtensionDialogHook(ExtensionDialogHook hook);

}  // namespace wabunko
