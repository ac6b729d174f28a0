#include "platform/CommandRouter.h"

#include <QAction>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

struct Target : CommandTarget {
  explicit Target(int handles) : handles(handles) {}
  bool onCommand(int id) override {
    if (id != handles) return false;
    ++ran;
    return true;
  }
  bool onUpdate(int id, CmdUI& ui) override {
    if (id != handles) return false;
    ui.enable(enabled);
    ui.setCheck(true);
    return true;
  }
  int handles;
  int ran = 0;
  bool enabled = false;
};

struct MappedTarget : CommandTarget {
  void map(int id) { onCommandId(id, [] {}); }
  void mapUpdate(int id) { onUpdateId(id, [](CmdUI&) {}); }
};

TEST(CommandTarget, AnIdRegisteredTwiceIsReportedAndStopsADebugBuild) {
  MappedTarget target;
  target.map(1);
  target.mapUpdate(1);  // a command and its update handler are a pair, not a repeat
  target.map(2);
  EXPECT_TRUE(target.duplicateRegistrations().isEmpty());
#ifdef QT_NO_DEBUG
  target.map(2);
  target.mapUpdate(1);
  EXPECT_EQ(target.duplicateRegistrations(), QList<int>({2, 1}));
#else
  EXPECT_DEATH(target.map(2), "command 2 registered twice");
#endif
}

TEST(CommandRouter, FirstTargetOnTheRouteThatHandlesACommandWins) {
  Target view(1), frame(1), app(2);
  CommandRouter router;
  router.setRoute([&] { return std::vector<CommandTarget*>{&view, &frame, &app}; });

  EXPECT_TRUE(router.dispatch(1));
  EXPECT_EQ(view.ran, 1);
  EXPECT_EQ(frame.ran, 0);
  EXPECT_TRUE(router.dispatch(2));
  EXPECT_EQ(app.ran, 1);
  EXPECT_FALSE(router.dispatch(3));

  // Menu items and buttons share one action per command, kept up to date.
  QAction* action = router.action(1, QStringLiteral("One"));
  EXPECT_EQ(router.action(1), action);
  router.updateAll();
  EXPECT_FALSE(action->isEnabled());
  EXPECT_TRUE(action->isChecked());
  view.enabled = true;
  router.updateAll();
  EXPECT_TRUE(action->isEnabled());
  action->trigger();
  EXPECT_EQ(view.ran, 2);
}

}  // namespace
}  // namespace wabunko
