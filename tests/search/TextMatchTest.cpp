#include "search/TextMatch.h"

#include <gtest/gtest.h>

#include <string>

namespace wabunko {
namespace {

constexpr auto npos = std::u16string_view::npos;

TEST(TextMatch, WithoutMatchCaseOnlyLatinLettersFoldAndEachKeepsItsWidth) {
  struct Case {
    std::u16string haystack, needle;
    bool matchCase;
    std::size_t want;
  };
  const Case cases[] = {
      {u"xAbCx", u"abc", false, 1},
      {u"xAbCx", u"abc", true, npos},
      {u"ＡＢＣ", u"ａｂｃ", false, 0},
      {u"ＡＢＣ", u"abc", false, npos},   // full width is not half width
      {u"ΑΒΓ", u"αβγ", false, npos},      // only Latin letters fold
      {u"あいう@[", u"`{", false, npos},  // the characters next to A-Z are not letters
      {u"aaAA", u"AA", false, 0},
      {u"abcab", u"ab", false, 0},
      {u"", u"a", false, npos},
      {u"abc", u"", false, npos},
  };
  for (const Case& c : cases)
    EXPECT_EQ(findText(c.haystack, c.needle, 0, c.matchCase), c.want)
        << std::string(c.haystack.begin(), c.haystack.end()) << " / " << c.matchCase;
}

TEST(TextMatch, SearchingStartsAtTheGivenPlace) {
  EXPECT_EQ(findText(u"abcabc", u"ABC", 1, false), 3u);
  EXPECT_EQ(findText(u"abcabc", u"abc", 4, true), npos);
  EXPECT_EQ(findText(u"abc", u"c", 9, true), npos);
  EXPECT_TRUE(sameText(u"Wabunko", u"wABUNKO", false));
  EXPECT_FALSE(sameText(u"Wabunko", u"wABUNKO", true));
}

}  // namespace
}  // namespace wabunko
