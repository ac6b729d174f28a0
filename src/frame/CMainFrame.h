#pragma once
// The main window: the MDI area holding the documents' child frames, the menu bar, and
// the start of the command route.

#include "platform/CommandTarget.h"

#include <QMainWindow>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;

namespace wabunko {

class CWabunkoView;
class FrameHotKeys;
class MdiArrangement;

class CMainFrame : public QMainWindow, public CommandTarget {
  Q_OBJECT
public:
  CMainFrame();

  QMdiArea* mdiArea() const { return mdiArea_; }
  MdiArrangement& arrangement() const { return *arrangement_; }
  FrameHotKeys& hotKeys() const { return *hotKeys_; }
  CWabunkoView* activeView() const;

  // Active view, its document, its child frame, this frame, the application.
  std::vector<CommandTarget*> commandRoute();

  // A later start handed over a file (empty: a new document): open it and come to the
  // front without moving.
  void onOpenPassedFile(const QString& path);

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void createMenus();
  void fillRecentFiles(QMenu* menu);

  QMdiArea* mdiArea_;
  MdiArrangement* arrangement_;
  FrameHotKeys* hotKeys_;
  QAction* recentFilesEnd_ = nullptr;
};

}  // namespace wabunko
