#include "doc/DisplayLineIndex.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace wabunko {
namespace {

using Place = DisplayLineIndex::Place;

DisplayLineIndex measured(const std::vector<int>& counts) {
  DisplayLineIndex index(static_cast<int>(counts.size()));
  index.setLines(0, counts);
  return index;
}

TEST(DisplayLineIndex, LinesAndParagraphsMapBothWays) {
  const DisplayLineIndex index = measured({1, 3, 1, 2});
  EXPECT_EQ(index.totalLines(), 7);
  EXPECT_EQ(index.firstUnknown(), -1);
  struct Case {
    int line;
    Place place;
  };
  const Case cases[] = {
      {0, {0, 0}}, {1, {1, 0}}, {2, {1, 1}}, {3, {1, 2}}, {4, {2, 0}}, {5, {3, 0}}, {6, {3, 1}},
      {7, {4, 0}},  // the first line past the end
      {10, {4, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(index.locate(c.line), c.place) << c.line;
  const int before[] = {0, 1, 4, 5, 7};
  for (int p = 0; p <= 4; ++p) EXPECT_EQ(index.linesBefore(p), before[p]) << p;
}

TEST(DisplayLineIndex, UnmeasuredParagraphsCountOneSoALookupNeverLandsBeforeTheTruth) {
  DisplayLineIndex index = measured({2, 2, 2, 2});
  index.replace(1, 1, 3);  // paragraph 1 split in three, not measured yet
  EXPECT_EQ(index.paragraphCount(), 6);
  EXPECT_EQ(index.firstUnknown(), 1);
  EXPECT_EQ(index.unknownRunEnd(1, 99), 3);
  EXPECT_EQ(index.unknownRunEnd(1, 2), 2);
  EXPECT_EQ(index.totalLines(), 2 + 3 + 2 + 2);
  // Line 4 really is in paragraph 2 once paragraphs 1-3 show 1, 2 and 3 lines; counted as
  // one line each they put it in paragraph 3, past the truth, never before it.
  EXPECT_EQ(index.locate(4), (Place{3, 0}));
  index.setLines(1, std::vector<int>{1, 2, 3});
  EXPECT_EQ(index.firstUnknown(), -1);
  EXPECT_EQ(index.locate(4), (Place{2, 1}));
}

// Every operation against a plain list of counts, over many random steps.
TEST(DisplayLineIndex, AgreesWithAPlainListThroughRandomEdits) {
  std::mt19937 rng(5);
  const auto pick = [&](int n) { return n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0; };
  std::vector<int> model(300, 0);  // 0: not measured
  DisplayLineIndex index(300);
  const auto value = [](int c) { return c > 0 ? c : 1; };
  for (int step = 0; step < 3000; ++step) {
    const int n = static_cast<int>(model.size());
    const int first = pick(n);
    switch (pick(3)) {
      case 0: {  // an edit: same number of paragraphs, or some split or joined
        const int removed = pick(std::min(4, n - first) + 1);
        const int inserted = pick(4) == 0 ? pick(5) : removed;
        if (n - removed + inserted == 0) break;
        model.erase(model.begin() + first, model.begin() + first + removed);
        model.insert(model.begin() + first, static_cast<std::size_t>(inserted), 0);
        index.replace(first, removed, inserted);
        break;
      }
      default: {  // a run measured, now and then a long one
        const int length = std::min(n - first, pick(8) == 0 ? pick(n) + 1 : pick(6) + 1);
        std::vector<int> counts(static_cast<std::size_t>(length));
        for (int& c : counts) c = 1 + pick(4);
        std::copy(counts.begin(), counts.end(), model.begin() + first);
        index.setLines(first, counts);
      }
    }
    ASSERT_EQ(index.paragraphCount(), static_cast<int>(model.size()));
    const auto unknown = std::find(model.begin(), model.end(), 0);
    ASSERT_EQ(index.firstUnknown(), unknown == model.end() ? -1 : static_cast<int>(unknown - model.begin()));
    const int p = pick(static_cast<int>(model.size()) + 1);
    int before = 0;
    for (int i = 0; i < p; ++i) before += value(model[static_cast<std::size_t>(i)]);
    ASSERT_EQ(index.linesBefore(p), before) << step;
    int line = pick(before + 3);
    Place expected{0, line};
    while (expected.paragraph < static_cast<int>(model.size()) &&
           expected.lineInParagraph >= value(model[static_cast<std::size_t>(expected.paragraph)]))
      expected.lineInParagraph -= value(model[static_cast<std::size_t>(expected.paragraph++)]);
    ASSERT_EQ(index.locate(line), expected) << step << " line " << line;
  }
}

TEST(DisplayLineIndex, ForcedLineBreaksMakeTheLinesOfTextThatDoesNotWrap) {
  struct Case {
    std::u16string text;
    std::vector<int> counts;  // per paragraph, paragraphs split at U+2029
    std::vector<int> startsOfFirst;
  };
  const Case cases[] = {
      {u"", {1}, {0}},
      {u"abc", {1}, {0}},
      {u"ab\u2028cd\u2028", {3}, {0, 3, 6}},
      {u"\u2028", {2}, {0, 1}},
      {u"a\u2029\u2029b\u2028c", {1, 1, 2}, {0}},
      {u"\u2029", {1, 1}, {0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(unwrappedLineCounts(c.text), c.counts);
    const std::u16string first = c.text.substr(0, c.text.find(u'\u2029'));
    EXPECT_EQ(unwrappedLineStarts(first), c.startsOfFirst);
    EXPECT_EQ(unwrappedLineCount(first), static_cast<int>(c.startsOfFirst.size()));
  }
}

TEST(DisplayLineIndex, ALineLengthLeavesOutTheForcedBreakEndingIt) {
  struct Case {
    int start, end;
    char16_t last;
    int length;
  };
  const Case cases[] = {
      {0, 4, u'd', 4},        // a wrapped line keeps its trailing characters
      {3, 7, u'\u2028', 3},   // a line ended by a forced break
      {5, 5, u'\0', 0},       // an empty line
      {2, 3, u'\u2028', 0},   // only the break
  };
  for (const Case& c : cases) EXPECT_EQ(lengthWithoutBreak(c.start, c.end, c.last), c.length) << c.start;
}

}  // namespace
}  // namespace wabunko
