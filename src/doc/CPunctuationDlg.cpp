#include "CPunctuationDlg.h"

#include "platform/Dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wabunko {
namespace {

// A group box of radio buttons, each standing for a value; the first is checked.
QButtonGroup* choices(QWidget* parent, QVBoxLayout* into, const QString& title,
                      std::initializer_list<std::pair<const char*, int>> buttons) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  for (const auto& [text, value] : buttons) {
    auto* button = new QRadioButton(QString::fromUtf8(text), box);
    group->addButton(button, value);
    layout->addWidget(button);
  }
  group->buttons().constFirst()->setChecked(true);
  into->addWidget(box);
  return group;
}

}  // namespace

CPunctuationDlg::CPunctuationDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("句読点の変換"));
  auto* layout = new QVBoxLayout(this);
  comma_ = choices(this, layout, QStringLiteral("読点"), {{"，を、に変換", 1}, {"、を，に変換", 0}});
  period_ = choices(this, layout, QStringLiteral("句点"), {{"．を。に変換", 1}, {"。を．に変換", 0}});
  width_ = choices(this, layout, QStringLiteral("変換の内容"),
                   {{"全角文字に変換", 1}, {"半角文字に変換", -1}, {"元の文字の型に変換", 0}});
  QDialogButtonBox* buttons = okCancelButtons(this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("開始"));
  layout->addWidget(buttons);
}

void CPunctuationDlg::accept() {
  m_nComma = comma_->checkedId();
  m_nPeriod = period_->checkedId();
  m_nWidth = width_->checkedId();
  QDialog::accept();
}

}  // namespace wabunko
