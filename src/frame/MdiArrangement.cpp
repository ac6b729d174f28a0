#include "MdiArrangement.h"

#include "app/CWabunkoApp.h"
#include "frame/CChildFrame.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"
#include "view/CharFormat.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace wabunko {
namespace {

QString methodText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MdiArrangement::MdiArrangement(QMdiArea* area, SettingsStore& store, QObject* parent)
    : QObject(parent), area_(area), store_(store) {
  arrangeMethod = readString(store_, settings::FrameChildWindow);
  autoArrangeChild = readInt(store_, settings::FrameAutoArrangeChild) != 0;
  maximizedChild = readInt(store_, settings::FrameMaximizedChild) != 0;
  // Qt's own passing of the maximised state to the activated child would look like the
  // user's maximise and restore: it is done here instead, so that every minimise,
  // maximise and restore the editor does not do itself is the user's.
  area_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  connect(area_, &QMdiArea::subWindowActivated, this, &MdiArrangement::onSubWindowActivated);
  area_->viewport()->installEventFilter(this);
  mapCommands();
}

void MdiArrangement::mapCommands() {
  const struct {
    int id;
    std::string_view method;
    void (MdiArrangement::*arrange)();
  } commands[] = {
      {cmd::WindowCascade, kCascadeText, &MdiArrangement::cascade},
      {cmd::WindowTileHorz, kAboveEachOtherText, &MdiArrangement::tileHorizontal},
      {cmd::WindowTileVert, kSideBySideText, &MdiArrangement::tileVertical},
  };
  for (const auto& c : commands) {
    onCommandId(c.id, [this, c] {
      setArrangeMethod(c.method);
      (this->*c.arrange)();
    });
    onUpdateId(c.id, [this, c](CmdUI& ui) { ui.setCheck(arrangeMethod == methodText(c.method)); });
  }
}

void MdiArrangement::setArrangeMethod(std::string_view text) {
  arrangeMethod = methodText(text);
  writeSetting(store_, settings::FrameChildWindow, arrangeMethod);
}

void MdiArrangement::autoArrange() {
  CWabunkoApp::instance().markAllChildren();
  if (!autoArrangeChild || maximizedChild) return;
  switch (method()) {
    case ArrangeMethod::Cascade:
      cascade();
      break;
    case ArrangeMethod::SideBySide:
      tileVertical();
      break;
    default:
      tileHorizontal();
      break;
  }
}

void MdiArrangement::cascade() {
  const OwnStateChanges own(*this);
  const QList<QMdiSubWindow*> windows = restoredWindows();
  const int step = area_->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, area_);
  place(windows, cascadeLayout(clientRect(), static_cast<int>(windows.size()), step));
}

void MdiArrangement::tileHorizontal() { tile(ArrangeMethod::AboveEachOther); }
void MdiArrangement::tileVertical() { tile(ArrangeMethod::SideBySide); }

void MdiArrangement::tile(ArrangeMethod method) {
  const OwnStateChanges own(*this);
  QList<QMdiSubWindow*> windows = restoredWindows();
  std::reverse(windows.begin(), windows.end());  // the top window takes the first place
  place(windows, tileLayout(clientAboveIcons(), static_cast<int>(windows.size()), method));
}

QList<QMdiSubWindow*> MdiArrangement::restoredWindows() {
  const auto arranged = [](const QMdiSubWindow* w) { return w->isVisible() && !w->isMinimized(); };
  for (QMdiSubWindow* w : area_->subWindowList())
    if (arranged(w) && w->isMaximized()) w->showNormal();
  // Restoring raises a window: take the stacking order afterwards.
  QList<QMdiSubWindow*> windows = area_->subWindowList(QMdiArea::StackingOrder);
  windows.removeIf([&](const QMdiSubWindow* w) { return !arranged(w); });
  return windows;
}

void MdiArrangement::place(const QList<QMdiSubWindow*>& windows, const std::vector<Rect>& rects) {
  for (qsizetype i = 0; i < windows.size(); ++i) {
    const QRect target = toQRect(rects[static_cast<std::size_t>(i)]);
    // Every arranged window has its pass, as after any size or move; one already in its
    // place gets no move event, and its pass would only end its part in the arrangement.
    if (windows[i]->geometry() == target) {
      if (auto* frame = qobject_cast<CChildFrame*>(windows[i])) frame->inArrangement = false;
      continue;
    }
    windows[i]->setGeometry(target);
  }
}

Rect MdiArrangement::clientRect() const { return toRect(area_->viewport()->rect()); }

Rect MdiArrangement::clientAboveIcons() const {
  QList<QMdiSubWindow*> icons = area_->subWindowList();
  icons.removeIf([](const QMdiSubWindow* w) { return !w->isVisible() || !w->isMinimized(); });
  const QSize icon = icons.isEmpty() ? QSize() : icons.front()->size();
  return withoutIconRows(clientRect(), static_cast<int>(icons.size()), icon.width(), icon.height());
}

QMdiSubWindow* MdiArrangement::windowBehindActive() const {
  // The current window stays current while another program is in front, when the hot
  // keys still reach the editor.
  QMdiSubWindow* active = area_->currentSubWindow();
  if (!active) return nullptr;
  const QList<QMdiSubWindow*> stack = area_->subWindowList(QMdiArea::StackingOrder);
  for (qsizetype i = stack.indexOf(active) - 1; i >= 0; --i)
    if (stack[i]->isVisible()) return stack[i];
  return nullptr;
}

void MdiArrangement::previousWindow() {
  // Activating a window brings it to the top.
  if (QMdiSubWindow* behind = windowBehindActive()) area_->setActiveSubWindow(behind);
}

void MdiArrangement::nextWindow() {
  QMdiSubWindow* behind = windowBehindActive();
  if (!behind) return;
  QMdiSubWindow* active = area_->currentSubWindow();
  // Qt raises a window it deactivates: send it to the bottom afterwards.
  area_->setActiveSubWindow(behind);
  active->lower();
}

void MdiArrangement::onSubWindowActivated(QMdiSubWindow* window) {
  const QPointer<QMdiSubWindow> previous = std::exchange(active_, window);
  if (ownStateChanges() || !window || !previous || previous == window || !previous->isMaximized())
    return;
  const OwnStateChanges own(*this);
  // Restoring a window activates it: restore the old one first (unless it is being
  // closed and has left the area), then maximise the new one and make it active again.
  if (area_->subWindowList().contains(previous)) previous->showNormal();
  if (!window->isMaximized()) window->showMaximized();
  area_->setActiveSubWindow(window);
}

void MdiArrangement::childCreated() {
  ++childCount;
  if (childCount < 2)
    maximizedChild = true;
  else if (childCount == 2)
    maximizedChild = readInt(store_, settings::FrameMaximizedChild) != 0;
}

void MdiArrangement::childDestroyed() { --childCount; }

std::vector<ArrangedChild*> MdiArrangement::children() const {
  std::vector<ArrangedChild*> frames;
  for (CWabunkoView* view : CWabunkoApp::instance().views())
    if (auto* frame = qobject_cast<CChildFrame*>(view->childFrame())) frames.push_back(frame);
  return frames;
}

bool MdiArrangement::noIntersection() const {
  return readInt(store_, settings::FrameNoIntersectionChild) != 0;
}

ArrangeMethod MdiArrangement::method() const {
  return arrangeMethodFromText(readString(store_, settings::FrameChildWindow).toStdString());
}

bool MdiArrangement::eventFilter(QObject* watched, QEvent* event) {
  // The colour is read at every repaint: the Window page changes it and repaints. The type
  // is tested first: the viewport's last events come while the area is being destroyed.
  if (event->type() == QEvent::Paint && watched == area_->viewport())
    area_->setBackground(colorFromRef(static_cast<std::uint32_t>(readInt(store_, settings::ColorBackGroundParent))));
  return QObject::eventFilter(watched, event);
}

}  // namespace wabunko
