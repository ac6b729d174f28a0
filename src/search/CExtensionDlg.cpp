#include "search/CExtensionDlg.h"

#include "platform/Dialogs.h"
#include "search/ExtensionList.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace wabunko {
namespace {

ExtensionDialogHook& extensionDialogHook() {
  static ExtensionDialogHook hook;
  return hook;
}

QString problemText(ExtensionProblem problem) {
  switch (problem) {
    case ExtensionProblem::ContainsSlash:
      return QStringLiteral("拡張子に / は使えません。");
    case ExtensionProblem::TooLong:
      return QStringLiteral("拡張子は %1 バイトまでです。").arg(kMaxExtensionBytes);
  }
  return {};
}

}  // namespace

CExtensionDlg::CExtensionDlg(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral("ﾀﾞｲｱﾛｸﾞ"));
  edit_->setObjectName(QStringLiteral("extensionEdit"));
  auto* label = new QLabel(QStringLiteral("拡張子 ： "), this);
  label->setBuddy(edit_);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(edit_);
  QDialogButtonBox* buttons = okCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

QString CExtensionDlg::extension() const { return edit_->text(); }

void CExtensionDlg::accept() {
  if (const auto problem = checkExtension(extension().toStdString())) {
    showMessage(this, {problemText(*problem), QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Ok});
    edit_->setFocus(Qt::OtherFocusReason);
    edit_->selectAll();
    return;
  }
  QDialog::accept();
}

void CExtensionDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edit_->setFocus(Qt::OtherFocusReason);
}

std::optional<QString> runExtensionDialog(QWidget* parent) {
  CExtensionDlg dialog(parent);
  const bool accepted = execOrHook(dialog, extensionDialogHook());
  if (!accepted) return std::nullopt;
  return dialog.extension();
}

void setExtensionDialogHook(ExtensionDialogHook hook) { extensionDialogHook() = std::move(hook); }

}  // namespace wabunko
