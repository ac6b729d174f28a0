#include "frame/FontRecord.h"

#include <gtest/gtest.h>

#include <string>

#include "frame/SettingsLayout.h"

namespace wabunko {
namespace {

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(FontRecord, DefaultRecordMatchesTheLayoutDefaults) {
  using settings::FontField;
  const auto def = [](FontField f) { return settings::fontSetting("", f).intDefault; };
  const LogFont font;
  const int fields[] = {font.height,        font.width,         font.escapement,
                        font.orientation,   font.weight,        font.italic,
                        font.underline,     font.strikeOut,     font.charSet,
                        font.outPrecision,  font.clipPrecision, font.quality,
                        font.pitchAndFamily};
  for (std::size_t f = 0; f < std::size(fields); ++f)
    EXPECT_EQ(fields[f], def(static_cast<FontField>(f))) << "field " << f;
  EXPECT_EQ(font.faceName, settings::fontSetting("", FontField::FaceName).stringDefault);
  EXPECT_EQ(FontRecord{}.color, static_cast<std::uint32_t>(def(FontField::Color)));
}

TEST(FontRecord, FaceNameIsCutToThirtyOneShiftJisBytesAtACharacterBoundary) {
  const std::string wide = "漢";   // 2 bytes in code page 932, 3 in UTF-8
  const std::string narrow = "ｱ";  // half-width katakana: 1 byte in 932, 3 in UTF-8
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"", ""},
      {"ＭＳ ゴシック", "ＭＳ ゴシック"},
      {repeat("A", 31), repeat("A", 31)},
      {repeat("A", 40), repeat("A", 31)},
      {repeat(wide, 16), repeat(wide, 15)},               // 32 bytes: the last one would split
      {"A" + repeat(wide, 16), "A" + repeat(wide, 15)},   // exactly 31
      {repeat(wide, 15) + "AB", repeat(wide, 15) + "A"},
      {repeat(narrow, 32), repeat(narrow, 31)},           // counted in 932 bytes, not UTF-8
      {repeat("😀", 40), repeat("😀", 31)},               // unencodable: one '?' each
  };
  for (const auto& c : cases) EXPECT_EQ(truncateFaceName(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace wabunko
