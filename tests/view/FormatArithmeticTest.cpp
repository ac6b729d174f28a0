#include "view/FormatArithmetic.h"

#include <gtest/gtest.h>

namespace wabunko {
namespace {

TEST(FormatArithmetic, RaisingAndLoweringCountWholePoints) {
  // 10.5 points: p = 10.
  const HeightAndOffset once = superscript({210, 0});
  EXPECT_EQ(once, (HeightAndOffset{120, 60}));
  // Again on 6 points: p = 6.
  EXPECT_EQ(superscript(once), (HeightAndOffset{72, 96}));
  EXPECT_EQ(subscript({240, 0}), (HeightAndOffset{144, -12}));
  EXPECT_EQ(subscript({210, 60}), (HeightAndOffset{120, 50}));
  EXPECT_EQ(superscript({19, 0}), (HeightAndOffset{0, 0}));  // under a point
}

TEST(FormatArithmetic, IndentsInMillimetresTruncateTowardZeroAndStayBounded) {
  // Start 570, offset -285: the other lines start at 285 twips, 5 mm; the first line 5 mm
  // right of them.
  const ParagraphIndents paragraph{570, -285, 0};
  EXPECT_EQ(indentFields(paragraph), (IndentFields{5, 0, 5}));
  EXPECT_EQ(paragraphIndents({5, 0, 5}), paragraph);
  // Not multiples of 57: truncated toward zero, also below zero.
  // Start 100, offset 113: the others at 213 twips (3 mm), the first line 113 left of them.
  EXPECT_EQ(indentFields({100, 113, 70}), (IndentFields{3, 1, -1}));
  EXPECT_EQ(indentFields({-100, 0, 0}), (IndentFields{-1, 0, 0}));
  EXPECT_EQ(millimetresFromTwips(-56), 0);
  // Any paragraph read from a file: no overflow.
  EXPECT_EQ(indentFields({2'000'000'000, 2'000'000'000, 0}).left, 70'175'438);
  // Fields beyond the bounds are held to them.
  EXPECT_EQ(twipsFromMillimetres(1'000'000'000), 500 * 57);
  EXPECT_EQ(paragraphIndents({-1'000'000'000, 0, 0}), (ParagraphIndents{-500 * 57, 0, 0}));
}

TEST(FormatArithmetic, FieldTextIsASignedNumberOrZero) {
  const std::pair<const char*, int> cases[] = {
      {"12", 12}, {" -3 ", -3}, {"+4", 4}, {"abc", 0}, {"", 0}, {"-", 0}, {"1x", 0}, {"5.5", 0},
      {"99999999999999999999", 500}, {"-600", -500},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(indentFieldValue(text), want) << text;
}

}  // namespace
}  // namespace wabunko
