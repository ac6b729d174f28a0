#include "search/FolderRootsModel.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileSystemModel>

namespace wabunko {
namespace {

// The models look up an icon and a type for every entry of a folder they list, files
// included, on the window's thread; for a file that means reading its first bytes, which
// is slow in a big folder and never ends in a few (/proc/kmsg). Only folders are shown, so
// only folders get them (the style's folder icons where the desktop has none).
class FolderIconProvider : public QFileIconProvider {
public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override { return info.isDir() ? QFileIconProvider::icon(info) : QIcon(); }
  QString type(const QFileInfo& info) const override {
    return info.isDir() ? QFileIconProvider::type(info) : QString();
  }
};

}  // namespace

FolderRootsModel::FolderRootsModel(const QStringList& tops, QObject* parent)
    : QAbstractItemModel(parent), icons_(std::make_unique<FolderIconProvider>()) {
  for (const QString& path : tops) {
    auto* model = new QFileSystemModel(this);
    model->setIconProvider(icons_.get());
    model->setReadOnly(true);
    // Folders only; without QDir::Hidden the hidden ones stay out of sight.
    model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    model->setRootPath(path);
    const QModelIndex top = model->index(path);
    if (!top.isValid()) {
      delete model;
      continue;
    }
    models_.push_back(model);
    tops_.emplace_back(top);
    follow(static_cast<int>(models_.size()) - 1);
  }
}

// The models go first: they use the icon provider.
FolderRootsModel::~FolderRootsModel() { qDeleteAll(models_); }

void FolderRootsModel::follow(int top) {
  QFileSystemModel* model = models_[static_cast<std::size_t>(top)];
  connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
          [this, top](const QModelIndex& parent, int first, int last) {
            if (shown(top, parent)) beginInsertRows(fromSource(top, parent), first, last);
          });
  connect(model, &QAbstractItemModel::rowsInserted, this, [this, top](const QModelIndex& parent) {
    if (shown(top, parent)) endInsertRows();
  });
  connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this, top](const QModelIndex& parent, int first, int last) {
            if (shown(top, parent)) beginRemoveRows(fromSource(top, parent), first, last);
          });
  connect(model, &QAbstractItemModel::rowsRemoved, this, [this, top](const QModelIndex& parent) {
    if (shown(top, parent)) endRemoveRows();
  });
  connect(model, &QAbstractItemModel::dataChanged, this,
          [this, top](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
            if (!shown(top, from)) return;
            Q_EMIT dataChanged(fromSource(top, from.siblingAtColumn(0)), fromSource(top, to.siblingAtColumn(0)), roles);
          });
  // A re-sort moves rows within their folders: ours follow the source rows they show.
  connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, [this, top] {
    Q_EMIT layoutAboutToBeChanged();
    for (const QModelIndex& index : persistentIndexList())
      if (topOf(index) == top) sorting_.emplace_back(index, toSource(index));
  });
  connect(model, &QAbstractItemModel::layoutChanged, this, [this, top] {
    QModelIndexList from;
    QModelIndexList to;
    for (const auto& [ours, source] : sorting_) {
      from.append(ours);
      to.append(fromSource(top, source));
    }
    sorting_.clear();
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged();
  });
  connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
  connect(model, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
  connect(model, &QFileSystemModel::directoryLoaded, this, &FolderRootsModel::directoryLoaded);
}

// Whether `source`, a row of top `top`'s model, is the top or lies below it.
bool FolderRootsModel::shown(int top, QModelIndex source) const {
  const QPersistentModelIndex& root = tops_[static_cast<std::size_t>(top)];
  for (source = source.siblingAtColumn(0); source.isValid(); source = source.parent())
    if (root == source) return true;
  return false;
}

int FolderRootsModel::topOf(const QModelIndex& index) const {
  const auto* parent = static_cast<const Parent*>(index.internalPointer());
  return parent ? parent->top : index.row();
}

QModelIndex FolderRootsModel::toSource(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  const auto* parent = static_cast<const Parent*>(index.internalPointer());
  if (!parent) return tops_[static_cast<std::size_t>(index.row())];
  return models_[static_cast<std::size_t>(parent->top)]->index(index.row(), 0, parent->source);
}

// `source` must be shown under `top`.
QModelIndex FolderRootsModel::fromSource(int top, const QModelIndex& source) const {
  if (!source.isValid()) return {};
  if (tops_[static_cast<std::size_t>(top)] == source) return createIndex(top, 0, nullptr);
  return createIndex(source.row(), 0, parentOf(top, source.parent()));
}

FolderRootsModel::Parent* FolderRootsModel::parentOf(int top, const QModelIndex& source) const {
  std::unique_ptr<Parent>& entry = parents_[{top, source.internalPointer()}];
  if (!entry) {
    entry = std::make_unique<Parent>(Parent{top, source});
  } else if (entry->source != source) {
    // The folder it stood for is gone and another took its place; the rows below the old
    // one went with it.
    entry->source = source;
  }
  return entry.get();
}

QModelIndex FolderRootsModel::index(const QString& path) const {
  for (std::size_t top = 0; top < models_.size(); ++top) {
    QString root = models_[top]->filePath(tops_[top]);
    if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
    if (path + QLatin1Char('/') != root && !path.startsWith(root)) continue;
    const QModelIndex source = models_[top]->index(path);
    if (!source.isValid() || !models_[top]->isDir(source)) return {};
    return fromSource(static_cast<int>(top), source);
  }
  return {};
}

QString FolderRootsModel::filePath(const QModelIndex& index) const {
  const QModelIndex source = toSource(index);
  return source.isValid() ? models_[static_cast<std::size_t>(topOf(index))]->filePath(source) : QString();
}

QModelIndex FolderRootsModel::index(int row, int column, const QModelIndex& parent) const {
  if (!hasIndex(row, column, parent)) return {};
  if (!parent.isValid()) return createIndex(row, column, nullptr);
  return createIndex(row, column, parentOf(topOf(parent), toSource(parent)));
}

QModelIndex FolderRootsModel::parent(const QModelIndex& child) const {
  const auto* parent = child.isValid() ? static_cast<const Parent*>(child.internalPointer()) : nullptr;
  return parent ? fromSource(parent->top, parent->source) : QModelIndex();
}

int FolderRootsModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return static_cast<int>(tops_.size());
  if (parent.column() > 0) return 0;
  const QModelIndex source = toSource(parent);
  return source.isValid() ? models_[static_cast<std::size_t>(topOf(parent))]->rowCount(source) : 0;
}

int FolderRootsModel::columnCount(const QModelIndex&) const { return 1; }

QVariant FolderRootsModel::data(const QModelIndex& index, int role) const {
  const QModelIndex source = toSource(index);
  if (!source.isValid()) return {};
  // A top shows its whole path: the home folder's name alone says little.
  if (role == Qt::DisplayRole && !index.internalPointer()) return QDir::toNativeSeparators(filePath(index));
  return models_[static_cast<std::size_t>(topOf(index))]->data(source, role);
}

Qt::ItemFlags FolderRootsModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool FolderRootsModel::hasChildren(const QModelIndex& parent) const {
  if (!parent.isValid()) return !tops_.empty();
  const QModelIndex source = toSource(parent);
  return source.isValid() && models_[static_cast<std::size_t>(topOf(parent))]->hasChildren(source);
}

bool FolderRootsModel::canFetchMore(const QModelIndex& parent) const {
  const QModelIndex source = toSource(parent);
  return source.isValid() && models_[static_cast<std::size_t>(topOf(parent))]->canFetchMore(source);
}

void FolderRootsModel::fetchMore(const QModelIndex& parent) {
  const QModelIndex source = toSource(parent);
  if (source.isValid()) models_[static_cast<std::size_t>(topOf(parent))]->fetchMore(source);
}

}  // namespace wabunko
