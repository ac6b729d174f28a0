#pragma once
// "フォルダの選択": the folder chooser of find in files. A tree of folders under the user's
// home folder and the file system's root, listed as they are opened; it opens on a start
// folder, unfolded and selected. Like the other dialogs it can be answered by a hook,
// which drives the real dialog.

#include <QDialog>
#include <QPersistentModelIndex>
#include <QString>
#include <functional>
#include <optional>

class QPushButton;
class QTreeView;

namespace wabunko {

class FolderRootsModel;

class CFolderSelectDlg : public QDialog {
  Q_OBJECT
public:
  // `start`: the folder to open on; when it does not exist, the nearest folder above it.
  explicit CFolderSelectDlg(const QString& start, QWidget* parent = nullptr);

  // Selects `path` (absolute), unfolding the folders down to it and the folder itself;
  // false when the tree does not hold it.
  bool selectFolder(const QString& path);
  // The absolute path of the selected folder; empty while none is.
  QString folder() const;

  QTreeView* tree() const { return tree_; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  void keepStartInView();

  FolderRootsModel* model_;
  QTreeView* tree_;
  QPushButton* ok_;
  // The start folder, while the tree keeps it in view; cleared once the user moves on.
  QPersistentModelIndex start_;
};

// The folder chosen, or nothing when the user cancels.
std::optional<QString> runFolderDialog(QWidget* parent, const QString& start);
// Drives the dialog in place of a user; returns whether it was accepted.
using FolderDialogHook = std::function<bool(CFolderSelectDlg&)>;
void setFolderDialogHook(FolderDialogHook hook);

}  // namespace wabunko
