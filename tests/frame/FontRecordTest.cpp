#include "frame/FontRecord.h"

#include <gtest/gtest.h>

#include "frame/SettingsLayout.h"

namespace wabunko {
namespace {

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

}  // namespace
}  // namespace wabunko
