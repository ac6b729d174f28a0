#include "settings/HotkeyAssignments.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace wabunko {
namespace {

using enum HotkeyCategory;
using Changes = std::vector<std::pair<std::size_t, std::string>>;

constexpr HotkeyCategory kCategories[] = {FileOperation, DocumentEditing, CursorMovement, Window};
constexpr HeldModifiers kNone{};
constexpr HeldModifiers kControl{.control = true};
constexpr HeldModifiers kAlt{.alt = true};
constexpr HeldModifiers kBoth{.control = true, .alt = true};

HotkeyAssignments::KeyTexts defaultsWith(const Changes& changes) {
  HotkeyAssignments::KeyTexts texts = HotkeyAssignments().keyTexts();
  for (const auto& [command, text] : changes) texts.at(command) = text;
  return texts;
}

const char* nameOfRow(HotkeyCategory category, std::size_t row) {
  return hotkeyCommands()[hotkeyCommandOfRow(category, row)].name;
}

TEST(HotkeyAssignments, AFreshPageShowsTheDefaultFileKeys) {
  const HotkeyAssignments page;
  const char* expected[] = {"Ctrl+N", "Ctrl+O", "Ctrl+S", "", "", "Ctrl+P"};
  ASSERT_EQ(hotkeyRowCount(FileOperation), std::size(expected));
  for (std::size_t row = 0; row < std::size(expected); ++row)
    EXPECT_EQ(page.keyText(hotkeyCommandOfRow(FileOperation, row)), expected[row]) << row;
}

TEST(HotkeyAssignments, RowsNameTheCommandsOfTheirCategory) {
  struct Case {
    HotkeyCategory category;
    std::size_t row;
    std::size_t command;
    const char* name;
  };
  const Case cases[] = {
      {FileOperation, 0, 0, "新規作成"},       {FileOperation, 5, 5, "印刷"},
      {DocumentEditing, 0, 6, "元に戻す"},     {DocumentEditing, 8, 14, "置換"},
      {DocumentEditing, 9, 36, "この行"},      {DocumentEditing, 15, 42, "シグニチャ"},
      {CursorMovement, 0, 15, "一文字右へ移動"}, {CursorMovement, 7, 22, "最後に移動"},
      {Window, 0, 23, "重ねて表示"},           {Window, 12, 35, "閉じる(子)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hotkeyCommandOfRow(c.category, c.row), c.command) << c.name;
    EXPECT_STREQ(nameOfRow(c.category, c.row), c.name);
  }
  // Together the categories list every command once, each under the category the
  // command table gives it.
  std::set<std::size_t> listed;
  for (HotkeyCategory category : kCategories) {
    for (std::size_t row = 0; row < hotkeyRowCount(category); ++row) {
      const std::size_t command = hotkeyCommandOfRow(category, row);
      EXPECT_TRUE(listed.insert(command).second) << command;
      EXPECT_EQ(hotkeyCommands()[command].category, category) << command;
    }
  }
  EXPECT_EQ(listed.size(), kHotkeyCommandCount);
}

struct AssignCase {
  const char* what;
  Changes stored;
  HotkeyCategory category;
  std::vector<std::size_t> rows;
  int virtualKey;
  HeldModifiers held;
  std::vector<std::size_t> conflicts;
  Changes result;  // compared with the defaults plus `stored`
};

TEST(HotkeyAssignments, AssigningFollowsTheConflictAndModifierRules) {
  const AssignCase cases[] = {
      {"Ctrl+S is 上書き保存's", {}, FileOperation, {0}, 'S', kControl, {2}, {}},
      {"a row's own key is taken too", {}, FileOperation, {0}, 'N', kControl, {0}, {}},
      {"Control wins over Alt", {}, FileOperation, {3}, 'Q', kBoth, {}, {{3, "Ctrl+Q"}}},
      {"Alt+N differs from Ctrl+N", {}, FileOperation, {3}, 'N', kAlt, {}, {{3, "Alt +N"}}},
      {"with both down each modifier's holder conflicts, once each",
       {{4, "Alt +N"}}, FileOperation, {3}, 'N', kBoth, {0, 4}, {}},
      {"conflicts are found outside the category shown",
       {}, CursorMovement, {0}, 'Z', kControl, {6}, {}},
      {"the rows all get the key, and do not conflict among themselves",
       {}, FileOperation, {4, 3}, 'Q', kAlt, {}, {{3, "Alt +Q"}, {4, "Alt +Q"}}},
      {"文書編集 rows 9 and 15", {}, DocumentEditing, {9, 15}, 'K', kAlt, {},
       {{36, "Alt +K"}, {42, "Alt +K"}}},
      {"a digit assigns nothing", {}, FileOperation, {3}, '1', kControl, {}, {}},
      {"a function key assigns nothing", {}, FileOperation, {3}, 0x71, kControl, {}, {}},
      {"a letter without a modifier assigns nothing", {}, FileOperation, {3}, 'Q', kNone, {}, {}},
      {"without a modifier nothing conflicts", {}, FileOperation, {3}, 'N', kNone, {}, {}},
      {"a stored F2 key blocks Ctrl+F2", {{3, "Ctrl+q"}}, FileOperation, {4}, 0x71, kControl,
       {3}, {}},
      {"a text starting with neither A nor C blocks nothing",
       {{3, "alt +Q"}}, FileOperation, {4}, 'Q', kBoth, {}, {{4, "Ctrl+Q"}}},
      {"a text of another length blocks nothing",
       {{3, "Ctrl+QQ"}}, FileOperation, {4}, 'Q', kControl, {}, {{4, "Ctrl+Q"}}},
      {"the Control key by itself does nothing",
       {{3, std::string("Ctrl+\x11")}}, FileOperation, {4}, 0x11, kControl, {}, {}},
      {"the Alt key by itself does nothing",
       {{3, std::string("Alt +\x12")}}, FileOperation, {4}, 0x12, kAlt, {}, {}},
      {"rows past the category are ignored", {}, FileOperation, {3, 6}, 'Q', kControl, {},
       {{3, "Ctrl+Q"}}},
  };
  for (const AssignCase& c : cases) {
    HotkeyAssignments page(defaultsWith(c.stored));
    EXPECT_EQ(page.assign(c.category, c.rows, c.virtualKey, c.held), c.conflicts) << c.what;
    Changes expected = c.stored;
    expected.insert(expected.end(), c.result.begin(), c.result.end());
    EXPECT_EQ(page.keyTexts(), defaultsWith(expected)) << c.what;
  }
}

TEST(HotkeyAssignments, ClearingEmptiesExactlyTheSelectedRowsCommands) {
  HotkeyAssignments page(defaultsWith({{36, "Alt +K"}, {37, "Alt +L"}}));
  const std::size_t rows[] = {0, 9};
  page.clear(DocumentEditing, rows);
  EXPECT_EQ(page.keyTexts(), defaultsWith({{6, ""}, {36, ""}, {37, "Alt +L"}}));
}

TEST(HotkeyAssignments, DefaultsResetEveryCategoryAndEmptyTheToolKeys) {
  HotkeyAssignments page(defaultsWith({{0, ""}, {41, "Alt +I"}, {42, "Ctrl+Q"}, {30, "junk"}}));
  page.resetToDefaults();
  EXPECT_EQ(page.keyTexts(), HotkeyAssignments().keyTexts());
  EXPECT_EQ(page.keyText(0), "Ctrl+N");
  EXPECT_EQ(page.keyText(41), "");
  EXPECT_EQ(page.keyText(42), "");
  EXPECT_STREQ(nameOfRow(DocumentEditing, 14), "引用記号");
}

}  // namespace
}  // namespace wabunko
