#include "CMainFrame.h"

#include "app/AppCommands.h"
#include "app/CWabunkoApp.h"
#include "frame/CChildFrame.h"
#include "frame/FrameHotKeys.h"
#include "frame/MdiArrangement.h"
#include "platform/ChildFrame.h"
#include "platform/CommandRouter.h"
#include "platform/Document.h"
#include "platform/RecentFileList.h"
#include "platform/DocumentManager.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMdiArea>
#include <QTimer>
#include <QMenu>
#include <QMenuBar>

namespace wabunko {
namespace {

struct MenuItem {
  int id;  // 0: separator
  const char* text;
  QKeySequence::StandardKey key = QKeySequence::UnknownKey;
};

struct MenuDef {
  const char* title;
  std::vector<MenuItem> items;
};

const std::vector<MenuDef>& mainMenus() {
  static const std::vector<MenuDef> menus{
      {"ﾌｧｲﾙ(&F)",
       {{cmd::FileNew, "新規作成(&N)", QKeySequence::New},
        {cmd::FileOpen, "開く(&O)...", QKeySequence::Open},
        {cmd::FileClose, "閉じる(&C)"},
        {cmd::FileCloseAll, "すべて閉じる(&L)"},
        {0, ""},
        {cmd::FileSave, "上書き保存(&S)", QKeySequence::Save},
        {cmd::FileSaveAs, "名前を付けて保存(&A)..."},
        {cmd::FileSaveAll, "すべて保存(&M)"},
        {0, ""},
        {cmd::FileMruFirst, ""},  // the recent files go here
        {cmd::AppExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}}},
      {"編集(&E)",
       {{cmd::EditUndo, "元に戻す(&U)", QKeySequence::Undo},
        {0, ""},
        {cmd::EditCut, "切り取り(&T)", QKeySequence::Cut},
        {cmd::EditCopy, "ｺﾋﾟｰ(&C)", QKeySequence::Copy},
        {cmd::EditPaste, "貼り付け(&P)", QKeySequence::Paste},
        {cmd::EditClear, "削除(&D)"},
        {0, ""},
        {cmd::EditSelectAll, "すべて選択(&L)", QKeySequence::SelectAll}}},
      {"ﾍﾙﾌﾟ(&H)", {{cmd::AppAbout, "ﾊﾞｰｼﾞｮﾝ情報(Wabunko)(&A)..."}}},
  };
  return menus;
}

}  // namespace

CMainFrame::CMainFrame()
    : mdiArea_(new QMdiArea(this)),
      arrangement_(new MdiArrangement(mdiArea_, CWabunkoApp::instance().store(), this)) {
  CWabunkoApp& app = CWabunkoApp::instance();
  const auto post = [this](int id) {
    QTimer::singleShot(0, this, [id] { CWabunkoApp::instance().router().dispatch(id); });
  };
  hotKeys_ = new FrameHotKeys(
      app.hotKeyService(), app.store(),
      FrameHotKeys::Actions{
          post,
          [this] { arrangement_->cascade(); },
          [this] { arrangement_->tileHorizontal(); },
          [this] { arrangement_->tileVertical(); },
          [this] { arrangement_->previousWindow(); },
          [this] { arrangement_->nextWindow(); },
          [this] { QTimer::singleShot(0, this, &QWidget::showMaximized); },
          [this] { QTimer::singleShot(0, this, &QWidget::showMinimized); },
          [this] { QTimer::singleShot(0, this, &QWidget::showNormal); },
          [this] { QTimer::singleShot(0, this, &QWidget::close); },
          [] {},
      },
      this);
  onCommandId(cmd::FileClose, [this] {
    if (QMdiSubWindow* frame = mdiArea_->currentSubWindow()) frame->close();
  });
  setWindowTitle(QStringLiteral("Wabunko"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/wabunko.svg")));
  mdiArea_->setAccessibleName(tr("文書ウィンドウ"));
  setCentralWidget(mdiArea_);
  createMenus();
  resize(800, 600);
}

void CMainFrame::createMenus() {
  CommandRouter& router = CWabunkoApp::instance().router();
  for (const MenuDef& def : mainMenus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(def.title));
    router.watchMenu(menu);
    for (const MenuItem& item : def.items) {
      if (item.id == 0) {
        menu->addSeparator();
        continue;
      }
      if (item.id == cmd::FileMruFirst) {
        recentFilesEnd_ = menu->addSeparator();
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillRecentFiles(menu); });
        continue;
      }
      QAction* action = router.action(item.id, QString::fromUtf8(item.text));
      if (item.key != QKeySequence::UnknownKey) {
        action->setShortcuts(item.key);
        // Like accelerators of the main frame: they work in every window of the editor
        // (a modal dialog blocks them), also where no window manager marks one active.
        // Editing keys reach the edit control first, which handles them itself.
        action->setShortcutContext(Qt::ApplicationShortcut);
      }
      menu->addAction(action);
      addAction(action);
    }
  }
}

void CMainFrame::fillRecentFiles(QMenu* menu) {
  CommandRouter& router = CWabunkoApp::instance().router();
  const RecentFileList* recent = CWabunkoApp::instance().recentFiles();
  const QStringList files = recent ? recent->files() : QStringList();
  for (int i = 0; i < RecentFileList::kMaxSize; ++i) {
    QAction* action = router.action(cmd::FileMruFirst + i);
    menu->removeAction(action);
    if (i >= files.size()) continue;
    // "&1 path": the number is the mnemonic; a path's own "&" must not become one.
    action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(files[i]).replace(QLatin1Char('&'), QStringLiteral("&&"))));
    menu->insertAction(recentFilesEnd_, action);
  }
  recentFilesEnd_->setVisible(!files.isEmpty());
}

CWabunkoView* CMainFrame::activeView() const {
  const auto* frame = qobject_cast<ChildFrame*>(mdiArea_->currentSubWindow());
  return frame ? qobject_cast<CWabunkoView*>(frame->view()) : nullptr;
}

std::vector<CommandTarget*> CMainFrame::commandRoute() {
  std::vector<CommandTarget*> route;
  if (CWabunkoView* view = activeView()) {
    route.push_back(view);
    if (Document* doc = view->View::document()) route.push_back(doc);
    if (ChildFrame* frame = view->childFrame()) route.push_back(frame);
  }
  route.push_back(this);
  route.push_back(arrangement_);
  route.push_back(&CWabunkoApp::instance());
  return route;
}

void CMainFrame::onOpenPassedFile(const QString& path) {
  CWabunkoApp::instance().openDocumentFile(path);
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  DocumentManager& documents = CWabunkoApp::instance().documentManager();
  if (!documents.saveAllModified()) {
    event->ignore();
    return;
  }
  documents.closeAllDocuments();
  event->accept();
}

}  // namespace wabunko
