#include "frame/SettingsLayout.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <set>
#include <string>
#include <utility>

namespace wabunko::settings {
namespace {

TEST(SettingsLayout, EveryKeyAppearsOnceUnderItsCanonicalSection) {
  std::set<std::pair<std::string, std::string>> seen;
  for (const Setting& s : layout()) {
    EXPECT_EQ(canonicalSection(s.section), s.section) << s.key;
    EXPECT_TRUE(seen.emplace(s.section, s.key).second) << s.section << " / " << s.key;
  }
}

TEST(SettingsLayout, EveryIntegerDefaultLiesWithinItsBounds) {
  int bounded = 0;
  for (const Setting& s : layout()) {
    if (s.type != Type::Int) continue;
    EXPECT_LE(s.intMin, s.intDefault) << s.section << " / " << s.key;
    EXPECT_LE(s.intDefault, s.intMax) << s.section << " / " << s.key;
    if (s.intMin != std::numeric_limits<int>::min() || s.intMax != std::numeric_limits<int>::max())
      ++bounded;
  }
  // Frame rectangle 4, auto-save period, three font heights, line length, recent files,
  // tab space and three indents.
  EXPECT_EQ(bounded, 14);
}

TEST(SettingsLayout, FramePositionKeysKeepTheirPaddingToSixCharacters) {
  for (const Setting& s : {FrameLeft, FrameTop, FrameWidth, FrameHeight})
    EXPECT_EQ(std::string(s.key).size(), 6u) << '"' << s.key << '"';
  EXPECT_STREQ(FrameLeft.key, "Left  ");
  EXPECT_STREQ(FrameTop.key, "Top   ");
  EXPECT_STREQ(FrameWidth.key, "Width ");
}

struct Family {
  const char* name;
  std::function<Setting(std::size_t)> setting;
  std::size_t count;
  std::string prefix;
  std::string suffix;
  const char* section;
};

TEST(SettingsLayout, NumberedFamiliesSpellTheirKeysAndAreAllInTheTable) {
  const Family families[] = {
      {"dir history", fileDirHistory, kDirHistoryCount, "Dir History ", "", kFile},
      {"find", findItem, kFindHistoryCount, "Find Item ", "", kFindReplaceList},
      {"replace", replaceItem, kFindHistoryCount, "Replace Item ", "", kFindReplaceList},
      {"ime text", imeText, kImeColorSetCount, "TextIME[", "]", kIme},
      {"ime background", imeBackground, kImeColorSetCount, "BackgroundIME[", "]", kIme},
      {"ime effects", imeEffects, kImeColorSetCount, "EffectsIME[", "]", kIme},
  };
  for (const Family& f : families) {
    for (std::size_t i = 0; i < f.count; ++i) {
      const Setting s = f.setting(i);
      EXPECT_EQ(s.key, f.prefix + std::to_string(i) + f.suffix) << f.name;
      EXPECT_STREQ(s.section, f.section) << f.name;
      EXPECT_NE(findSetting(s.section, s.key), nullptr) << f.name << i;
    }
  }
  for (std::size_t i = 0; i < kRecentFileCount; ++i) {
    EXPECT_EQ(recentFile(i).key, "File" + std::to_string(i + 1));
    EXPECT_NE(findSetting(kRecentFileList, recentFile(i).key), nullptr);
  }
}

TEST(SettingsLayout, ImeColourSetsHaveTheirOwnDefaults) {
  const int text[] = {0xFF0000, 0xFFFFFF, 0x008000, 0x00FFFF};
  const int background[] = {0xFFFFFF, 0xA00000, 0xFFFFFF, 0};
  for (std::size_t i = 0; i < kImeColorSetCount; ++i) {
    EXPECT_EQ(imeText(i).intDefault, text[i]) << i;
    EXPECT_EQ(imeBackground(i).intDefault, background[i]) << i;
    EXPECT_EQ(imeEffects(i).intDefault, 0) << i;
  }
}

TEST(SettingsLayout, EachFontSectionHoldsTheFifteenKeysInRecordOrder) {
  const char* order[] = {"Height",        "Width ",    "Escapement", "Orientation",
                         "Weight",        "Italic",    "Underline",  "StrikeOut",
                         "CharSet",       "OutPrecision", "ClipPrecision", "Quality",
                         "PitchAndFamily", "FaceName", "Color"};
  ASSERT_EQ(std::size(order), kFontFieldCount);
  for (const char* section : kFontSections) {
    for (std::size_t f = 0; f < kFontFieldCount; ++f) {
      const Setting s = fontSetting(section, static_cast<FontField>(f));
      EXPECT_STREQ(s.key, order[f]);
      EXPECT_STREQ(s.section, section);
      EXPECT_EQ(s.type, f == static_cast<std::size_t>(FontField::FaceName) ? Type::String
                                                                          : Type::Int);
      EXPECT_NE(findSetting(section, order[f]), nullptr) << section << order[f];
    }
  }
}

TEST(SettingsLayout, FindSettingComparesSectionsWithoutCaseAndKeysExactly) {
  EXPECT_EQ(findSetting("Frame Position", "Left  "), findSetting("Frame position", "Left  "));
  ASSERT_NE(findSetting("FRAME POSITION", "Left  "), nullptr);
  EXPECT_STREQ(findSetting("FRAME POSITION", "Left  ")->key, "Left  ");
  EXPECT_EQ(findSetting("Frame position", "Left"), nullptr);
  EXPECT_EQ(findSetting("Frame position", "left  "), nullptr);
  EXPECT_EQ(findSetting("font\\read ONLY", "FaceName")->stringDefault,
            std::string_view("ＭＳ ゴシック"));
  EXPECT_EQ(findSetting("Frame position", "子ｳｨﾝﾄﾞｳ")->stringDefault, std::string_view("上下に"));
  EXPECT_EQ(findSetting("No such section", "Left  "), nullptr);
}

TEST(SettingsLayout, CanonicalSectionIsTheLayoutSpellingOrLowerCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"Frame Position", "Frame position"},
      {"frame position", "Frame position"},
      {"FONT\\DEFAULT", "Font\\Default"},
      {"font\\line number", "Font\\Line number"},
      {"toolbar\\toolbar item", "ToolBar\\ToolBar Item"},
      {"TOOLBAR\\BAR STATE", "ToolBar\\Bar State"},
      {"hot KEY", "Hot key"},
      {"recent file list", "Recent File List"},
      {"ime", "IME"},
      {"My Section", "my section"},
      {"Font", "font"},               // a section is not the folder of its subsections
      {"ＦＯＮＴ", "ＦＯＮＴ"},       // only ASCII letters fold
      {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(canonicalSection(in), out) << in;
}

}  // namespace
}  // namespace wabunko::settings
