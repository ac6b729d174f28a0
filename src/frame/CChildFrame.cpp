#include "CChildFrame.h"

#include "app/CWabunkoApp.h"
#include "frame/CMainFrame.h"
#include "frame/MdiArrangement.h"
#include "platform/CommandRouter.h"
#include "platform/Document.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScreen>

namespace wabunko {
namespace {

constexpr Qt::WindowStates kSizeStates = Qt::WindowMinimized | Qt::WindowMaximized;

}  // namespace

CChildFrame::CChildFrame() : normalRect_(geometry()) {
  setWindowIcon(QIcon(QStringLiteral(":/icons/document.svg")));
  // Against any real rectangle this counts as grown on every side: the frame's first
  // pass pushes its neighbours aside.
  const QSize screen = QGuiApplication::primaryScreen()->size();
  lastRect = {screen.width(), screen.height(), 0, 0};
  if (CMainFrame* mainFrame = CWabunkoApp::instance().mainFrame()) arrangement_ = &mainFrame->arrangement();
  if (arrangement_) arrangement_->childCreated();
  connect(this, &QMdiSubWindow::windowStateChanged, this, &CChildFrame::onWindowStateChanged);
  onCommandId(cmd::WindowNext, [this] { lower(); });
}

CChildFrame::~CChildFrame() {
  if (arrangement_) arrangement_->childDestroyed();
}

void CChildFrame::activateFrame() {
  ChildFrame::activateFrame();
  if (arrangement_) arrangement_->autoArrange();
}

void CChildFrame::setModifiedMark(bool on) {
  if (modifiedMark_ == on) return;
  modifiedMark_ = on;
  updateCaption();
}

QString CChildFrame::caption() const {
  const QString title = ChildFrame::caption();
  if (!modifiedMark_ || title.isEmpty() || title.endsWith(QLatin1Char('*'))) return title;
  return title + QStringLiteral(" *");
}

void CChildFrame::storePlacement() { lastRect = normalRect(); }

bool CChildFrame::showsNormalRect() const { return !(windowState() & kSizeStates) && !restorePending_; }

Rect CChildFrame::normalRect() const { return toRect(showsNormalRect() ? geometry() : normalRect_); }

void CChildFrame::setNormalRect(const Rect& rect) {
  normalRect_ = toQRect(rect);
  if (showsNormalRect())
    setGeometry(normalRect_);
  else
    restorePending_ = true;
}

void CChildFrame::setVisible(bool visible) {
  // Qt hides and shows the window itself while it changes the window state, and the
  // frame is shown again while its area is still hidden: only the first show counts.
  const bool shownByFramework = visible && !shown_ && !inStateChange_ && parentWidget() && arrangement_;
  if (shownByFramework) shown_ = true;
  if (shownByFramework && arrangement_->maximizedChild && !isMaximized()) {
    const MdiArrangement::OwnStateChanges own(*arrangement_);
    showMaximized();
  } else {
    ChildFrame::setVisible(visible);
  }
  if (shownByFramework) arrangement_->autoArrange();
}

void CChildFrame::changeEvent(QEvent* event) {
  if (event->type() != QEvent::WindowStateChange) {
    ChildFrame::changeEvent(event);
    return;
  }
  const QScopedValueRollback<bool> inStateChange(inStateChange_, true);
  ChildFrame::changeEvent(event);
}

void CChildFrame::moveEvent(QMoveEvent* event) {
  ChildFrame::moveEvent(event);
  afterGeometryChange();
}

void CChildFrame::resizeEvent(QResizeEvent* event) {
  ChildFrame::resizeEvent(event);
  afterGeometryChange();
}

void CChildFrame::afterGeometryChange() {
  if (showsNormalRect()) normalRect_ = geometry();
  if (arrangement_) noOverlapPass(*arrangement_, *this);
}

void CChildFrame::onWindowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState) {
  if ((oldState & kSizeStates) == (newState & kSizeStates)) return;  // only activation changed
  if (!(newState & kSizeStates) && restorePending_) {
    restorePending_ = false;
    setGeometry(normalRect_);
  }
  if (!arrangement_ || arrangement_->ownStateChanges()) return;
  // What the editor does not do itself is the user's minimise, maximise or restore.
  if (newState & Qt::WindowMaximized) {
    arrangement_->maximizedChild = true;
  } else {
    arrangement_->maximizedChild = false;
    arrangement_->autoArrange();
  }
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  ChildFrame::closeEvent(event);
  // The closed frame has left the MDI area already.
  if (event->isAccepted() && arrangement_) arrangement_->autoArrange();
}

void CChildFrame::contextMenuEvent(QContextMenuEvent* event) {
  CommandRouter& router = CWabunkoApp::instance().router();
  QMenu menu(window());
  menu.setTitle(QStringLiteral("ﾎﾟｯﾌﾟｱｯﾌﾟ"));
  menu.addAction(router.action(cmd::WindowNext, QStringLiteral("次のｳｨﾝﾄﾞｳ")));
  router.watchMenu(&menu);
  menu.exec(event->globalPos());
}

}  // namespace wabunko
