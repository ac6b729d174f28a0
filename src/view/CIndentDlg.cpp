#include "view/CIndentDlg.h"

#include "platform/Dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wabunko {
namespace {

IndentDialogHook& indentDialogHook() {
  static IndentDialogHook hook;
  return hook;
}

}  // namespace

CIndentDlg::CIndentDlg(const IndentFields& fields, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("ｲﾝﾃﾞﾝﾄの設定"));
  struct Row {
    const char* label;
    const char* objectName;
    int value;
    int* field;
  };
  const Row rows[] = {{"左ｲﾝﾃﾞﾝﾄ", "leftEdit", fields.left, &m_nLeft},
                      {"右ｲﾝﾃﾞﾝﾄ", "rightEdit", fields.right, &m_nRight},
                      {"最初の行", "firstEdit", fields.first, &m_nFirst}};
  auto* grid = new QGridLayout;
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromUtf8(rows[i].label), this);
    QLineEdit* edit = addField(label->text(), rows[i].value, *rows[i].field);
    edit->setObjectName(QString::fromLatin1(rows[i].objectName));
    label->setBuddy(edit);
    grid->addWidget(label, i, 0);
    grid->addWidget(edit, i, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), i, 2);
  }
  QDialogButtonBox* buttons = okCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

QLineEdit* CIndentDlg::addField(const QString& label, int value, int& field) {
  auto* edit = new QLineEdit(QString::number(value), this);
  edit->setAccessibleName(label);
  // Only whole millimetres within the settings' bounds can be typed; what is left while
  // typing ("", "-") counts 0.
  const int bound = settings::kMaxParagraphMillimetres;
  edit->setValidator(new QIntValidator(-bound, bound, edit));
  field = value;
  connect(edit, &QLineEdit::textChanged, this,
          [&field](const QString& text) { field = indentFieldValue(text.toStdString()); });
  return edit;
}

std::optional<IndentFields> runIndentDialog(QWidget* parent, const IndentFields& fields) {
  CIndentDlg dialog(fields, parent);
  const bool accepted = execOrHook(dialog, indentDialogHook());
  if (!accepted) return std::nullopt;
  return dialog.fields();
}

void setIndentDialogHook(IndentDialogHook hook) { indentDialogHook() = std::move(hook); }

}  // namespace wabunko
