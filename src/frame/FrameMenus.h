#pragma once
// The main frame's menus: which commands stand in which menu, in what order, between
// which separators, and the File menu's block of recent files, filled anew each time the
// menu opens. The items' texts come from the command table.

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;

namespace wabunko {

class CommandRouter;
class RecentFileList;

// A path as a menu item's text: its own "&" shows as itself, not as a mnemonic.
QString menuTextOfPath(QString path);

class FrameMenus : public QObject {
  Q_OBJECT
public:
  using RecentFiles = std::function<const RecentFileList*()>;

  FrameMenus(QMainWindow* frame, CommandRouter& router, RecentFiles recentFiles);

  // The top-level menu with that title (the last, should two have it); nullptr for none.
  QMenu* menuTitled(const QString& title) const;

private:
  void fillRecentFiles(QMenu* menu);

  QMainWindow* frame_;
  CommandRouter& router_;
  RecentFiles recentFiles_;
  QAction* recentFilesEnd_ = nullptr;
};

}  // namespace wabunko
