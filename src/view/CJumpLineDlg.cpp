#include "view/CJumpLineDlg.h"

#include "platform/Dialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wabunko {
namespace {

JumpLineDialogHook& jumpLineDialogHook() {
  static JumpLineDialogHook hook;
  return hook;
}

// A signed decimal number, spaces around it allowed; anything else, or a number too large
// to hold, reads 0.
int lineNumberOf(const QString& text) {
  bool ok = false;
  const int number = text.trimmed().toInt(&ok, 10);
  return ok ? number : 0;
}

}  // namespace

CJumpLineDlg::CJumpLineDlg(QWidget* parent) : QDialog(parent), number_(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral("行指定でｼﾞｬﾝﾌﾟ"));
  number_->setObjectName(QStringLiteral("lineEdit"));
  auto* label = new QLabel(QStringLiteral("行目"), this);
  label->setBuddy(number_);
  number_->setAccessibleName(label->text());
  connect(number_, &QLineEdit::textChanged, this, [this](const QString& text) { m_nLine = lineNumberOf(text); });

  auto* row = new QHBoxLayout;
  row->addWidget(number_);
  row->addWidget(label);
  QDialogButtonBox* buttons = okCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

void CJumpLineDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The number is typed at once, whatever would take the focus first.
  number_->setFocus(Qt::OtherFocusReason);
}

std::optional<int> runJumpLineDialog(QWidget* parent) {
  if (jumpLineDialogHook()) return jumpLineDialogHook()();
  CJumpLineDlg dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.m_nLine;
}

void setJumpLineDialogHook(JumpLineDialogHook hook) { jumpLineDialogHook() = std::move(hook); }

}  // namespace wabunko
