// The command table against the tables built from it: one row per id, and every toolbar
// button and hot key names a command that has a row.
#include "frame/CommandTable.h"

#include "frame/ToolButtonCatalogue.h"
#include "settings/HotKeyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace wabunko {
namespace {

TEST(CommandTable, EachIdHasOneRowAndIsFoundByIt) {
  const auto table = commandTable();
  EXPECT_TRUE(std::ranges::adjacent_find(table, {}, &Command::id) == table.end());
  EXPECT_TRUE(std::ranges::is_sorted(table, {}, &Command::id));
  for (const Command& row : table) EXPECT_EQ(findCommand(row.id), &row) << row.id;
  for (int id : {0, 1, 32770, 57605, 70000}) EXPECT_EQ(findCommand(id), nullptr) << id;
}

TEST(CommandTable, ButtonsTakeTheirNameAndImageFromTheirCommand) {
  for (Bar bar : {Bar::File, Bar::TextStyle}) {
    const auto catalogue = buttonCatalogue(bar);
    for (std::size_t n = 1; n < catalogue.size(); ++n) {
      const Command* row = findCommand(catalogue[n].command);
      ASSERT_NE(row, nullptr) << catalogue[n].name;
      EXPECT_STREQ(catalogue[n].name, row->buttonName);
      EXPECT_EQ(catalogue[n].image, row->buttonImage) << row->buttonName;
    }
  }
  // A row names a button exactly when some bar carries it.
  std::size_t buttons = 0;
  for (const Command& row : commandTable())
    if (!std::string_view(row.buttonName).empty()) ++buttons;
  EXPECT_EQ(buttons, buttonCatalogue(Bar::File).size() - 1 + buttonCatalogue(Bar::TextStyle).size() - 1);
}

TEST(CommandTable, HotKeysThatRunACommandAreNamedByItsRow) {
  std::size_t running = 0;
  for (const HotkeyCommand& key : hotkeyCommands()) {
    if (key.commandId == 0) continue;
    ++running;
    const Command* row = findCommand(key.commandId);
    ASSERT_NE(row, nullptr) << key.name;
    EXPECT_STREQ(key.name, row->hotkeyName);
    EXPECT_STREQ(key.defaultKey, row->defaultKey) << key.name;
  }
  std::size_t named = 0;
  for (const Command& row : commandTable())
    if (!std::string_view(row.hotkeyName).empty()) ++named;
  EXPECT_EQ(named, running);
}

}  // namespace
}  // namespace wabunko
