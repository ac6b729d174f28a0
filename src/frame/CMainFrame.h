#pragma once
// The main window: the MDI area with the documents' child frames, the two toolbars, the
// status bar, the auto-save timer and the frame's hot keys, and the state several parts
// share (caret position, insert mode, mirrored settings). It restores its placement and
// bars at creation and writes them back when it closes.

#include "platform/CommandTarget.h"

#include <QMainWindow>
#include <QString>
#include <memory>
#include <vector>

class QMdiArea;
class QTimer;
class QToolBar;

namespace wabunko {

class AutoSave;
class CWabunkoView;
class Favourites;
class FindCommands;
class FindInFilesCommands;
class FrameHotKeys;
class FrameMenus;
class MdiArrangement;
class SettingsStore;
class StatusPanes;
class ToolBars;

class CMainFrame : public QMainWindow, public CommandTarget {
  Q_OBJECT
public:
  CMainFrame();
  ~CMainFrame() override;

  QMdiArea* mdiArea() const { return mdiArea_; }
  MdiArrangement& arrangement() const { return *arrangement_; }
  FrameHotKeys& hotKeys() const { return *hotKeys_; }
  // The find strings and the find dialog, with the commands that use them.
  FindCommands& find() const { return *find_; }
  FindInFilesCommands& findInFiles() const { return *findInFiles_; }
  // The two toolbars and the format bar's font boxes.
  ToolBars& toolBars() const { return *toolBars_; }
  QToolBar* toolBar() const;
  QToolBar* textStyleBar() const;
  CWabunkoView* activeView() const;
  // The favourites list with its menu entries; read at creation, written at close.
  Favourites& favourites() const { return *favourites_; }

  // Active view, its document, its child frame, this frame, find and replace, find in
  // files, the arrangement, the application.
  std::vector<CommandTarget*> commandRoute();

  // Comes to the front, restored from minimised, without moving (after a later start
  // handed over what it was asked to open).
  void comeToFront();

  // Shared state.
  int insertMode = 0;
  int caretLine = 1;
  int caretColumn = 0;
  int autoSaveOn = 0;
  int viewToolBarFlag = 1;
  int viewStatusBarFlag = 1;
  int viewTextStyleBarFlag = 1;
  int lineLength = 80;
  int drawLineNumber = 0;
  int autoBrace = 0;
  int autoIndent = 0;
  int topMost = 0;
  int printPreviewActive = 0;

  // Timer 1: saves the documents every "Time span for auto save" minutes while auto-save
  // is on.
  AutoSave& autoSave() const { return *autoSave_; }

  // The IME button shows whether the input method is open.
  void showImeStatus();
  // The format bar's font boxes and buttons show the caret's format.
  void showFormatOfCaret(const QString& face, int heightTwips);
  void checkFormatButton(int command, bool checked);

  // The per-user files live in the user's data folder: "<user>_signature.wbk" and so on.
  static QString userFilePath(const QString& suffix);

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void restorePlacement();
  void createStatusBar();
  void updateStatusPanes();
  void writeFrameState();
  void mapCommands();

  void onToggleTextStyleBar();
  void onToggleLineNumbers();
  void onToggleTopMost();
  void onEditSignature();

  SettingsStore& store_;
  QMdiArea* mdiArea_;
  MdiArrangement* arrangement_;
  FrameHotKeys* hotKeys_;
  ToolBars* toolBars_ = nullptr;
  FrameMenus* menus_ = nullptr;
  Favourites* favourites_ = nullptr;
  AutoSave* autoSave_ = nullptr;
  QTimer* statusTimer_;
  std::unique_ptr<StatusPanes> statusPanes_;
  std::unique_ptr<FindCommands> find_;
  std::unique_ptr<FindInFilesCommands> findInFiles_;
};

}  // namespace wabunko
