#include "frame/FontLists.h"

#include <gtest/gtest.h>

namespace wabunko {
namespace {

TEST(FontLists, AFaceOfSeveralScriptsShowsOncePerScriptAndAllAreSorted) {
  const std::vector<FaceInScript> faces{
      {"Noto Sans CJK JP", "日本語"}, {"arial", "欧文"}, {"Noto Sans CJK JP", "欧文"},
      {"Zapf", ""}, {"Symbolic", ""}, {"Symbolic", "シンボル"}, {"Bitstream", "欧文"},
  };
  const std::vector<FontNameItem> want{
      {"arial", "arial"},
      {"Bitstream", "Bitstream"},
      {"Noto Sans CJK JP (日本語)", "Noto Sans CJK JP"},
      {"Noto Sans CJK JP (欧文)", "Noto Sans CJK JP"},
      {"Symbolic", "Symbolic"},  // a script without a name adds nothing
      {"Symbolic (シンボル)", "Symbolic"},
      {"Zapf", "Zapf"},
  };
  EXPECT_EQ(fontNameItems(faces), want);
}

TEST(FontLists, SizesAreWrittenInWholeOrHalfPoints) {
  const std::pair<int, const char*> cases[] = {
      {240, "12"}, {210, "10.5"}, {200, "10"}, {205, "10.5"}, {204, "10"}, {215, "11"}, {1440, "72"}, {10, "0.5"},
  };
  for (const auto& [twips, text] : cases) EXPECT_EQ(sizeText(twips), text) << twips;
}

TEST(FontLists, FixedSizesRunFromEightToSeventyTwoPoints) {
  const std::vector<FontSizeItem> sizes = fixedSizeItems();
  ASSERT_EQ(sizes.size(), 16u);
  EXPECT_EQ(sizes.front(), (FontSizeItem{"8", 160}));
  EXPECT_EQ(sizes[4], (FontSizeItem{"12", 240}));
  EXPECT_EQ(sizes.back(), (FontSizeItem{"72", 1440}));
}

TEST(FontLists, AFacesOwnSizesGoInAscendingWithoutRepeats) {
  const int twips[] = {240, 180, 210, 242, 160, 180};
  const std::vector<FontSizeItem> want{{"8", 160}, {"9", 180}, {"10.5", 210}, {"12", 240}};
  EXPECT_EQ(ownSizeItems(twips), want);
}

TEST(FontLists, TypedSizesBecomeTwipsWithinTheirBounds) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"12", 240},      {"10.5", 210},    {" 9 ", 180},          {"10.52", 210}, {"1", 20},
      {"1638", 32760},  {"0.5", {}},      {"1638.5", {}},        {"0", {}},      {"", {}},
      {"abc", {}},      {"-12", {}},      {"1e2", {}},           {"12pt", {}},   {"1.2.3", {}},
      {".", {}},        {".5e", {}},
  };
  for (const auto& [text, twips] : cases) EXPECT_EQ(parseSizeTwips(text), twips) << text;
}

}  // namespace
}  // namespace wabunko
