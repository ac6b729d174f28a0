#include "settings/ToolbarPageModel.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace wabunko {
namespace {

using Buttons = std::vector<int>;
using enum BarEdit::Kind;

constexpr StoredButtons kNeverStored{};

StoredButtons storedAs(Bar bar, const Buttons& buttons) {
  return {static_cast<int>(buttons.size()), formatButtonList(bar, buttons)};
}

// What a bar holding `buttons` holds after taking `edits`.
Buttons followed(Buttons buttons, const std::vector<BarEdit>& edits) {
  for (const BarEdit& edit : edits) {
    switch (edit.kind) {
      case Append: buttons.push_back(edit.button); break;
      case Insert: buttons.insert(buttons.begin() + edit.position, edit.button); break;
      case Delete: buttons.erase(buttons.begin() + edit.position); break;
    }
  }
  return buttons;
}

TEST(ToolbarPageModel, ShowsTheStoredButtonsOrTheDefaultsForACountOutOfRange) {
  struct Case {
    Bar bar;
    StoredButtons stored;
    Buttons used;
  };
  const Buttons fileDefaults{1, 2, 3, 0, 4, 5, 0, 6, 7, 8, 9, 0, 10};
  const Buttons textStyleDefaults{1, 0, 2, 3, 4, 0, 5, 6, 7, 0, 8, 9, 10};
  const Case cases[] = {
      {Bar::File, kNeverStored, fileDefaults},
      {Bar::File, {31, "新規/"}, fileDefaults},
      {Bar::File, {-2, "新規/"}, fileDefaults},
      {Bar::File, {0, "新規/"}, {}},
      {Bar::File, {2, "新規/ｼｸﾞﾆﾁｬ/保存/"}, {1, 0}},  // a name of no button is a separator
      {Bar::File, {3, "シグニチャ/"}, {30}},           // a list cut short ends there
      {Bar::TextStyle, kNeverStored, textStyleDefaults},
      {Bar::TextStyle, {2, "下線/区切り/"}, {10, 0}},
  };
  for (const Case& c : cases) {
    const ToolbarPageModel model(c.bar == Bar::File ? c.stored : kNeverStored,
                                 c.bar == Bar::File ? kNeverStored : c.stored);
    EXPECT_EQ(model.usedButtons(c.bar), c.used) << c.stored.count << " " << c.stored.items;
    EXPECT_EQ(model.stored(c.bar), c.stored);
    EXPECT_FALSE(model.changed());
  }
}

TEST(ToolbarPageModel, EditsChangeTheListTellTheBarAndKeepTheMovedRowsSelected) {
  enum class Op { Add, Remove, Front, Back };
  struct Case {
    const char* what;
    Buttons start;
    Op op;
    std::vector<int> rows;
    Buttons used;
    std::vector<BarEdit> barEdits;
    std::vector<int> selection;
  };
  const Case cases[] = {
      {"a separator next to a separator", {0}, Op::Add, {0}, {0, 0}, {{Append, 0, 0}}, {1}},
      {"the lower chosen row first", {1}, Op::Add, {5, 2}, {1, 5, 2},
       {{Append, 5, 0}, {Append, 2, 0}}, {1, 2}},
      {"an entry already in use", {4}, Op::Add, {4}, {4, 4}, {{Append, 4, 0}}, {1}},
      {"remove by position", {1, 2, 3}, Op::Remove, {2, 0}, {2}, {{Delete, 0, 2}, {Delete, 0, 0}}, {}},
      {"forward", {1, 2, 3}, Op::Front, {1}, {2, 1, 3}, {{Delete, 0, 1}, {Insert, 2, 0}}, {0}},
      {"the first row stays first", {1, 2, 3}, Op::Front, {0}, {1, 2, 3}, {}, {0}},
      {"a block at the front keeps its order", {1, 2, 3, 4}, Op::Front, {0, 1, 3}, {1, 2, 4, 3},
       {{Delete, 0, 3}, {Insert, 4, 2}}, {0, 1, 2}},
      {"a block moves as one", {1, 2, 3}, Op::Front, {1, 2}, {2, 3, 1},
       {{Delete, 0, 1}, {Insert, 2, 0}, {Delete, 0, 2}, {Insert, 3, 1}}, {0, 1}},
      {"back", {1, 2, 3}, Op::Back, {0}, {2, 1, 3}, {{Delete, 0, 0}, {Insert, 1, 1}}, {1}},
      {"onto the end", {1, 2, 3}, Op::Back, {1}, {1, 3, 2}, {{Delete, 0, 1}, {Insert, 2, 2}}, {2}},
      {"the last row stays last", {1, 2, 3}, Op::Back, {2}, {1, 2, 3}, {}, {2}},
      {"a block at the back keeps its order", {1, 2, 3, 4}, Op::Back, {0, 2, 3}, {2, 1, 3, 4},
       {{Delete, 0, 0}, {Insert, 1, 1}}, {1, 2, 3}},
      {"nothing chosen", {1, 2}, Op::Remove, {}, {1, 2}, {}, {}},
      {"rows past the end", {1, 2}, Op::Front, {2, -1}, {1, 2}, {}, {}},
  };
  for (const Case& c : cases) {
    const StoredButtons start = storedAs(Bar::File, c.start);
    ToolbarPageModel model(start, kNeverStored);
    PageEdit edit;
    switch (c.op) {
      case Op::Add: edit = model.add(Bar::File, c.rows); break;
      case Op::Remove: edit = model.remove(Bar::File, c.rows); break;
      case Op::Front: edit = model.moveToFront(Bar::File, c.rows); break;
      case Op::Back: edit = model.moveToBack(Bar::File, c.rows); break;
    }
    EXPECT_EQ(model.usedButtons(Bar::File), c.used) << c.what;
    EXPECT_EQ(edit.barEdits, c.barEdits) << c.what;
    EXPECT_EQ(followed(c.start, edit.barEdits), c.used) << c.what;
    EXPECT_EQ(edit.selection, c.selection) << c.what;
    EXPECT_FALSE(edit.full) << c.what;
    EXPECT_EQ(model.changed(), !c.barEdits.empty()) << c.what;
    EXPECT_EQ(model.stored(Bar::File), model.changed() ? storedAs(Bar::File, c.used) : start) << c.what;
    EXPECT_EQ(model.stored(Bar::TextStyle), kNeverStored) << c.what;
  }
}

TEST(ToolbarPageModel, EachEditRebuildsTheStoredFormOfItsBarOnly) {
  ToolbarPageModel model(kNeverStored, kNeverStored);
  model.add(Bar::TextStyle, std::vector{0});
  model.add(Bar::TextStyle, std::vector{0});
  EXPECT_EQ(model.stored(Bar::TextStyle),
            (StoredButtons{15, "フォント/区切り/上付き/下付き/リサイズ/区切り/左寄せ/中央寄せ/右寄せ/"
                               "区切り/ボールド/イタリック/下線/区切り/区切り/"}));
  model.remove(Bar::TextStyle, std::vector{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  EXPECT_EQ(model.stored(Bar::TextStyle), (StoredButtons{3, "下線/区切り/区切り/"}));
  model.moveToBack(Bar::TextStyle, std::vector{0});
  EXPECT_EQ(model.stored(Bar::TextStyle), (StoredButtons{3, "区切り/下線/区切り/"}));
  EXPECT_TRUE(model.changed());
  EXPECT_EQ(model.stored(Bar::File), kNeverStored);
  EXPECT_EQ(model.usedButtons(Bar::File).size(), 13u);
}

TEST(ToolbarPageModel, AddingStopsAtThirtyButtonsSoTheListReadsBackAsStored) {
  const Buttons start(29, 7);
  ToolbarPageModel model(storedAs(Bar::File, start), kNeverStored);
  PageEdit edit = model.add(Bar::File, std::vector{1, 2, 3});
  EXPECT_TRUE(edit.full);
  EXPECT_EQ(edit.barEdits, (std::vector<BarEdit>{{Append, 3, 0}}));
  EXPECT_EQ(model.stored(Bar::File).count, 30);

  edit = model.add(Bar::File, std::vector{1});
  EXPECT_TRUE(edit.full);
  EXPECT_TRUE(edit.barEdits.empty());
  ASSERT_EQ(model.usedButtons(Bar::File).size(), 30u);
  EXPECT_EQ(ToolbarPageModel(model.stored(Bar::File), kNeverStored).usedButtons(Bar::File),
            model.usedButtons(Bar::File));
}

}  // namespace
}  // namespace wabunko
