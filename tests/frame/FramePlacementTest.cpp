// Where the real main window opens, offscreen, from the rectangle in the store.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "frame/CMainFrame.h"
#include "platform/MemoryStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

MemoryStore::Sections placement(int left, int top, int width, int height) {
  return {{QStringLiteral("Frame position"),
           {{QStringLiteral("Left  "), QString::number(left)},
            {QStringLiteral("Top   "), QString::number(top)},
            {QStringLiteral("Width "), QString::number(width)},
            {QStringLiteral("Height"), QString::number(height)}}}};
}

QRect openedAt(const MemoryStore::Sections& settings) {
  AppHarness h(settings);
  const CMainFrame* frame = h.app().mainFrame();
  return {frame->pos(), frame->normalGeometry().size()};
}

TEST(FramePlacement, AWindowStoredOnScreenOpensExactlyWhereItWas) {
  EXPECT_EQ(openedAt(placement(30, 40, 500, 300)), QRect(30, 40, 500, 300));
}

TEST(FramePlacement, AWindowStoredOffEveryScreenOpensOnTheNearestOne) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_GE(screen.height(), 400);
  // Left of and below the screen: it goes to the screen's bottom left corner.
  EXPECT_EQ(openedAt(placement(-32767, 32767, 400, 400)),
            QRect(screen.left(), screen.bottom() + 1 - 400, 400, 400));
  // Larger than the screen as well: it fills it.
  EXPECT_EQ(openedAt(placement(-32767, 32767, 99999, 99999)), screen);
}

}  // namespace
}  // namespace wabunko
