#pragma once
// The favourites for the main frame's life: the list, its entries in the "お気に入り"
// menu (after "追加", "整理" and a separator, filled anew each time the menu opens),
// adding the active document, opening an entry and the dialog that organises them.
// The k-th favourite (from 1) stands for command FavouriteAdd + k; only the first
// kOpenable open from the menu, the later ones up to kListed are listed disabled, and the
// organise dialog holds them all.

#include "frame/FavouriteList.h"

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace wabunko {

class CommandRouter;

class Favourites : public QObject {
  Q_OBJECT
public:
  static constexpr int kOpenable = 15;
  // More would be more than a menu can show, and their command ids would run into those of
  // other commands (57600 on), taking those commands' menu entries.
  static constexpr int kListed = 1000;

  struct Hooks {
    // The active document's path; empty with no document or an untitled one.
    std::function<QString()> activePath;
    std::function<void(const QString&)> open;
  };

  // `menu` holds the fixed items; `stored` is the list's stored form.
  Favourites(QMenu* menu, CommandRouter& router, const QString& stored, Hooks hooks, QWidget* parent);

  const FavouriteList& list() const { return list_; }
  // The stored form of the list.
  QString stored() const;

  // "追加": the active document's path at the end, when it has one.
  void addActive();
  // Opens favourite k (from 1); one whose file is gone is offered for removal instead.
  void open(int k);
  // "整理": runs the dialog; "OK" takes its list.
  void organise();

private:
  void fillMenu();

  QMenu* menu_;
  CommandRouter& router_;
  Hooks hooks_;
  QWidget* parent_;
  FavouriteList list_;
  QList<QAction*> entries_;
};

}  // namespace wabunko
