#include "settings/HotKeyTable.h"

#include "frame/CommandTable.h"
#include "frame/SettingsLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace wabunko {
namespace {

using enum KeyModifier;

struct KeyTextCase {
  std::string_view text;
  std::optional<KeyCombo> key;
};

TEST(HotKeyTable, KeyTextNamesAKeyOnlyAtSixCharacters) {
  const KeyTextCase cases[] = {
      {"Ctrl+N", KeyCombo{Control, 0x4E}},
      {"Alt +Q", KeyCombo{Alt, 0x51}},
      {"Ctrl+q", KeyCombo{Control, 0x71}},  // the letter's own code: the F2 key
      {"Ctrl+1", KeyCombo{Control, 0x31}},
      {"AAAAAZ", KeyCombo{Alt, 0x5A}},       // only the first and sixth characters count
      {"alt +Q", KeyCombo{Control, 0x51}},   // anything but "A" is Control
      {"Ctrl+é", KeyCombo{Control, 0xE9}},   // one character, two bytes
      {"Ａｌｔ＋ＮN", KeyCombo{Control, 0x4E}},  // full-width "Ａ" is not "A"
      {"Ctrl+Ｎ", std::nullopt},             // six characters, but no virtual-key code
      {"Ctrl+ÿ", std::nullopt},              // 0xFF is no virtual-key code either
      {"Ctrl+", std::nullopt},
      {"", std::nullopt},
      {"Ctrl+NN", std::nullopt},
      {"Ｃｔｒｌ＋", std::nullopt},
      {std::string_view("Ctrl+\0", 6), std::nullopt},
      {"Ctrl+\xC3", std::nullopt},           // cut-off sequence
      {"Ctrl+\xC1\xB1", std::nullopt},       // over-long "q"
      {"Ctrl+\x80", std::nullopt},           // stray continuation byte
  };
  for (const KeyTextCase& c : cases) EXPECT_EQ(parseKeyText(c.text), c.key) << c.text;
}

TEST(HotKeyTable, MadeKeyTextsNameTheirKey) {
  EXPECT_EQ(makeKeyText({Control, 'N'}), "Ctrl+N");
  EXPECT_EQ(makeKeyText({Alt, 'N'}), "Alt +N");
  for (KeyModifier modifier : {Control, Alt}) {
    for (int vk = 1; vk <= 0xFE; ++vk) {
      const KeyCombo key{modifier, vk};
      EXPECT_EQ(parseKeyText(makeKeyText(key)), key) << vk;
    }
  }
}

TEST(HotKeyTable, HoldsFortyThreeNamedCommandsWithValidDefaults) {
  const auto commands = hotkeyCommands();
  ASSERT_EQ(commands.size(), 43u);
  std::set<std::string> names;
  for (const HotkeyCommand& c : commands) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    const std::string_view key = c.defaultKey;
    EXPECT_TRUE(key.empty() || parseKeyText(key)) << c.name;
    if (c.commandId == 0) continue;
    const Command* runs = findCommand(c.commandId);
    ASSERT_NE(runs, nullptr) << c.name;
    EXPECT_STRNE(runs->menuText, "") << c.name;
  }
}

TEST(HotKeyTable, CategoriesFollowTheTable) {
  const auto commands = hotkeyCommands();
  const auto categoryOf = [](std::size_t i) {
    if (i <= 5) return HotkeyCategory::FileOperation;
    if (i <= 14 || i >= 36) return HotkeyCategory::DocumentEditing;
    if (i <= 22) return HotkeyCategory::CursorMovement;
    return HotkeyCategory::Window;
  };
  for (std::size_t i = 0; i < commands.size(); ++i)
    EXPECT_EQ(commands[i].category, categoryOf(i)) << i;
  EXPECT_STREQ(categoryText(HotkeyCategory::FileOperation), "ファイル操作");
  EXPECT_STREQ(categoryText(HotkeyCategory::DocumentEditing), "文書編集");
  EXPECT_STREQ(categoryText(HotkeyCategory::CursorMovement), "カーソル移動");
  EXPECT_STREQ(categoryText(HotkeyCategory::Window), "ウィンドウ");
}

struct FrameCommand {
  std::size_t index;
  const char* name;
  int id;
  const char* defaultKey;
};

TEST(HotKeyTable, TheFrameOwnsItsFifteenCommandsInOrder) {
  const FrameCommand expected[] = {
      {0, "新規作成", 57600, "Ctrl+N"},      {1, "開く", 57601, "Ctrl+O"},
      {2, "上書き保存", 57603, "Ctrl+S"},    {3, "名前をつけて保存", 57604, ""},
      {4, "すべて保存", 32782, ""},          {5, "印刷", 57607, "Ctrl+P"},
      {23, "重ねて表示", 57650, ""},         {24, "上下にならべて表示", 57651, ""},
      {25, "左右にならべて表示", 57652, ""}, {26, "前のウィンドウ", 2201, ""},
      {27, "次のウィンドウ", 2202, ""},      {28, "最大化(親)", 61488, ""},
      {29, "最小化(親)", 61472, ""},         {30, "元のサイズに戻す(親)", 61728, ""},
      {31, "終了(親)", 61536, ""},
  };
  const auto indices = frameHotkeyIndices();
  ASSERT_EQ(indices.size(), std::size(expected));
  for (std::size_t k = 0; k < indices.size(); ++k) {
    const FrameCommand& e = expected[k];
    EXPECT_EQ(indices[k], e.index);
    const HotkeyCommand& c = hotkeyCommands()[e.index];
    EXPECT_STREQ(c.name, e.name);
    EXPECT_EQ(c.id, e.id) << e.name;
    EXPECT_STREQ(c.defaultKey, e.defaultKey) << e.name;
    // The file keys post their own command; the window keys act on the windows.
    EXPECT_EQ(c.commandId, e.index <= 5 ? e.id : 0) << e.name;
  }
}

TEST(HotKeyTable, TheViewOwnsTheOtherTwentyEightAndEachOwnersIdsAreDistinct) {
  const std::multiset<int> viewIds = {57643, 57635, 57634, 57637, 57632, 57642, 57636,
                                      32811, 57641, 2212,  2211,  2213,  2214,  2216,
                                      2215,  32776, 32777, 61488, 61472, 61728, 61536,
                                      32806, 32797, 32796, 32803, 32793, 32786, 32804};
  std::multiset<int> seen;
  for (std::size_t i : viewHotkeyIndices()) seen.insert(hotkeyCommands()[i].id);
  EXPECT_EQ(seen, viewIds);
  EXPECT_EQ(std::set<int>(viewIds.begin(), viewIds.end()).size(), viewIds.size());

  std::set<int> frameIds;
  for (std::size_t i : frameHotkeyIndices()) frameIds.insert(hotkeyCommands()[i].id);
  EXPECT_EQ(frameIds.size(), frameHotkeyIndices().size());

  std::set<std::size_t> all(frameHotkeyIndices().begin(), frameHotkeyIndices().end());
  all.insert(viewHotkeyIndices().begin(), viewHotkeyIndices().end());
  EXPECT_EQ(all.size(), kHotkeyCommandCount);
  EXPECT_TRUE(std::ranges::is_sorted(viewHotkeyIndices()));
  // The parent's and the child's window keys share their numbers.
  for (std::size_t i = 28; i <= 31; ++i)
    EXPECT_EQ(hotkeyCommands()[i].id, hotkeyCommands()[i + 4].id) << i;
}

TEST(HotKeyTable, FindAndReplaceKeysRunTheFramesCommands) {
  const auto commands = hotkeyCommands();
  EXPECT_EQ(commands[12].id, 57636);
  EXPECT_EQ(commands[12].commandId, 32810);
  EXPECT_EQ(commands[14].id, 57641);
  EXPECT_EQ(commands[14].commandId, 32812);
  EXPECT_EQ(commands[36].commandId, 32797);
  EXPECT_STREQ(commands[36].name, "この行");
  EXPECT_STREQ(findCommand(commands[36].commandId)->menuText, "先頭から");
}

TEST(HotKeyTable, EveryCommandHasItsSettingInTheLayout) {
  for (std::size_t i = 0; i < kHotkeyCommandCount; ++i) {
    const HotkeyCommand& c = hotkeyCommands()[i];
    const settings::Setting* s = settings::findSetting("hot KEY", c.name);
    ASSERT_NE(s, nullptr) << c.name;
    EXPECT_STREQ(s->section, "Hot key");
    EXPECT_EQ(s->type, settings::Type::String);
    EXPECT_STREQ(s->stringDefault, c.defaultKey) << c.name;
  }
}

}  // namespace
}  // namespace wabunko
