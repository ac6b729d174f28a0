#include "view/VerticalOrigins.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace wabunko {
namespace {

// Big-endian 16-bit values, as font tables hold them.
std::string be16(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) {
    bytes += static_cast<char>((v >> 8) & 0xFF);
    bytes += static_cast<char>(v & 0xFF);
  }
  return bytes;
}

const std::string kHhea = be16({1, 0, 880, -120});  // version, ascender 880, descender -120
// A head table whose indexToLocFormat (at byte 50) says short offsets.
const std::string kHead = std::string(50, '\0') + be16({0});
// Glyph 0 empty, glyph 1 from y -50 to 700, glyph 2 from 100 to 400.
const std::string kLoca = be16({0, 0, 5, 10});  // in words
const std::string kGlyf = be16({1, 0, -50, 0, 700}) + be16({1, 0, 100, 0, 400});

TEST(VerticalOrigins, VorgGivesTheOriginDirectly) {
  const std::string vorg = be16({1, 0, 880, 1, 2, 700});  // default 880; glyph 2 at 700
  const VerticalOrigins origins({kHead, kHhea, vorg, {}, {}, kLoca, kGlyf});
  EXPECT_EQ(origins.originY(1), 880);
  EXPECT_EQ(origins.originY(2), 700);
  EXPECT_EQ(origins.originY(999), 880);
}

TEST(VerticalOrigins, TrueTypeGlyphsStandByTheirTopAndTopSideBearing) {
  // Two glyphs with advance and bearing, the third with a bearing alone.
  std::string vhea(34, '\0');
  vhea += be16({2});
  const std::string vmtx = be16({1000, 0, 1000, 180, 30});
  const VerticalOrigins origins({kHead, kHhea, {}, vhea, vmtx, kLoca, kGlyf});
  EXPECT_EQ(origins.originY(0), 880);        // no outline: the ascent
  EXPECT_EQ(origins.originY(1), 700 + 180);  // top 700, bearing 180
  EXPECT_EQ(origins.originY(2), 400 + 30);
  EXPECT_EQ(origins.originY(7), 880);        // past the font's glyphs
}

TEST(VerticalOrigins, WithoutVerticalMetricsAGlyphIsCentredInTheAscentAndDescent) {
  const VerticalOrigins origins({kHead, kHhea, {}, {}, {}, kLoca, kGlyf});
  EXPECT_EQ(origins.originY(1), 700 + (1000 - 750) / 2);
  EXPECT_EQ(origins.originY(2), 400 + (1000 - 300) / 2);
}

TEST(VerticalOrigins, TruncatedOrMissingTablesNeverReadPastTheirEnd) {
  const std::string vorg = be16({1, 0, 880, 500});  // claims 500 pairs, holds none
  std::string vhea(34, '\0');
  vhea += be16({60000});
  for (std::size_t cut = 0; cut <= kGlyf.size(); ++cut) {
    const VerticalOrigins origins({kHead.substr(0, 30), kHhea.substr(0, cut % 8), {}, vhea, be16({1000}),
                                   kLoca, kGlyf.substr(0, cut)});
    for (std::uint16_t glyph : {0, 1, 2, 3, 65535}) origins.originY(glyph);
  }
  EXPECT_EQ(VerticalOrigins({{}, kHhea, vorg, {}, {}, {}, {}}).originY(3), 880);
  EXPECT_EQ(VerticalOrigins({}).originY(3), 0);
}

}  // namespace
}  // namespace wabunko
