#include "doc/DirectoryHistory.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace wabunko {
namespace {

// The listed entries from the front, the rest empty.
DirectoryHistory history(std::initializer_list<const char*> entries) {
  DirectoryHistory h;
  std::size_t i = 0;
  for (const char* e : entries) h.at(i++) = e;
  return h;
}

const DirectoryHistory kFull =
    history({"/0/", "/1/", "/2/", "/3/", "/4/", "/5/", "/6/", "/7/", "/8/", "/9/"});

TEST(DirectoryHistory, MoveToFront) {
  struct Case {
    const char* what;
    DirectoryHistory before;
    const char* folder;
    DirectoryHistory after;
  };
  const Case cases[] = {
      {"first folder", history({}), "/a/", history({"/a/"})},
      {"new folder goes first", history({"/a/", "/b/"}), "/c/", history({"/c/", "/a/", "/b/"})},
      {"same folder twice keeps one entry", history({"/a/", "/b/"}), "/a/", history({"/a/", "/b/"})},
      {"known folder moves up", history({"/a/", "/b/", "/c/"}), "/c/", history({"/c/", "/a/", "/b/"})},
      {"eleventh folder drops the oldest", kFull, "/x/",
       history({"/x/", "/0/", "/1/", "/2/", "/3/", "/4/", "/5/", "/6/", "/7/", "/8/"})},
      {"oldest folder moves up, none dropped", kFull, "/9/",
       history({"/9/", "/0/", "/1/", "/2/", "/3/", "/4/", "/5/", "/6/", "/7/", "/8/"})},
      {"first of two copies counts", history({"/a/", "/b/", "/b/"}), "/b/",
       history({"/b/", "/a/", "/b/"})},
      {"comparison is case-sensitive", history({"/A/"}), "/a/", history({"/a/", "/A/"})},
      {"a gap moves down with the rest", history({"/a/", "", "/c/"}), "/c/",
       history({"/c/", "/a/", ""})},
      {"empty folder changes nothing", history({"/a/", "/b/"}), "", history({"/a/", "/b/"})},
  };
  for (const Case& c : cases) {
    DirectoryHistory h = c.before;
    moveToFront(h, c.folder);
    EXPECT_EQ(h, c.after) << c.what;
  }
}

TEST(DirectoryHistory, StoredCountStopsAtFirstEmptyEntry) {
  struct Case {
    DirectoryHistory h;
    std::size_t want;
  };
  const Case cases[] = {
      {history({}), 0},
      {history({"/a/", "/b/"}), 2},
      {history({"/a/", "", "/c/"}), 1},
      {kFull, 10},
  };
  for (const Case& c : cases) EXPECT_EQ(storedCount(c.h), c.want) << c.h.front();
}

}  // namespace
}  // namespace wabunko
