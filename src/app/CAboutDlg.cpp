#include "CAboutDlg.h"

#include "ProgramInfo.h"

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
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setAccessibleName(tr("Wabunko のアイコン"));
  auto* text = new QLabel(tr("Wabunko Version %1\nCopyright (C) WabSoft\n%2\n\n%3")
                              .arg(QStringLiteral(WABUNKO_VERSION), qtVersionText(Language::Japanese),
                                   licenceText(Language::Japanese)),
                          this);
  // Its accessible name is its text.
  text->setObjectName(QStringLiteral("aboutText"));
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
