// The child windows in the real MDI area, offscreen: tiled windows keep each other in
// place, the maximised-child rule, the arrangement commands, the window order and the
// title mark.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "frame/MdiArrangement.h"
#include "frame/ProfileSettings.h"
#include "platform/CommandRouter.h"
#include "platform/MemoryStore.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"

#include <QMdiArea>
#include <gtest/gtest.h>

#include <set>

namespace wabunko {
namespace {

CChildFrame* frameOf(CWabunkoDoc* doc) { return qobject_cast<CChildFrame*>(viewOf(doc)->childFrame()); }

// The harness's first window and a second one opened with "Maximized Child" as given.
std::pair<CChildFrame*, CChildFrame*> twoWindows(AppHarness& h, int maximizedChild) {
  writeSetting(h.store(), settings::FrameMaximizedChild, maximizedChild);
  h.app().router().dispatch(cmd::FileNew);
  const std::vector<CWabunkoDoc*> docs = h.documents();
  return {frameOf(docs.at(0)), frameOf(docs.at(1))};
}

QMdiArea& area(AppHarness& h) { return *h.app().mainFrame()->mdiArea(); }
MdiArrangement& arrangement(AppHarness& h) { return h.app().mainFrame()->arrangement(); }

TEST(MdiArrangement, FirstWindowOpensMaximisedAndTheSecondFollowsTheStoredChoice) {
  for (const int stored : {0, 1}) {
    SCOPED_TRACE(stored);
    AppHarness h;
    EXPECT_TRUE(frameOf(h.documents().front())->isMaximized());
    const auto [first, second] = twoWindows(h, stored);
    EXPECT_EQ(second->isMaximized(), stored == 1);
    EXPECT_EQ(arrangement(h).maximizedChild, stored == 1);
    EXPECT_EQ(arrangement(h).childCount, 2);
    if (stored == 0) {
      // Auto-arranged one above the other, the new window on top.
      const QRect client = area(h).viewport()->rect();
      EXPECT_EQ(second->geometry(), QRect(0, 0, client.width(), client.height() / 2));
      EXPECT_EQ(first->geometry().top(), second->geometry().bottom() + 1);
      EXPECT_FALSE(first->isMaximized());
    }
  }
}

TEST(MdiArrangement, TiledWindowsPushAndFillEachOther) {
  AppHarness h;
  const auto [lower, upper] = twoWindows(h, 0);
  const QRect below = lower->geometry();
  ASSERT_EQ(upper->geometry().bottom() + 1, below.top());

  upper->setGeometry(upper->geometry().adjusted(0, 0, 0, 50));  // bottom edge down
  EXPECT_EQ(lower->geometry(), below.adjusted(0, 50, 0, 0));
  upper->setGeometry(upper->geometry().adjusted(0, 0, 0, -100));  // and up past the start
  EXPECT_EQ(lower->geometry(), below.adjusted(0, -50, 0, 0));
}

TEST(MdiArrangement, MinimisingAMaximisedChildClearsTheStateAndRetiles) {
  AppHarness h;
  const auto [first, second] = twoWindows(h, 1);
  ASSERT_TRUE(second->isMaximized());
  second->showMinimized();
  EXPECT_FALSE(arrangement(h).maximizedChild);
  // The other window fills the width above the minimised one.
  EXPECT_FALSE(first->isMaximized());
  EXPECT_EQ(first->geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(first->width(), area(h).viewport()->width());
  EXPECT_LE(first->geometry().bottom(), second->geometry().top());
}

TEST(MdiArrangement, ArrangementCommandIsStoredAndReadAgain) {
  AppHarness h;
  const auto [first, second] = twoWindows(h, 0);
  CommandRouter& router = h.app().router();
  ASSERT_TRUE(router.dispatch(cmd::WindowTileVert));
  EXPECT_EQ(readString(h.store(), settings::FrameChildWindow), QStringLiteral("左右に"));
  EXPECT_EQ(router.update(cmd::WindowTileVert).checked(), true);
  EXPECT_EQ(router.update(cmd::WindowTileHorz).checked(), false);
  EXPECT_EQ(second->geometry().right() + 1, first->geometry().left());
  EXPECT_EQ(second->geometry().top(), first->geometry().top());

  QMdiArea otherArea;
  EXPECT_EQ(MdiArrangement(&otherArea, h.store()).arrangeMethod, QStringLiteral("左右に"));
}

TEST(MdiArrangement, NextWindowCyclesThroughTheStackAndPreviousGoesBack) {
  for (const int maximised : {0, 1}) {
    SCOPED_TRACE(maximised);
    AppHarness h;
    twoWindows(h, maximised);
    h.app().router().dispatch(cmd::FileNew);
    std::vector<QMdiSubWindow*> visited;
    for (int i = 0; i < 3; ++i) {
      visited.push_back(area(h).currentSubWindow());
      arrangement(h).nextWindow();
    }
    EXPECT_EQ(area(h).currentSubWindow(), visited[0]);
    EXPECT_EQ(std::set<QMdiSubWindow*>(visited.begin(), visited.end()).size(), 3u);
    arrangement(h).previousWindow();
    EXPECT_EQ(area(h).currentSubWindow(), visited[1]);
    EXPECT_EQ(area(h).currentSubWindow()->isMaximized(), maximised == 1);

    // 2202 sends the active window to the back and leaves it active.
    ASSERT_TRUE(h.app().router().dispatch(cmd::WindowNext));
    EXPECT_EQ(area(h).subWindowList(QMdiArea::StackingOrder).front(), visited[1]);
    EXPECT_EQ(area(h).currentSubWindow(), visited[1]);
  }
}

TEST(MdiArrangement, EditedDocumentsShowTheMarkOnce) {
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  CChildFrame* frame = frameOf(doc);
  doc->display()->edit().replaceSel(QStringLiteral("x"), true);  // an edit marks the title
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Wabun1 *"));
  doc->setTitle(QStringLiteral("draft*"));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("draft*"));
  doc->setModifiedFlag(false);
  doc->setTitle(QStringLiteral("draft"));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("draft"));
}

}  // namespace
}  // namespace wabunko
