#include "doc/LineEnds.h"

#include <gtest/gtest.h>

#include <vector>

namespace wabunko {
namespace {

using E = LineEnd;

TEST(LineEnds, SplitRemembersEachLineEndAndJoinRestoresTheText) {
  struct Case {
    std::u16string text;
    std::u16string lines;
    std::vector<LineEnd> ends;
  };
  const Case cases[] = {
      {u"a\r\nb", u"a\nb", {E::CrLf, E::None}},
      {u"a\nb", u"a\nb", {E::Lf, E::None}},
      {u"a\rb", u"a\nb", {E::Cr, E::None}},
      {u"a\r\nb\nc\rd", u"a\nb\nc\nd", {E::CrLf, E::Lf, E::Cr, E::None}},
      {u"a\r\n", u"a\n", {E::CrLf, E::None}},
      {u"abc", u"abc", {E::None}},
      {u"", u"", {E::None}},
      {u"\r\r\n", u"\n\n", {E::Cr, E::CrLf, E::None}},
      {u"a\r\r\nb", u"a\n\nb", {E::Cr, E::CrLf, E::None}},
      {u"\r\n\r", u"\n\n", {E::CrLf, E::Cr, E::None}},
      {u"\n\r", u"\n\n", {E::Lf, E::Cr, E::None}},
      {u"\n\n", u"\n\n", {E::Lf, E::Lf, E::None}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    const SplitLines split = splitLines(c.text);
    EXPECT_EQ(split.text, c.lines);
    EXPECT_EQ(split.ends, c.ends);
    EXPECT_EQ(joinLines(split.text, split.ends, E::Lf), c.text);
  }
}

TEST(LineEnds, LinesWithoutARememberedEndTakeTheFallback) {
  struct Case {
    std::vector<LineEnd> ends;
    LineEnd fallback;
    std::u16string joined;
  };
  const Case cases[] = {
      {{E::Lf}, E::Cr, u"a\nb\rc"},                       // entries missing
      {{E::None, E::Cr, E::None}, E::Lf, u"a\nb\rc"},     // entries None
      {{}, E::None, u"a\r\nb\r\nc"},                       // a None fallback means CR LF
      {{E::Cr, E::Cr, E::Cr, E::Cr}, E::Lf, u"a\rb\rc"},  // the last line never gets one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.joined));
    EXPECT_EQ(joinLines(u"a\nb\nc", c.ends, c.fallback), c.joined);
  }
}

TEST(LineEnds, MostCommonLineEndPrefersCrLfThenLfThenCr) {
  struct Case {
    std::vector<LineEnd> ends;
    LineEnd most;
  };
  const Case cases[] = {
      {{}, E::CrLf},
      {{E::None}, E::CrLf},
      {{E::Lf, E::None}, E::Lf},
      {{E::Cr, E::Lf}, E::Lf},
      {{E::Cr, E::CrLf}, E::CrLf},
      {{E::Lf, E::CrLf, E::Lf, E::CrLf, E::None}, E::CrLf},
      {{E::Cr, E::Cr, E::Lf, E::CrLf}, E::Cr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.ends));
    EXPECT_EQ(mostCommonLineEnd(c.ends), c.most);
  }
}

}  // namespace
}  // namespace wabunko
