#include "search/CFolderSelectDlg.h"

#include "platform/Dialogs.h"
#include "search/FolderRootsModel.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace wabunko {
namespace {

FolderDialogHook& folderDialogHook() {
  static FolderDialogHook hook;
  return hook;
}

QStringList topFolders() {
  const QString home = QDir::cleanPath(QDir::homePath());
  const QString root = QDir::rootPath();
  return home == root ? QStringList{root} : QStringList{home, root};
}

// `path` made absolute, or the nearest folder above it that exists.
QString existingFolder(const QString& path) {
  QString folder = QDir::cleanPath(QFileInfo(path.isEmpty() ? QDir::currentPath() : path).absoluteFilePath());
  while (!QFileInfo(folder).isDir()) {
    const QString up = QFileInfo(folder).path();
    if (up == folder) break;
    folder = up;
  }
  return folder;
}

}  // namespace

CFolderSelectDlg::CFolderSelectDlg(const QString& start, QWidget* parent)
    : QDialog(parent), model_(new FolderRootsModel(topFolders(), this)), tree_(new QTreeView(this)) {
  setWindowTitle(QStringLiteral("フォルダの選択"));
  tree_->setObjectName(QStringLiteral("folderTree"));
  tree_->setAccessibleName(QStringLiteral("フォルダ"));
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  tree_->setModel(model_);
  QDialogButtonBox* buttons = okCancelButtons(this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setEnabled(false);
  connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { ok_->setEnabled(tree_->selectionModel()->hasSelection()); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_);
  layout->addWidget(buttons);
  resize(380, 440);

  if (selectFolder(existingFolder(start))) start_ = tree_->currentIndex();
  keepStartInView();
}

bool CFolderSelectDlg::selectFolder(const QString& path) {
  const QModelIndex index = model_->index(QDir::cleanPath(path));
  if (!index.isValid()) return false;
  for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) tree_->expand(up);
  tree_->expand(index);
  tree_->setCurrentIndex(index);
  tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
  return true;
}

QString CFolderSelectDlg::folder() const {
  const QModelIndexList selected = tree_->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? QString() : model_->filePath(selected.constFirst());
}

// The folders around the start are listed after the dialog opens and then sorted, which
// moves the start row; it is brought back into view until the user takes over.
void CFolderSelectDlg::keepStartInView() {
  const auto follow = [this] {
    if (start_.isValid()) tree_->scrollTo(start_, QAbstractItemView::PositionAtCenter);
  };
  const auto stop = [this] { start_ = QPersistentModelIndex(); };
  connect(model_, &FolderRootsModel::directoryLoaded, this, follow);
  connect(model_, &QAbstractItemModel::layoutChanged, this, follow);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, stop);
  connect(tree_, &QTreeView::expanded, this, stop);
  connect(tree_, &QTreeView::collapsed, this, stop);
  connect(tree_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this, stop);
}

void CFolderSelectDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  tree_->setFocus(Qt::OtherFocusReason);
  // Centred, so that the folders in it show below.
  if (start_.isValid()) tree_->scrollTo(start_, QAbstractItemView::PositionAtCenter);
}

std::optional<QString> runFolderDialog(QWidget* parent, const QString& start) {
  CFolderSelectDlg dialog(start, parent);
  const bool accepted = execOrHook(dialog, folderDialogHook());
  if (!accepted || dialog.folder().isEmpty()) return std::nullopt;
  return dialog.folder();
}

void setFolderDialogHook(FolderDialogHook hook) { folderDialogHook() = std::move(hook); }

}  // namespace wabunko
