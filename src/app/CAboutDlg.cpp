#include "CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace wabunko {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Wabunko のﾊﾞｰｼﾞｮﾝ情報"));
  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(QStringLiteral(":/icons/wabunko.svg")).pixmap(48, 48));
  auto* text = new QLabel(tr("Wabunko Version %1\nCopyright (C) WabSoft").arg(QStringLiteral(WABUNKO_VERSION)), this);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* row = new QHBoxLayout;
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addWidget(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

}  // namespace wabunko
