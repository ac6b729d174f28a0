#include "search/UpwardSearch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace wabunko {
namespace {

constexpr auto npos = std::string_view::npos;

TEST(UpwardSearch, OccurrencesStartOnCharacterBoundariesOnly) {
  struct Case {
    std::string stretch, needle;
    std::size_t want;
  };
  const Case cases[] = {
      // ぁあ is 82 9F 82 A0: the kanji 9F 82 sits across the two characters.
      {"\x82\x9F\x82\xA0", "\x9F\x82", npos},
      {"\x82\x9F\x82\xA0", "\x82\xA0", 2},
      {"abcabc", "abc", 3},  // the last one
      {"Abc", "abc", npos},  // always case-sensitive
      {"\xB1" "a", "a", 1},  // a half-width katakana is one byte
      {"a", "ab", npos},
  };
  for (const Case& c : cases) EXPECT_EQ(findLastWholeCharacters(c.stretch, c.needle), c.want) << c.stretch;
}

TEST(UpwardSearch, TheTailOfTheLineAboveStartsOnACharacter) {
  EXPECT_EQ(tailStart("abc", 2), 1u);
  EXPECT_EQ(tailStart("abc", 9), 0u);
  // あい: the last three bytes would start on あ's trail byte, so the tail is い alone.
  EXPECT_EQ(tailStart("\x82\xA0\x82\xA2", 3), 2u);
  // No bytes of a line that ends in a lead byte: the tail starts at its end, not past it.
  EXPECT_EQ(tailStart("a\x82", 0), 2u);
}

// Display lines given as texts, each either wrapped into the next or ended by a
// paragraph break.
class Lines : public UpwardLines {
public:
  struct Line {
    std::u16string text;
    bool breakAfter = true;
  };
  explicit Lines(std::vector<Line> lines) : lines_(std::move(lines)) {
    int at = 0;
    for (const Line& line : lines_) {
      starts_.push_back(at);
      at += static_cast<int>(line.text.size()) + (line.breakAfter ? 1 : 0);
    }
  }
  std::u16string text(int line) const override { return lines_.at(static_cast<std::size_t>(line)).text; }
  int start(int line) const override { return starts_.at(static_cast<std::size_t>(line)); }

private:
  std::vector<Line> lines_;
  std::vector<int> starts_;
};

TEST(UpwardSearch, FindsTheNearestOccurrenceAboveTheCaret) {
  const Lines lines({{u"xyz あい xyz"}, {u"-"}, {u"abc"}});
  EXPECT_EQ(findUpward(lines, 2, lines.start(2) + 2, u"xyz"), std::optional(7));  // from further down
  EXPECT_EQ(findUpward(lines, 0, 6, u"xyz"), std::optional(0));  // on the first line, before the caret
  EXPECT_EQ(findUpward(lines, 0, 5, u"あい"), std::nullopt);      // the caret cuts it
  EXPECT_EQ(findUpward(lines, 2, 14, u"XYZ"), std::nullopt);
  EXPECT_EQ(findUpward(lines, 2, 14, u""), std::nullopt);
}

TEST(UpwardSearch, AnOccurrenceAWrapSplitsIsFoundButNotOneAcrossAParagraphBreak) {
  const Lines wrapped({{u"--あい", false}, {u"うえ--"}});
  EXPECT_EQ(findUpward(wrapped, 1, wrapped.start(1) + 6, u"いう"), std::optional(3));
  const Lines broken({{u"--あい"}, {u"うえ--"}});
  EXPECT_EQ(findUpward(broken, 1, broken.start(1) + 6, u"いう"), std::nullopt);
  // Lines narrower than the find string: the occurrence starts two wraps up.
  const Lines narrow({{u"-あ", false}, {u"い", false}, {u"う-"}});
  EXPECT_EQ(findUpward(narrow, 2, narrow.start(2) + 2, u"あいう"), std::optional(1));
}

TEST(UpwardSearch, CharactersOutsideTheCodePageAreMatchedAndCountedAsTheyStand) {
  // 😀 is two UTF-16 units and one side-table code; 한 is one unit and one code.
  const Lines lines({{u"😀한abc😀한"}, {u"x"}});
  EXPECT_EQ(findUpward(lines, 1, lines.start(1), u"😀한"), std::optional(6));
  EXPECT_EQ(findUpward(lines, 0, 6, u"😀한"), std::optional(0));
}

}  // namespace
}  // namespace wabunko
