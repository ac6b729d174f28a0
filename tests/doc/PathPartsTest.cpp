#include "doc/PathParts.h"

#include <gtest/gtest.h>

namespace wabunko {
namespace {

TEST(PathParts, SplitsNameExtensionBaseAndFolder) {
  struct Case {
    const char* path;
    PathParts want;
  };
  const Case cases[] = {
      {"/doc/memo.txt", {"memo.txt", "TXT", "memo", "/doc/"}},
      {"/doc/a.b.txt", {"a.b.txt", "B.TXT", "a", "/doc/"}},
      {"/doc/README", {"README", "", "README", "/doc/"}},
      {"sig.wbk", {"sig.wbk", "WBK", "sig", ""}},
      {"/x.y/noext", {"noext", "", "noext", "/x.y/"}},
      {"/d/.hidden", {".hidden", "HIDDEN", "", "/d/"}},
      {"/d/back\\slash.bak", {"back\\slash.bak", "BAK", "back\\slash", "/d/"}},
  };
  for (const Case& c : cases) {
    const PathParts got = splitPath(c.path);
    EXPECT_EQ(got.name, c.want.name) << c.path;
    EXPECT_EQ(got.extension, c.want.extension) << c.path;
    EXPECT_EQ(got.baseName, c.want.baseName) << c.path;
    EXPECT_EQ(got.folder, c.want.folder) << c.path;
  }
}

}  // namespace
}  // namespace wabunko
