#pragma once
// Every menu item, toolbar button, accelerator and hot key is a numeric command id. The
// router hands a command to the first target on the route that handles it, and runs the
// update handlers before a menu opens and, for toolbars, when the application goes idle.

#include "CommandTarget.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QTimer;

namespace wabunko {

class CommandRouter : public QObject {
  Q_OBJECT
public:
  using Route = std::function<std::vector<CommandTarget*>()>;

  explicit CommandRouter(QObject* parent = nullptr);

  void setRoute(Route route) { route_ = std::move(route); }

  // Hands the command along the route; false when nobody handled it.
  bool dispatch(int id);
  // Runs the first update handler on the route for the command; without one the command
  // is enabled exactly when some target on the route handles it.
  CmdUI update(int id);

  // The one action standing for a command, created on first use; menus and toolbars
  // share it so its state is the same everywhere.
  QAction* action(int id, const QString& text = {});
  // Updates the actions of a menu each time it is about to show.
  void watchMenu(QMenu* menu);
  // Updates every action now (the idle pass for toolbars calls this too).
  void updateAll();

private:
  void apply(QAction* action);

  Route route_;
  QHash<int, QPointer<QAction>> actions_;
  QTimer* idle_;
};

}  // namespace wabunko
