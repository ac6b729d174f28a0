#include "search/DialogPlacement.h"

#include <gtest/gtest.h>

namespace wabunko {
namespace {

const Rect kScreen{0, 0, 1000, 800};

TEST(DialogPlacement, TheDialogMovesClearOfTheMatch) {
  struct Case {
    const char* what;
    Rect dialog, selection;
    bool vertical;
    Rect want;
  };
  const Case cases[] = {
      {"not covering: stays", {100, 100, 400, 250}, {500, 500, 560, 520}, false, {100, 100, 400, 250}},
      {"rows: above", {100, 400, 400, 550}, {200, 500, 260, 520}, false, {100, 330, 400, 480}},
      {"rows: below when no room above", {100, 0, 400, 150}, {200, 100, 260, 120}, false, {100, 140, 400, 290}},
      {"columns: left", {500, 100, 800, 250}, {600, 50, 620, 700}, true, {280, 100, 580, 250}},
      {"columns: right when no room left", {0, 100, 300, 250}, {100, 50, 120, 700}, true, {140, 100, 440, 250}},
  };
  for (const Case& c : cases) {
    const Rect got = placeOffSelection(c.dialog, c.selection, kScreen, c.vertical);
    EXPECT_EQ(got, c.want) << c.what;
    EXPECT_TRUE(intersect(got, c.selection).isEmpty()) << c.what;
  }
}

TEST(DialogPlacement, WhereNoSideHasRoomTheDialogStaysOnTheScreen) {
  const Rect selection{0, 300, 1000, 500};
  const Rect got = placeOffSelection({100, 350, 500, 750}, selection, kScreen, false);
  EXPECT_EQ(intersect(got, kScreen), got);
}

}  // namespace
}  // namespace wabunko
