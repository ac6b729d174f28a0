#include "CFindResultDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace wabunko {
namespace {

QString counts(const FindInFilesRun::Progress& progress) {
  return QStringLiteral("ファイル %1 個、一致 %2 個").arg(progress.files).arg(progress.rows);
}

}  // namespace

CFindResultDlg::CFindResultDlg(QWidget* parent)
    : QDialog(parent),
      list_(new QTableView(this)),
      status_(new QLabel(this)),
      unreadableLabel_(new QLabel(QStringLiteral("読めなかったフォルダとファイル ："), this)),
      unreadable_(new QListWidget(this)),
      newSearch_(new QPushButton(QStringLiteral("新規検索"), this)),
      cancel_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this)),
      narrow_(new QPushButton(QStringLiteral("絞り込み検索"), this)) {
  setWindowTitle(QStringLiteral("ﾌｧｲﾙから検索"));
  setModal(false);
  setSizeGripEnabled(true);
  list_->setObjectName(QStringLiteral("resultList"));
  list_->setAccessibleName(QStringLiteral("検索結果"));
  list_->setModel(&model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(false);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  // Rows of one height need no measuring: 100,000 of them scroll as smoothly as ten.
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
  list_->horizontalHeader()->setSectionsClickable(true);
  list_->horizontalHeader()->setStretchLastSection(true);
  const int widths[] = {150, 150, 50, 150};
  for (int column = 0; column < 4; ++column) list_->setColumnWidth(column, widths[column]);
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    model_.sort(column, Qt::DescendingOrder);
    list_->clearSelection();
  });
  connect(list_, &QTableView::doubleClicked, this, &CFindResultDlg::openSelected);
  list_->installEventFilter(this);
  status_->setObjectName(QStringLiteral("status"));
  unreadable_->setObjectName(QStringLiteral("unreadableList"));
  unreadable_->setAccessibleName(QStringLiteral("読めなかったフォルダとファイル"));
  unreadableLabel_->setBuddy(unreadable_);
  unreadableLabel_->hide();
  unreadable_->hide();
  newSearch_->setObjectName(QStringLiteral("newSearchButton"));
  cancel_->setObjectName(QStringLiteral("cancelButton"));
  narrow_->setObjectName(QStringLiteral("narrowButton"));
  for (QPushButton* button : {newSearch_, cancel_, narrow_}) button->setAutoDefault(false);
  connect(newSearch_, &QPushButton::clicked, this, [this] {
    if (searching_)
      Q_EMIT stopRequested();
    else
      Q_EMIT newSearchRequested();
  });
  connect(cancel_, &QPushButton::clicked, this, &CFindResultDlg::reject);
  connect(narrow_, &QPushButton::clicked, this, &CFindResultDlg::narrowRequested);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {newSearch_, cancel_, narrow_}) buttons->addWidget(button);
  buttons->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(list_, 1);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(unreadableLabel_);
  layout->addWidget(unreadable_);
  layout->addWidget(status_);
  resize(640, 400);
}

void CFindResultDlg::searchStarted() {
  searching_ = true;
  narrow_->setEnabled(false);
  status_->setText(QStringLiteral("検索しています…"));
}

void CFindResultDlg::showProgress(const FindInFilesRun::Progress& progress) {
  if (!searching_) return;
  status_->setText(QStringLiteral("%1 を検索しています… %2").arg(progress.folder, counts(progress)));
}

void CFindResultDlg::searchEnded(const FindInFilesRun::Summary& summary) {
  searching_ = false;
  narrow_->setEnabled(true);
  const QString end = summary.full        ? QStringLiteral("一致が多すぎるため、ここで検索を止めました。")
                      : summary.cancelled ? QStringLiteral("検索を中止しました。")
                                          : QStringLiteral("検索が終わりました。");
  status_->setText(end + counts(summary.progress));
  unreadable_->clear();
  unreadable_->addItems(summary.unreadable);
  unreadableLabel_->setVisible(!summary.unreadable.isEmpty());
  unreadable_->setVisible(!summary.unreadable.isEmpty());
}

void CFindResultDlg::reject() {
  // Esc and "ｷｬﾝｾﾙ": a running search stops; otherwise the window goes.
  if (searching_)
    Q_EMIT stopRequested();
  else
    QDialog::reject();
}

bool CFindResultDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      openSelected();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CFindResultDlg::openSelected() {
  QModelIndexList selected = list_->selectionModel()->selectedRows();
  std::sort(selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() > b.row(); });
  std::vector<ResultRow> rows;
  for (const QModelIndex& index : selected) rows.push_back(model_.rows().at(static_cast<std::size_t>(index.row())));
  if (!rows.empty()) Q_EMIT openRequested(rows);
}

}  // namespace wabunko
