#include "frame/ProfileSettings.h"

#include "platform/MemoryStore.h"
#include "platform/QSettingsStore.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <vector>

namespace wabunko {
namespace {

using settings::Setting;

class ProfileSettingsTest : public testing::Test {
protected:
  MemoryStore store{canonicalSectionName};
};

TEST_F(ProfileSettingsTest, EmptyStoreGivesEveryDefaultOfTheLayoutAndWritesNothing) {
  for (const Setting& s : settings::layout()) {
    if (s.type == settings::Type::Int)
      EXPECT_EQ(readInt(store, s), s.intDefault) << s.section << " / " << s.key;
    else
      EXPECT_EQ(readString(store, s), QString::fromUtf8(s.stringDefault))
          << s.section << " / " << s.key;
  }
  EXPECT_TRUE(store.contents().isEmpty());
}

TEST_F(ProfileSettingsTest, StoredIntegersReadWithinTheirBoundsAndGarbageAsTheDefault) {
  struct Case {
    Setting setting;
    const char* stored;
    int read;
  };
  const Case cases[] = {
      {settings::FrameLeft, "-32767", -32767},
      {settings::FrameLeft, "-99999", -32768},
      {settings::FrameTop, "32767", 32767},
      {settings::FrameTop, "junk", 0},
      {settings::FrameWidth, "640", 640},
      {settings::FrameWidth, "10", 100},
      {settings::FrameHeight, "99999", 32767},
      {settings::FrameHeight, "", 400},
      {settings::fontSetting(settings::kFontDefault, settings::FontField::Height), "0", 1},
      {settings::fontSetting(settings::kFontReadOnly, settings::FontField::Height), "-15", 1},
      {settings::fontSetting(settings::kFontLineNumber, settings::FontField::Height), "10.5", 12},
      {settings::MenuNumberOfMruList, "0", 0},
      {settings::MenuNumberOfMruList, "16", 16},
      {settings::MenuNumberOfMruList, "50", 16},
      {settings::MenuNumberOfMruList, "-1", 0},
      {settings::CommandLineLength, "0", 1},
      {settings::CommandLineLength, "12", 12},
      {settings::CommandLineLength, "1000000", 10000},
      {settings::FileTimeSpanForAutoSave, "0", 1},
      {settings::FileTimeSpanForAutoSave, "-5", 1},
      {settings::FileTimeSpanForAutoSave, "35791", 35791},
      {settings::FileTimeSpanForAutoSave, "2147483647", 35791},
      {settings::FileTimeSpanForAutoSave, "99999999999", 30},  // not a 32-bit number
      {settings::FileTimeSpanForAutoSave, "5 minutes", 30},
      {settings::StyleTabSpace, "-3", 0},
      {settings::StyleIndentStart, "-5", -5},
      {settings::StyleIndentLeft, "600", 500},
      // Unbounded: colours, and the toolbar counts whose every value has a meaning.
      {settings::ColorBackGroundParent, "-1", -1},
      {settings::ToolBarCount, "99", 99},
  };
  for (const Case& c : cases) {
    const QString section = QString::fromUtf8(c.setting.section);
    const QString key = QString::fromUtf8(c.setting.key);
    ASSERT_TRUE(store.writeProfileString(section, key, c.stored));
    const MemoryStore::Sections before = store.contents();
    EXPECT_EQ(readInt(store, c.setting), c.read) << c.setting.section << " / " << c.setting.key
                                                 << " = " << c.stored;
    EXPECT_EQ(store.contents(), before);
  }
}

TEST_F(ProfileSettingsTest, FontRecordHeightsReadWithinTheirBounds) {
  store.writeProfileInt(settings::kFontDefault, "Height", 0);
  store.writeProfileInt("font\\line NUMBER", "Height", 100000);
  EXPECT_EQ(readFont(store, settings::kFontDefault).font.height, 1);
  EXPECT_EQ(readFont(store, settings::kFontLineNumber).font.height, 500);
}

TEST_F(ProfileSettingsTest, AReaderWithItsOwnDefaultGetsItOnlyWhileTheValueIsMissing) {
  EXPECT_EQ(readInt(store, settings::ColorBackGroundChild, 0), 0);
  EXPECT_EQ(readInt(store, settings::FrameWidth, -1), -1);  // outside the bounds, as given
  EXPECT_EQ(readString(store, settings::FileBackUpDirectory, "/home/me/"), "/home/me/");
  ASSERT_TRUE(writeSetting(store, settings::ColorBackGroundChild, 0x123456));
  ASSERT_TRUE(writeSetting(store, settings::FileBackUpDirectory, QString("/backup/")));
  EXPECT_EQ(readInt(store, settings::ColorBackGroundChild, 0), 0x123456);
  EXPECT_EQ(readString(store, settings::FileBackUpDirectory, "/home/me/"), "/backup/");
}

TEST_F(ProfileSettingsTest, ValuesWrittenUnderOneSpellingOfASectionAreFoundUnderTheOther) {
  ASSERT_TRUE(writeSetting(store, settings::FrameLeft, 250));
  EXPECT_EQ(store.getProfileInt("Frame Position", "Left  ", -1), 250);
  ASSERT_TRUE(store.writeProfileInt("FRAME POSITION", "Top   ", 30));
  EXPECT_EQ(readInt(store, settings::FrameTop), 30);
  EXPECT_EQ(store.contents().keys(), QStringList{"Frame position"});
}

TEST(CanonicalSectionName, KeepsTheLayoutSpellingInTheFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Wabunko.conf");
  QSettingsStore store(path, canonicalSectionName);
  ASSERT_TRUE(store.writeProfileInt("FRAME POSITION", "Width ", 640));
  ASSERT_TRUE(writeSetting(store, settings::ConfigFontName, QString("ＭＳ 明朝")));
  const QByteArray bytes = readBytes(path);
  EXPECT_TRUE(bytes.contains("[Frame%20position]")) << bytes.constData();
  EXPECT_TRUE(bytes.contains("[Config]")) << bytes.constData();
  EXPECT_EQ(readInt(store, settings::FrameWidth), 640);
}

TEST_F(ProfileSettingsTest, EmptyStoreGivesTheDefaultFontRecord) {
  for (const char* section : settings::kFontSections)
    EXPECT_EQ(readFont(store, section), FontRecord{}) << section;
}

FontRecord sampleRecord() {
  FontRecord r;
  r.font = {15, 7, 900, 900, 700, 1, 1, 1, 128, 3, 2, 4, 0x31, "ＭＳ Ｐ明朝"};
  r.color = 0x00336699;
  return r;
}

TEST_F(ProfileSettingsTest, FontRecordsRoundTripPerSection) {
  FontRecord lineNumbers = sampleRecord();
  lineNumbers.font.faceName = "Noto Sans Mono";
  ASSERT_TRUE(writeFont(store, settings::kFontDefault, sampleRecord()));
  ASSERT_TRUE(writeFont(store, settings::kFontLineNumber, lineNumbers));
  EXPECT_EQ(readFont(store, settings::kFontDefault), sampleRecord());
  EXPECT_EQ(readFont(store, "font\\line NUMBER"), lineNumbers);
  EXPECT_EQ(readFont(store, settings::kFontReadOnly), FontRecord{});
}

TEST_F(ProfileSettingsTest, FontRecordsRoundTripThroughTheFileWithALongJapaneseFace) {
  QTemporaryDir dir;
  QSettingsStore file(dir.filePath("Wabunko.conf"), canonicalSectionName);
  FontRecord record = sampleRecord();
  record.font.faceName = "游ゴシック体ミディアム縦書き用の長い名前";  // 40 bytes in Shift-JIS
  ASSERT_TRUE(writeFont(file, settings::kFontReadOnly, record));

  // Kept whole: an installed face's name may well be longer than 31 bytes.
  EXPECT_EQ(readFont(QSettingsStore(file.filePath(), canonicalSectionName), settings::kFontReadOnly), record);
}

TEST_F(ProfileSettingsTest, OneByteFieldsKeepTheLowEightBitsOfTheStoredValue) {
  store.writeProfileInt(settings::kFontDefault, "Italic", 257);
  store.writeProfileInt(settings::kFontDefault, "CharSet", -1);
  store.writeProfileInt(settings::kFontDefault, "Weight", 1000);
  const LogFont f = readFont(store, settings::kFontDefault).font;
  EXPECT_EQ(f.italic, 1);
  EXPECT_EQ(f.charSet, 255);
  EXPECT_EQ(f.weight, 1000);
}

// Records the keys written, in order.
class RecordingStore : public MemoryStore {
public:
  bool writeProfileInt(const QString& section, const QString& key, int value) override {
    keys.push_back(key);
    return MemoryStore::writeProfileInt(section, key, value);
  }
  bool writeProfileString(const QString& section, const QString& key,
                          const QString& value) override {
    keys.push_back(key);
    return MemoryStore::writeProfileString(section, key, value);
  }
  QStringList keys;
};

TEST(WriteFont, WritesTheFifteenKeysInRecordOrderAndReportsAFailure) {
  RecordingStore store;
  ASSERT_TRUE(writeFont(store, settings::kFontDefault, FontRecord{}));
  QStringList order;
  for (std::size_t f = 0; f < settings::kFontFieldCount; ++f)
    order << settings::fontSetting("", static_cast<settings::FontField>(f)).key;
  EXPECT_EQ(store.keys, order);

  store.setReadOnly(true);
  EXPECT_FALSE(writeFont(store, settings::kFontReadOnly, sampleRecord()));
  EXPECT_EQ(readFont(store, settings::kFontReadOnly), FontRecord{});
}

}  // namespace
}  // namespace wabunko
