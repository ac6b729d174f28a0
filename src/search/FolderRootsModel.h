#pragma once
// The folders under a few top folders (the user's home folder, then the file system's
// root), one tree for the folder chooser. Each top folder has a file-system model of its
// own, so a folder shown under two tops (the home folder is also under the root) is still
// one row of one model each time; the models list folders in the background, so a huge
// folder never holds up the window.

#include <QAbstractItemModel>
#include <QPersistentModelIndex>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

class QAbstractFileIconProvider;
class QFileSystemModel;

namespace wabunko {

class FolderRootsModel : public QAbstractItemModel {
  Q_OBJECT
public:
  // `tops`: existing folders, absolute and clean, in the order shown.
  explicit FolderRootsModel(const QStringList& tops, QObject* parent = nullptr);
  ~FolderRootsModel() override;

  // The row of the folder `path` (absolute and clean), under the first top that holds it;
  // the rows on the way are made at once. Invalid when no top holds it or it is no folder.
  QModelIndex index(const QString& path) const;
  QString filePath(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

Q_SIGNALS:
  // A folder's listing has arrived.
  void directoryLoaded(const QString& path);

private:
  // The parent shared by a group of rows: a folder of one top's model.
  struct Parent {
    int top;
    QPersistentModelIndex source;
  };

  int topOf(const QModelIndex& index) const;
  QModelIndex toSource(const QModelIndex& index) const;
  QModelIndex fromSource(int top, const QModelIndex& source) const;
  bool shown(int top, QModelIndex source) const;
  Parent* parentOf(int top, const QModelIndex& source) const;
  void follow(int top);

  std::unique_ptr<QAbstractFileIconProvider> icons_;
  std::vector<QFileSystemModel*> models_;
  std::vector<QPersistentModelIndex> tops_;
  // Keyed by top and the source folder's identity; an entry lives as long as the model.
  mutable std::map<std::pair<int, const void*>, std::unique_ptr<Parent>> parents_;
  // The rows held across a re-sort of one model: ours and the source rows they show.
  std::vector<std::pair<QModelIndex, QPersistentModelIndex>> sorting_;
};

}  // namespace wabunko
