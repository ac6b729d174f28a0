#include "CReopenDlg.h"

#include "platform/Dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wabunko {
namespace {

ReopenDialogHook& reopenDialogHook() {
  static ReopenDialogHook hook;
  return hook;
}

}  // namespace

CReopenDlg::CReopenDlg(CharCode current, QWidget* parent) : QDialog(parent), codes_(new QButtonGroup(this)) {
  setWindowTitle(QStringLiteral("コードを変更して再読み込み"));
  auto* layout = new QVBoxLayout(this);
  // In CharCode order, so a button's id is its code.
  const QString labels[] = {QStringLiteral("Shift-JIS"), QStringLiteral("JIS"), QStringLiteral("EUC"),
                            QStringLiteral("InternetのForm転送形式")};
  int id = 0;
  for (const QString& label : labels) {
    auto* button = new QRadioButton(label, this);
    codes_->addButton(button, id++);
    layout->addWidget(button);
  }
  if (QAbstractButton* start = codes_->button(static_cast<int>(current))) start->setChecked(true);

  layout->addWidget(okCancelButtons(this));
}

CharCode CReopenDlg::code() const {
  const int id = codes_->checkedId();
  return id < 0 ? CharCode::ShiftJis : static_cast<CharCode>(id);
}

std::optional<CharCode> runReopenDialog(QWidget* parent, CharCode current) {
  if (reopenDialogHook()) return reopenDialogHook()(current);
  CReopenDlg dialog(current, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.code();
}

void setReopenDialogHook(ReopenDialogHook hook) { reopenDialogHook() = std::move(hook); }

}  // namespace wabunko
