// What a screen reader hears of the status panes: each pane's accessible name follows
// what the pane shows, locks and overwrite included.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CMainFrame.h"
#include "platform/EditControl.h"
#include "frame/StatusPanes.h"
#include "platform/KeyboardLocks.h"
#include "view/CWabunkoView.h"

#include <QAccessible>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

// The panes' texts and accessible names, in the bar's order, as the accessibility layer
// reports them.
struct Heard {
  QStringList shown;
  QStringList names;
};

Heard heard(const QStatusBar& bar) {
  Heard h;
  for (const QLabel* label : bar.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    h.shown << label->text();
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label));
    h.names << (pane ? pane->text(QAccessible::Name) : QStringLiteral("(not accessible)"));
  }
  return h;
}

TEST(StatusPanes, AccessibleNamesSayWhatEachPaneShows) {
  struct Case {
    StatusPanes::Values values;
    QStringList shown;
    QStringList names;
  };
  const Case cases[] = {
      {{1, 0, false, std::nullopt},
       {"1行：0列", "", "", "", "", ""},
       {"1行：0列", "ｶﾅ オフ", "CAP オフ", "NUM オフ", "SCRL オフ", "挿入"}},
      {{12, 34, true, KeyboardLocks{true, false, true}},
       {"12行：34列", "", "CAP", "", "SCRL", "上書"},
       {"12行：34列", "ｶﾅ オフ", "CAP オン", "NUM オフ", "SCRL オン", "上書"}},
      {{3, 7, false, KeyboardLocks{false, true, false}},
       {"3行：7列", "", "", "NUM", "", ""},
       {"3行：7列", "ｶﾅ オフ", "CAP オフ", "NUM オン", "SCRL オフ", "挿入"}},
  };
  QStatusBar bar;
  StatusPanes panes(&bar);
  for (const Case& c : cases) {
    panes.show(c.values);
    const Heard h = heard(bar);
    EXPECT_EQ(h.shown, c.shown);
    EXPECT_EQ(h.names, c.names);
  }
}

TEST(StatusPanes, TheFramesPaneFollowsTheCaret) {
  AppHarness h;
  h.documents().front()->display()->edit().replaceSel(QStringLiteral("一行目\n二行目の文"), false);
  const QStatusBar& bar = *h.app().mainFrame()->statusBar();
  ASSERT_TRUE(QTest::qWaitFor([&] { return heard(bar).names.value(0) == QStringLiteral("2行：5列"); }, 2000))
      << heard(bar).names.join(QLatin1Char('|')).toStdString();
}

}  // namespace
}  // namespace wabunko
