#include "view/NavigationRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace wabunko {
namespace {

constexpr int kEnd = -1;

// A text of paragraphs ended by '\n', each shown in display lines of at most `wrap`
// positions (0: unwrapped), as the edit control counts them.
class TextLines : public LineModel {
public:
  TextLines(std::u16string text, int wrap, Selection selection) : text_(std::move(text)), selection_(selection) {
    int start = 0;
    for (int pos = 0; pos <= static_cast<int>(text_.size()); ++pos) {
      const bool paragraphEnd = pos == static_cast<int>(text_.size()) || text_[static_cast<std::size_t>(pos)] == u'\n';
      if (paragraphEnd) {
        lines_.push_back({start, pos - start});
        start = pos + 1;
      } else if (wrap > 0 && pos - start == wrap) {
        lines_.push_back({start, wrap});
        start = pos;
      }
    }
  }

  Selection selection() const override { return selection_; }
  int lineOf(int pos) const override {
    if (pos < 0) pos = selection_.start;
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), pos,
                                        [](int p, const Line& line) { return p < line.start; });
    return static_cast<int>(std::distance(lines_.begin(), after)) - 1;
  }
  int lineStart(int line) const override {
    if (line < 0) line = lineOf(-1);
    return line < static_cast<int>(lines_.size()) ? lines_[static_cast<std::size_t>(line)].start : -1;
  }
  int lineLength(int line) const override {
    if (line < 0) line = lineOf(-1);
    return lines_[static_cast<std::size_t>(line)].length;
  }
  int textLength() const override { return static_cast<int>(text_.size()); }
  bool isSecondHalfOfPair(int pos) const override {
    const auto at = [this](int p) { return text_[static_cast<std::size_t>(p)]; };
    return pos > 0 && pos < textLength() && at(pos) >= 0xDC00 && at(pos) <= 0xDFFF && at(pos - 1) >= 0xD800 &&
           at(pos - 1) <= 0xDBFF;
  }

private:
  struct Line {
    int start;
    int length;  // without the break
  };
  std::u16string text_;
  Selection selection_;
  std::vector<Line> lines_;
};

struct Case {
  const char* name;
  std::u16string text;
  int wrap;
  Selection from;
  std::function<Selection(const NavigationRules&)> move;
  Selection expected;
};

void check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const TextLines lines(c.text, c.wrap, c.from);
    const Selection got = c.move(NavigationRules(lines));
    EXPECT_EQ(got.start, c.expected.start) << c.name;
    EXPECT_EQ(got.end, c.expected.end) << c.name;
  }
}

// Lines: 0 "ab" [0, 2), 1 "cde" [3, 6), 2 "f" [7, 8).
const std::u16string kThree = u"ab\ncde\nf";
// An emoji (a surrogate pair) at 1-2.
const std::u16string kPair = u"a\U0001F600b";

const auto fromTop = [](const NavigationRules& r) { return r.selectFromTop(); };
const auto toEnd = [](const NavigationRules& r) { return r.selectToEnd(); };
const auto fromLineStart = [](const NavigationRules& r) { return r.selectFromLineStart(); };
const auto toLineEnd = [](const NavigationRules& r) { return r.selectToLineEnd(); };
const auto thisLine = [](const NavigationRules& r) { return r.selectLine(); };
std::function<Selection(const NavigationRules&)> jumpTo(int n) {
  return [n](const NavigationRules& r) { return r.jumpToLine(n); };
}
std::function<Selection(const NavigationRules&)> step(CaretStep s) {
  return [s](const NavigationRules& r) { return r.moveCaretHorizontal(s); };
}
std::function<Selection(const NavigationRules&)> line(CaretLine l) {
  return [l](const NavigationRules& r) { return r.moveCaretVertical(l); };
}

TEST(NavigationRules, SelectionsWidenToTheTextOrTheLine) {
  check({
      {"from the top keeps the end", kThree, 0, {4, 5}, fromTop, {0, 5}},
      {"to the end keeps the start", kThree, 0, {4, 5}, toEnd, {4, kEnd}},
      {"from the line start keeps the end", kThree, 0, {4, 8}, fromLineStart, {3, 8}},
      {"to the line end takes the break", kThree, 0, {4, 4}, toLineEnd, {4, 7}},
      {"to the line end shrinks a selection over lines", kThree, 0, {1, 5}, toLineEnd, {1, 3}},
      {"to the line end on the last line is the end", kThree, 0, {7, 7}, toLineEnd, {7, kEnd}},
      {"this line with its break", kThree, 0, {4, 5}, thisLine, {3, 7}},
      {"this line on the last line", kThree, 0, {8, 8}, thisLine, {7, kEnd}},
      {"this line is one display line when wrapped", u"abcdefg", 3, {4, 4}, thisLine, {3, 6}},
  });
}

TEST(NavigationRules, JumpGoesToTheStartOfTheNumberedLine) {
  check({
      {"first line", kThree, 0, {5, 5}, jumpTo(1), {0, 0}},
      {"last line", kThree, 0, {0, 0}, jumpTo(3), {7, 7}},
      {"past the end", kThree, 0, {0, 0}, jumpTo(4), {kEnd, kEnd}},
      {"0 is the selection's own line", kThree, 0, {5, 6}, jumpTo(0), {3, 3}},
      {"below 0 names no line", kThree, 0, {5, 5}, jumpTo(-2), {kEnd, kEnd}},
      {"display lines", u"abcdefg", 3, {0, 0}, jumpTo(3), {6, 6}},
  });
}

TEST(NavigationRules, HorizontalMovesStepWholeCharactersAndStopAtTheEdges) {
  check({
      {"forward", kThree, 0, {0, 0}, step(CaretStep::Forward), {1, 1}},
      {"forward over a line break", kThree, 0, {2, 2}, step(CaretStep::Forward), {3, 3}},
      {"forward moves a selection whole", kThree, 0, {0, 2}, step(CaretStep::Forward), {1, 3}},
      {"forward over a surrogate pair", kPair, 0, {1, 1}, step(CaretStep::Forward), {3, 3}},
      {"forward at the end stays", kThree, 0, {8, 8}, step(CaretStep::Forward), {8, 8}},
      {"forward with a selection at the end stays", kThree, 0, {6, 8}, step(CaretStep::Forward), {6, 8}},
      {"backward", kThree, 0, {4, 4}, step(CaretStep::Backward), {3, 3}},
      {"backward over a surrogate pair", kPair, 0, {3, 3}, step(CaretStep::Backward), {1, 1}},
      {"backward at the start stays", kThree, 0, {0, 0}, step(CaretStep::Backward), {0, 0}},
      {"backward with a selection at the start stays", kThree, 0, {0, 2}, step(CaretStep::Backward), {0, 2}},
      {"to the line end stops before the break", kThree, 0, {3, 5}, step(CaretStep::LineEnd), {6, 6}},
      {"to the end of the last line", kThree, 0, {7, 7}, step(CaretStep::LineEnd), {8, 8}},
      {"to the end of a wrapped line stays on it", u"abcdefg", 3, {1, 1}, step(CaretStep::LineEnd), {2, 2}},
      {"a wrapped line ending in a pair ends before it", u"ab\U0001F600cd", 4, {0, 0}, step(CaretStep::LineEnd),
       {2, 2}},
      {"to the line start", kThree, 0, {5, 8}, step(CaretStep::LineStart), {3, 3}},
      {"to the start of a wrapped line", u"abcdefg", 3, {5, 5}, step(CaretStep::LineStart), {3, 3}},
  });
}

// Lines: 0 "abcd" [0, 4), 1 "ef" [5, 7), 2 "ghij" [8, 12).
const std::u16string kLongShortLong = u"abcd\nef\nghij";

TEST(NavigationRules, VerticalMovesKeepTheColumnOrEndAShorterLine) {
  check({
      {"down to the same column", kLongShortLong, 0, {1, 1}, line(CaretLine::Down), {6, 6}},
      {"down to a shorter line stops before its break", kLongShortLong, 0, {3, 3}, line(CaretLine::Down), {7, 7}},
      {"up to a shorter line stops before its break", kLongShortLong, 0, {11, 11}, line(CaretLine::Up), {7, 7}},
      {"up to an empty line", u"ab\n\ncd", 0, {5, 5}, line(CaretLine::Up), {3, 3}},
      {"the column of the start, collapsed", kLongShortLong, 0, {1, 3}, line(CaretLine::Down), {6, 6}},
      {"down onto the last line", kLongShortLong, 0, {6, 6}, line(CaretLine::Down), {9, 9}},
      {"down on the last line is the end", kLongShortLong, 0, {9, 9}, line(CaretLine::Down), {kEnd, kEnd}},
      {"up on the first line is its start", kLongShortLong, 0, {2, 3}, line(CaretLine::Up), {0, 0}},
      {"never into a surrogate pair", u"abc\na\U0001F600b", 0, {2, 2}, line(CaretLine::Down), {5, 5}},
      // "efgh" wraps before "ij": its end is where "ij" starts.
      {"down to the end of a wrapped line stays on it", u"abcd\nefghij", 4, {4, 4}, line(CaretLine::Down), {8, 8}},
      {"up from a wrapped line", u"abcdefg", 3, {4, 4}, line(CaretLine::Up), {1, 1}},
  });
}

}  // namespace
}  // namespace wabunko
