#include "CWorkProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace wabunko {

CWorkProgressDlg::CWorkProgressDlg(QWidget* mainWindow)
    : QDialog(mainWindow), mainWindow_(mainWindow), bar_(new QProgressBar(this)) {
  setWindowTitle(QStringLiteral("作業中"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("　ｷｬﾝｾﾙﾎﾞﾀﾝ　で作業を中止します"), this));
  bar_->setRange(0, 100);
  bar_->setAccessibleName(QStringLiteral("作業中"));
  layout->addWidget(bar_);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  connect(cancel, &QPushButton::clicked, this, [this] { running_ = false; });
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  if (mainWindow_) mainWindow_->setEnabled(false);
  setEnabled(true);  // a child of the disabled window, but it must take the Cancel
  show();
}

CWorkProgressDlg::~CWorkProgressDlg() {
  if (mainWindow_) mainWindow_->setEnabled(true);
}

void CWorkProgressDlg::setPosition(int percent) { bar_->setValue(std::clamp(percent, 0, 100)); }

}  // namespace wabunko
