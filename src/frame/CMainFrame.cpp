#include "CMainFrame.h"

#include "app/AppCommands.h"
#include "app/CWabunkoApp.h"
#include "frame/AutoSave.h"
#include "frame/CChildFrame.h"
#include "frame/FrameCommands.h"
#include "frame/FrameHotKeys.h"
#include "frame/FramePlacement.h"
#include "frame/MdiArrangement.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "frame/StatusPanes.h"
#include "frame/ToolButtonCatalogue.h"
#include "platform/ChildFrame.h"
#include "platform/CommandRouter.h"
#include "platform/Dialogs.h"
#include "platform/Document.h"
#include "platform/DocumentManager.h"
#include "platform/InputMethod.h"
#include "platform/KeyboardLocks.h"
#include "platform/RecentFileList.h"
#include "platform/SettingsStore.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"
#include "view/ViewCommands.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

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

// New, Open and Save carry no menu keys: their keys are the frame's hot keys.
const std::vector<MenuDef>& mainMenus() {
  static const std::vector<MenuDef> menus{
      {"ﾌｧｲﾙ(&F)",
       {{cmd::FileNew, "新規作成(&N)"},
        {cmd::FileOpen, "開く(&O)..."},
        {cmd::FileClose, "閉じる(&C)"},
        {cmd::FileCloseAll, "すべて閉じる(&L)"},
        {0, ""},
        {cmd::FileSave, "上書き保存(&S)"},
        {cmd::FileSaveAs, "名前を付けて保存(&A)..."},
        {cmd::FileSaveAll, "すべて保存(&M)"},
        {cmd::Reopen, "開き直し"},
        {0, ""},
        {cmd::FilePrint, "印刷(&P)..."},
        {cmd::FilePrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"},
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
        {cmd::EditSelectAll, "すべて選択(&L)", QKeySequence::SelectAll},
        {0, ""},
        {cmd::ReadOnlyToggle, "編集禁止"},
        {cmd::EditSignature, "ｼｸﾞﾆﾁｬ"}}},
      {"表示(&V)",
       {{cmd::ViewToolBar, "ﾌｧｲﾙ操作(&T)"},
        {cmd::ViewTextStyleBar, "書式設定(&F)"},
        {cmd::ViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"},
        {0, ""},
        {cmd::ViewLineNumbers, "行番号(&L)"},
        {cmd::VerticalWriting, "縦書き(&V)"},
        {0, ""},
        {cmd::WrapNone, "なし"},
        {cmd::WrapPrintWidth, "印刷幅"},
        {cmd::WrapWindow, "ｳｨﾝﾄﾞｳの右端"}}},
      {"変換",
       {{cmd::ConvertUpper, "小文字→大文字"},
        {cmd::ConvertLower, "大文字→小文字"},
        {cmd::ConvertFullWidth, "半角→全角"},
        {cmd::ConvertHalfWidth, "全角→半角"},
        {0, ""},
        {cmd::ConvertPunctuation, "句読点"}}},
      {"ﾂｰﾙ",
       {{cmd::ToolLineLength, "行長"},
        {cmd::ToolTrailingBlanks, "行末空白の削除"},
        {0, ""},
        {cmd::ToolQuotationMark, "引用記号"},
        {cmd::ToolClipboardPrefix, "縦方向"},
        {cmd::ToolSignature, "ｼｸﾞﾆﾁｬ"},
        {0, ""},
        {cmd::ToolAppendCopy, "追加コピー"},
        {cmd::ToolAppendCut, "追加切り取り"}}},
      {"ｳｨﾝﾄﾞｳ(&W)",
       {{cmd::WindowCascade, "重ねて表示(&C)"},
        {cmd::WindowTileHorz, "上下に並べて表示(&H)"},
        {cmd::WindowTileVert, "左右に並べて表示(&T)"},
        {0, ""},
        {cmd::WindowTopMost, "最前面"}}},
      {"ﾍﾙﾌﾟ(&H)", {{cmd::AppAbout, "ﾊﾞｰｼﾞｮﾝ情報(Wabunko)(&A)..."}}},
  };
  return menus;
}

QString utf8(const char* s) { return QString::fromUtf8(s); }

QString imagePath(Bar bar, int image) {
  return QStringLiteral(":/icons/toolbar/%1-%2.svg")
      .arg(bar == Bar::File ? QStringLiteral("file") : QStringLiteral("format"))
      .arg(image, 2, 10, QLatin1Char('0'));
}

}  // namespace

CMainFrame::CMainFrame()
    : store_(CWabunkoApp::instance().store()),
      mdiArea_(new QMdiArea(this)),
      arrangement_(new MdiArrangement(mdiArea_, store_, this)),
      statusTimer_(new QTimer(this)) {
  CWabunkoApp& app = CWabunkoApp::instance();
  const auto post = [this](int id) {
    QTimer::singleShot(0, this, [id] { CWabunkoApp::instance().router().dispatch(id); });
  };
  hotKeys_ = new FrameHotKeys(
      app.hotKeyService(), store_,
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

  // Creation, in order: the MDI area and dropped files, placement, icon, the two bars,
  // the status bar, docking and the saved bar layout, auto-save, insert mode, hot keys,
  // the mirrored settings.
  setObjectName(QStringLiteral("Wabunko"));
  setWindowTitle(QStringLiteral("Wabunko"));
  mdiArea_->setAccessibleName(tr("文書ウィンドウ"));
  setCentralWidget(mdiArea_);
  setAcceptDrops(true);
  restorePlacement();
  setWindowIcon(QIcon(QStringLiteral(":/icons/wabunko.svg")));
  createMenus();
  toolBar_ = createBar(Bar::File, tr("ツールバー"), QStringLiteral("ToolBar"));
  addToolBarBreak();
  textStyleBar_ = createBar(Bar::TextStyle, tr("書式バー"), QStringLiteral("TextStyleBar"));
  createStatusBar();
  setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

  viewToolBarFlag = readInt(store_, settings::FrameViewToolBar);
  viewStatusBarFlag = readInt(store_, settings::FrameViewStatusBar);
  viewTextStyleBarFlag = readInt(store_, settings::FrameViewTextStyleBar);
  const QString barState = store_.getProfileString(utf8(settings::kBarState), QStringLiteral("Layout"));
  if (!barState.isEmpty()) restoreState(QByteArray::fromBase64(barState.toLatin1()));

  autoSave_ = new AutoSave(
      store_, [] { return CWabunkoApp::instance().documents(); },
      [this](const QString& failure) { statusBar()->showMessage(failure); },
      [] { return CWabunkoApp::instance().inLongOperation(); }, this);
  autoSaveOn = readInt(store_, settings::FileDoAutoSave) != 0;
  if (autoSaveOn) autoSave_->start();

  insertMode = 1;
  hotKeys_->registerKeys();

  lineLength = readInt(store_, settings::CommandLineLength);
  drawLineNumber = readInt(store_, settings::FrameDrawLineNumber);
  autoBrace = readInt(store_, settings::KeyInputAutoBrace);
  autoIndent = readInt(store_, settings::KeyInputAutoIndent);
  favorites = readString(store_, settings::FileFavorite);

  mapCommands();
  // A view that becomes active lays out and paints every gutter anew.
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
    if (window && drawLineNumber) CWabunkoApp::instance().refreshAllGutters(true);
  });
  connect(statusTimer_, &QTimer::timeout, this, &CMainFrame::updateStatusPanes);
  statusTimer_->start(200);
  updateStatusPanes();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::mapCommands() {
  onCommandId(cmd::FileClose, [this] {
    if (QMdiSubWindow* frame = mdiArea_->currentSubWindow()) frame->close();
  });
  onCommandId(cmd::ViewTextStyleBar, [this] { onToggleTextStyleBar(); });
  onUpdateId(cmd::ViewTextStyleBar, [this](CmdUI& ui) { ui.setCheck(viewTextStyleBarFlag != 0); });
  onCommandId(cmd::ViewToolBar, [this] { toolBar_->setVisible(!toolBar_->isVisible()); });
  onUpdateId(cmd::ViewToolBar, [this](CmdUI& ui) { ui.setCheck(toolBar_->isVisible()); });
  onCommandId(cmd::ViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
  onUpdateId(cmd::ViewStatusBar, [this](CmdUI& ui) { ui.setCheck(statusBar()->isVisible()); });
  onCommandId(cmd::ViewLineNumbers, [this] { onToggleLineNumbers(); });
  onUpdateId(cmd::ViewLineNumbers, [this](CmdUI& ui) { ui.setCheck(drawLineNumber != 0); });
  onCommandId(cmd::WindowTopMost, [this] { onToggleTopMost(); });
  onUpdateId(cmd::WindowTopMost, [this](CmdUI& ui) { ui.setCheck(topMost != 0); });
  onCommandId(cmd::EditSignature, [this] { onEditSignature(); });
}

void CMainFrame::restorePlacement() {
  // Stored as the normal (not maximised) rectangle; the maximised state is applied at start.
  const QRect placement = framePlacement(store_);
  move(placement.topLeft());
  resize(placement.size());
}

QToolBar* CMainFrame::createBar(Bar bar, const QString& title, const QString& objectName) {
  auto* toolBar = new QToolBar(title, this);
  toolBar->setObjectName(objectName);
  toolBar->setAllowedAreas(Qt::AllToolBarAreas);
  toolBar->setFloatable(true);
  toolBar->setIconSize(QSize(16, 16));
  addToolBar(Qt::TopToolBarArea, toolBar);
  fillBar(bar, toolBar);
  return toolBar;
}

void CMainFrame::fillBar(Bar bar, QToolBar* toolBar) {
  const settings::Setting count = bar == Bar::File ? settings::ToolBarCount : settings::TextStyleBarCount;
  const settings::Setting items = bar == Bar::File ? settings::ToolBarItem : settings::TextStyleBarItem;
  const int stored = readInt(store_, count);
  std::vector<int> buttons;
  if (usesDefaultButtons(stored)) {
    const auto defaults = defaultButtons(bar);
    buttons.assign(defaults.begin(), defaults.end());
    writeSetting(store_, count, -1);
  } else {
    buttons = parseButtonList(bar, readString(store_, items).toStdString(), stored);
  }
  CommandRouter& router = CWabunkoApp::instance().router();
  const auto catalogue = buttonCatalogue(bar);
  for (int number : buttons) {
    const ToolButton& button = catalogue[static_cast<std::size_t>(number)];
    if (button.command == 0) {
      toolBar->addSeparator();
      continue;
    }
    QAction* action = router.action(button.command, utf8(button.name));
    action->setIcon(QIcon(imagePath(bar, button.image)));
    if (action->toolTip().isEmpty() || action->toolTip() == action->text()) action->setToolTip(utf8(button.name));
    toolBar->addAction(action);
  }
}

void CMainFrame::createStatusBar() {
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  statusPanes_ = std::make_unique<StatusPanes>(statusBar());
}

void CMainFrame::updateStatusPanes() {
  statusPanes_->show({caretLine, caretColumn, insertMode == 0, currentKeyboardLocks()});
}

void CMainFrame::createMenus() {
  CommandRouter& router = CWabunkoApp::instance().router();
  for (const MenuDef& def : mainMenus()) {
    QMenu* menu = menuBar()->addMenu(utf8(def.title));
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
      QAction* action = router.action(item.id, utf8(item.text));
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
  CWabunkoApp& app = CWabunkoApp::instance();
  if (app.inLongOperation()) {
    app.whenIdle([this, path] { onOpenPassedFile(path); });
    return;
  }
  app.openDocumentFile(path);
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void CMainFrame::showImeStatus() {
  QAction* button = CWabunkoApp::instance().router().action(cmd::InputMethodToggle);
  button->setCheckable(true);
  button->setChecked(InputMethod().state() == InputMethod::State::Open);
}

QString CMainFrame::userFilePath(const QString& suffix) {
  const QString folder =
      QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("WabSoft/Wabunko"));
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
  return QDir(folder).filePath(user + suffix);
}

void CMainFrame::onToggleTextStyleBar() {
  viewTextStyleBarFlag = !viewTextStyleBarFlag;
  textStyleBar_->setVisible(viewTextStyleBarFlag != 0);
  layout()->activate();  // the area takes its new size before the children are arranged
  arrangement_->autoArrange();
}

void CMainFrame::onToggleLineNumbers() {
  drawLineNumber = !drawLineNumber;
  writeSetting(store_, settings::FrameDrawLineNumber, drawLineNumber);
  CWabunkoApp::instance().refreshAllGutters(drawLineNumber != 0);
}

void CMainFrame::onToggleTopMost() {
  topMost = !topMost;
  // Changing a window flag hides the window; show it again where it was.
  setWindowFlag(Qt::WindowStaysOnTopHint, topMost != 0);
  show();
}

void CMainFrame::onEditSignature() {
  const QString path = userFilePath(QStringLiteral("_signature.wbk"));
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  // Created empty when absent, left as it is when present.
  if (!file.open(QIODevice::ReadWrite)) {
    showMessage(this, {tr("シグニチャのファイル %1 を作れません。\n%2").arg(path, file.errorString()),
                       QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Ok});
    return;
  }
  file.close();
  CWabunkoApp& app = CWabunkoApp::instance();
  app.pendingKind = FileKind::Text;
  app.openDocumentFile(path);
  app.pendingKind = FileKind::Auto;
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  arrangement_->autoArrange();
  CWabunkoApp::instance().storeAllChildPlacements();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) CWabunkoApp::instance().openDocumentFile(url.toLocalFile());
  event->acceptProposedAction();
}

void CMainFrame::writeFrameState() {
  const QRect normal = normalGeometry();
  const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
  writeSetting(store_, settings::FrameLeft, normal.left() - frameOffset.x());
  writeSetting(store_, settings::FrameTop, normal.top() - frameOffset.y());
  writeSetting(store_, settings::FrameWidth, normal.width());
  writeSetting(store_, settings::FrameHeight, normal.height());
  writeSetting(store_, settings::FrameMaximized, isMaximized() ? 1 : 0);
  if (arrangement_->childCount == 1) arrangement_->maximizedChild = false;
  writeSetting(store_, settings::FrameMaximizedChild, arrangement_->maximizedChild ? 1 : 0);
  writeSetting(store_, settings::FrameViewToolBar, viewToolBarFlag);
  writeSetting(store_, settings::FrameViewStatusBar, viewStatusBarFlag);
  writeSetting(store_, settings::FrameViewTextStyleBar, viewTextStyleBarFlag);
  store_.writeProfileString(utf8(settings::kBarState), QStringLiteral("Layout"),
                            QString::fromLatin1(saveState().toBase64()));
  if (autoSaveOn) autoSave_->stop();
  writeSetting(store_, settings::FileFavorite, favorites);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (printPreviewActive || CWabunkoApp::instance().inLongOperation()) {
    event->ignore();
    return;
  }
  // The frame's state is written first, also when the user then cancels the close.
  writeFrameState();
  DocumentManager& documents = CWabunkoApp::instance().documentManager();
  if (!documents.saveAllModified()) {
    event->ignore();
    return;
  }
  documents.closeAllDocuments();
  event->accept();
}

}  // namespace wabunko
