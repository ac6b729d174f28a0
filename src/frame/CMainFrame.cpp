#include "CMainFrame.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/AutoSave.h"
#include "frame/Favourites.h"
#include "frame/CChildFrame.h"
#include "frame/FrameCommands.h"
#include "frame/FrameHotKeys.h"
#include "frame/FontCombos.h"
#include "frame/FrameMenus.h"
#include "frame/FramePlacement.h"
#include "frame/MdiArrangement.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "frame/SettingsSheetCommand.h"
#include "frame/StatusPanes.h"
#include "frame/ToolBars.h"
#include "platform/ChildFrame.h"
#include "platform/CommandRouter.h"
#include "platform/Dialogs.h"
#include "platform/Document.h"
#include "platform/DocumentManager.h"
#include "platform/InputMethod.h"
#include "platform/KeyboardLocks.h"
#include "platform/SettingsStore.h"
#include "platform/StandardCommands.h"
#include "search/FindCommands.h"
#include "search/FindInFilesCommands.h"
#include "view/CWabunkoView.h"
#include "view/ViewHotKeys.h"
#include "view/ViewCommands.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QLayout>
#include <QMdiArea>
#include <QMimeData>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace wabunko {
namespace {

QString utf8(const char* s) { return QString::fromUtf8(s); }

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
          [this] {
            if (CWabunkoView* view = activeView()) view->hotKeys().unregisterKeys();
          },
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
  menus_ = new FrameMenus(this, app.router(), [] { return CWabunkoApp::instance().recentFiles(); });
  toolBars_ = new ToolBars(this, app.router(), store_, [this] { return activeView(); });
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
  favourites_ = new Favourites(
      menus_->menuTitled(tr("お気に入り")), app.router(), readString(store_, settings::FileFavorite),
      Favourites::Hooks{[this] {
                          const CWabunkoView* view = activeView();
                          const Document* doc = view ? view->View::document() : nullptr;
                          return doc ? doc->pathName() : QString();
                        },
                        [](const QString& path) { CWabunkoApp::instance().openDocumentFile(path); }},
      this);

  find_ = std::make_unique<FindCommands>(
      this, store_,
      [this]() -> EditControl* {
        CWabunkoView* view = activeView();
        return view ? &view->edit() : nullptr;
      },
      post);
  findInFiles_ = std::make_unique<FindInFilesCommands>(
      this, store_, find_->state(),
      FindInFilesCommands::Hooks{[] { return openDocumentTexts(CWabunkoApp::instance().documents()); },
                                 [](const QString& path, int paragraph) {
                                   if (CWabunkoDoc* doc = CWabunkoApp::instance().openDocumentFile(path))
                                     showParagraph(*doc, paragraph);
                                 }});
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
  onCommandId(cmd::ViewToolBar, [this] { toolBar()->setVisible(!toolBar()->isVisible()); });
  onUpdateId(cmd::ViewToolBar, [this](CmdUI& ui) { ui.setCheck(toolBar()->isVisible()); });
  onCommandId(cmd::ViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
  onUpdateId(cmd::ViewStatusBar, [this](CmdUI& ui) { ui.setCheck(statusBar()->isVisible()); });
  onCommandId(cmd::ViewLineNumbers, [this] { onToggleLineNumbers(); });
  onUpdateId(cmd::ViewLineNumbers, [this](CmdUI& ui) { ui.setCheck(drawLineNumber != 0); });
  onCommandId(cmd::WindowTopMost, [this] { onToggleTopMost(); });
  onUpdateId(cmd::WindowTopMost, [this](CmdUI& ui) { ui.setCheck(topMost != 0); });
  onCommandId(cmd::EditSignature, [this] { onEditSignature(); });
  onCommandId(cmd::SettingsSheet, [this] { runSettingsSheetCommand(*this, store_); });
  onCommandId(cmd::FavouriteAdd, [this] { favourites_->addActive(); });
  onCommandId(cmd::FavouriteOrganise, [this] { favourites_->organise(); });
  for (int k = 1; k <= Favourites::kOpenable; ++k)
    onCommandId(cmd::FavouriteAdd + k, [this, k] { favourites_->open(k); });
}

void CMainFrame::restorePlacement() {
  // Stored as the normal (not maximised) rectangle; the maximised state is applied at start.
  const QRect placement = framePlacement(store_);
  move(placement.topLeft());
  resize(placement.size());
}

QToolBar* CMainFrame::toolBar() const { return toolBars_->bar(Bar::File); }

QToolBar* CMainFrame::textStyleBar() const { return toolBars_->bar(Bar::TextStyle); }

void CMainFrame::createStatusBar() {
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  statusPanes_ = std::make_unique<StatusPanes>(statusBar());
}

void CMainFrame::updateStatusPanes() {
  statusPanes_->show({caretLine, caretColumn, insertMode == 0, currentKeyboardLocks()});
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
  route.push_back(find_.get());
  route.push_back(findInFiles_.get());
  route.push_back(arrangement_);
  route.push_back(&CWabunkoApp::instance());
  return route;
}

void CMainFrame::comeToFront() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void CMainFrame::showImeStatus() {
  QAction* button = CWabunkoApp::instance().router().action(cmd::InputMethodToggle);
  button->setCheckable(true);
  button->setChecked(InputMethod().state() == InputMethod::State::Open);
}

void CMainFrame::showFormatOfCaret(const QString& face, int heightTwips) {
  toolBars_->combos().showFormatOfCaret(face, heightTwips);
}

void CMainFrame::checkFormatButton(int command, bool checked) {
  toolBars_->checkFormatButton(Bar::TextStyle, command, checked);
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
  textStyleBar()->setVisible(viewTextStyleBarFlag != 0);
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
  writeSetting(store_, settings::FileFavorite, favourites_->stored());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (printPreviewActive || CWabunkoApp::instance().inLongOperation()) {
    event->ignore();
    return;
  }
  // A find in files stops before anything else, its file being searched done.
  findInFiles_->stop();
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
