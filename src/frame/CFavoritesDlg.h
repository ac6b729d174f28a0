#pragma once
// "お気に入りの整理": the favourites in a list, to delete some or put them in another
// order. It works on a copy; only "OK" hands the new list back. Like the other dialogs
// it can be answered by a hook, which drives the real dialog.

#include "frame/FavouriteList.h"

#include <QDialog>
#include <functional>
#include <optional>

class QListWidget;

namespace wabunko {

class CFavoritesDlg : public QDialog {
  Q_OBJECT
public:
  explicit CFavoritesDlg(FavouriteList list, QWidget* parent = nullptr);

  // The list as it stands in the dialog.
  const FavouriteList& list() const { return list_; }
  QListWidget* listWidget() const { return listWidget_; }

private:
  void fill(const std::vector<std::size_t>& selected);
  std::vector<std::size_t> selectedRows() const;
  void move(FavouriteList::Direction direction);

  FavouriteList list_;
  QListWidget* listWidget_;
};

// The list after "OK", or nothing when the user cancels.
std::optional<FavouriteList> runFavoritesDialog(QWidget* parent, const FavouriteList& list);
// Drives the dialog in place of a user; returns whether it was accepted.
using FavoritesDialogHook = std::function<bool(CFavoritesDlg&)>;
void setFavoritesDialogHook(FavoritesDialogHook hook);

}  // namespace wabunko
