// The favourites list and its stored form.
#include "frame/FavouriteList.h"

#include <gtest/gtest.h>

namespace wabunko {
namespace {

using Paths = std::vector<std::string>;
using Positions = std::vector<std::size_t>;

TEST(FavouriteList, StoresEachPathEscapedAndFollowedBySlash) {
  const FavouriteList list(Paths{"/home/u/a b.txt", "/tmp/100%/x%2F.txt", "C:\\old.txt"});
  const std::string stored = list.format();
  EXPECT_EQ(stored, "%2Fhome%2Fu%2Fa b.txt/%2Ftmp%2F100%25%2Fx%252F.txt/C:\\old.txt/");
  EXPECT_EQ(FavouriteList::parse(stored), list);
  EXPECT_EQ(FavouriteList().format(), "");
}

TEST(FavouriteList, ReadsStoredValues) {
  struct Case {
    std::string stored;
    Paths paths;
  };
  const Case cases[] = {
      {"", {}},
      // What follows the last "/" is no item.
      {"%2Fa.txt/%2Fb.txt", {"/a.txt"}},
      {"a.txt/b.txt/", {"a.txt", "b.txt"}},
      // A "%" that is no escape of ours stays.
      {"50%off.txt/%41.txt/", {"50%off.txt", "%41.txt"}},
      {"%2f.txt/", {"/.txt"}},
      // Written before items were escaped: absolute paths, each followed by "/".
      {"/a/b.txt//c/d e.txt/", {"/a/b.txt", "/c/d e.txt"}},
      {"/a/100%.txt/", {"/a/100%.txt"}},
      {"/a/b.txt//c/d.txt", {"/a/b.txt"}},
      {"/a/b.txt", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(FavouriteList::parse(c.stored).paths(), c.paths) << c.stored;
}

TEST(FavouriteList, AddsWithoutCheckAndRemovesByPosition) {
  FavouriteList list;
  for (const char* path : {"/a", "/b", "/a", "/c", "/d"}) list.add(path);
  EXPECT_EQ(list.paths(), (Paths{"/a", "/b", "/a", "/c", "/d"}));
  list.remove({3, 0, 3, 9});
  EXPECT_EQ(list.paths(), (Paths{"/b", "/a", "/d"}));
  list.remove({0, 1, 2});
  EXPECT_TRUE(list.empty());
}

TEST(FavouriteList, MovesSelectedItemsOnePlace) {
  using D = FavouriteList::Direction;
  struct Case {
    Positions selected;
    D direction;
    Paths paths;
    Positions now;
  };
  const Case cases[] = {
      {{2}, D::Up, {"a", "c", "b", "d"}, {1}},
      {{1, 2}, D::Up, {"b", "c", "a", "d"}, {0, 1}},
      // One held at the end holds those behind it.
      {{0, 1, 3}, D::Up, {"a", "b", "d", "c"}, {0, 1, 2}},
      {{0, 2}, D::Down, {"b", "a", "d", "c"}, {1, 3}},
      {{2, 3}, D::Down, {"a", "b", "c", "d"}, {2, 3}},
      {{}, D::Down, {"a", "b", "c", "d"}, {}},
  };
  for (const Case& c : cases) {
    FavouriteList list(Paths{"a", "b", "c", "d"});
    EXPECT_EQ(list.move(c.selected, c.direction), c.now);
    EXPECT_EQ(list.paths(), c.paths);
  }
}

}  // namespace
}  // namespace wabunko
