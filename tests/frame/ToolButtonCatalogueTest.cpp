#include "frame/ToolButtonCatalogue.h"

#include <gtest/gtest.h>

namespace wabunko {
namespace {

TEST(ToolButtonCatalogue, StoredListsBecomeCatalogueNumbers) {
  struct Case {
    Bar bar;
    const char* items;
    int count;
    std::vector<int> want;
  };
  const Case cases[] = {
      {Bar::File, "新規/開く/", 2, {1, 2}},
      {Bar::File, "新規/区切り/保存/", 2, {1, 0}},     // only Count names are taken
      {Bar::File, "新規/開", 2, {1}},                  // a list cut short ends there
      {Bar::File, "ｼｸﾞﾆﾁｬ/シグニチャ/", 2, {0, 30}},  // other width: no such button
      {Bar::File, "", 0, {}},
      {Bar::TextStyle, "下線/ボールド/", 2, {10, 8}},
  };
  for (const Case& c : cases) EXPECT_EQ(parseButtonList(c.bar, c.items, c.count), c.want) << c.items;
}

TEST(ToolButtonCatalogue, AStoredListReadsBackAsWritten) {
  const std::vector<int> buttons{1, 0, 0, 30, 1};
  const std::string items = formatButtonList(Bar::File, buttons);
  EXPECT_EQ(items, "新規/区切り/区切り/シグニチャ/新規/");
  EXPECT_EQ(parseButtonList(Bar::File, items, 5), buttons);
}

TEST(ToolButtonCatalogue, DefaultSetsAndCountsFollowTheCatalogues) {
  EXPECT_EQ(buttonCatalogue(Bar::File).size(), 31u);
  EXPECT_EQ(buttonCatalogue(Bar::TextStyle).size(), 11u);
  EXPECT_EQ(defaultButtons(Bar::File).size(), 13u);
  EXPECT_EQ(defaultButtons(Bar::TextStyle).size(), 13u);
  // The file bar's default buttons take images 0-9 in order.
  int image = 0;
  for (int n : defaultButtons(Bar::File)) {
    if (n != 0) {
      EXPECT_EQ(buttonCatalogue(Bar::File)[n].image, image++);
    }
  }
  for (int count : {-1, 31, 1000}) EXPECT_TRUE(usesDefaultButtons(count)) << count;
  for (int count : {0, 30}) EXPECT_FALSE(usesDefaultButtons(count)) << count;
}

}  // namespace
}  // namespace wabunko
