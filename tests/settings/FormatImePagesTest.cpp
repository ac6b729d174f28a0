// The pages "書式" and "IMEの設定" through their real controls, with the font and colour
// dialogs answered by their hooks: what they show, what they keep and what they write.
#include "TestFiles.h"

#include "settings/CFormatSettingPropertyPage.h"
#include "settings/CImeSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/FontDialog.h"
#include "platform/MemoryStore.h"
#include "platform/ColorDialog.h"
#include "settings/SampleText.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>

namespace wabunko {
namespace {

QString section(std::size_t category) { return QString::fromUtf8(settings::kFontSections.at(category)); }

// Every field is named by a label that has it as its buddy, and the sample by its
// accessible name.
void expectNamed(const QWidget& page, std::initializer_list<const char*> fields, const char* sample) {
  const QList<QLabel*> labels = page.findChildren<QLabel*>();
  for (const char* name : fields) {
    QWidget* field = childNamed<QWidget>(page, name);
    EXPECT_TRUE(std::ranges::any_of(labels, [field](const QLabel* l) { return l->buddy() == field; })) << name;
  }
  EXPECT_EQ(childNamed<QWidget>(page, sample)->accessibleName(), QStringLiteral("サンプル"));
}

class FormatPageTest : public testing::Test {
protected:
  ~FormatPageTest() override { setFontDialogHook({}); }

  CFormatSettingPropertyPage& open() {
    page = std::make_unique<CFormatSettingPropertyPage>(store);
    return *page;
  }
  void showCategory(int category) { childNamed<QComboBox>(*page, "category")->setCurrentIndex(category); }
  QString face() const { return childNamed<QLineEdit>(*page, "faceName")->text(); }
  QString size() const { return childNamed<QLineEdit>(*page, "pointSize")->text(); }
  QTextCharFormat sample() const { return childNamed<SampleText>(*page, "fontSample")->shownFormat(); }

  // "変更" with the dialog answering `answer` (nothing: cancelled); what the dialog was
  // opened with.
  FontChoice change(const std::optional<FontChoice>& answer) {
    FontChoice opened;
    setFontDialogHook([&](FontDialog& dialog) {
      opened = dialog.choice();
      if (answer) dialog.setChoice(*answer);
      return answer.has_value();
    });
    childNamed<QPushButton>(*page, "changeFont")->click();
    return opened;
  }

  MemoryStore store;
  std::unique_ptr<CFormatSettingPropertyPage> page;
};

TEST_F(FormatPageTest, AnEmptyStoreShowsBlackRegularMsGothic12InEveryCategory) {
  open();
  const QComboBox* category = childNamed<QComboBox>(*page, "category");
  ASSERT_EQ(category->count(), 3);
  EXPECT_EQ(category->itemText(0), QStringLiteral("標準のフォント"));
  EXPECT_EQ(category->itemText(1), QStringLiteral("編集不可の文書"));
  EXPECT_EQ(category->itemText(2), QStringLiteral("行番号"));
  for (int c = 0; c < 3; ++c) {
    showCategory(c);
    EXPECT_EQ(face(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(size(), QStringLiteral("12"));
    const QTextCharFormat format = sample();
    EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("ＭＳ ゴシック")});
    EXPECT_EQ(format.fontPointSize(), 12);
    EXPECT_EQ(format.fontWeight(), QFont::Normal);
    EXPECT_FALSE(format.fontItalic() || format.fontUnderline() || format.fontStrikeOut());
    EXPECT_EQ(format.foreground().color(), QColor(Qt::black));
  }
  EXPECT_TRUE(store.writes().isEmpty());
  expectNamed(*page, {"category", "faceName", "pointSize"}, "fontSample");
}

TEST_F(FormatPageTest, TheDialogOpensWithTheRecordAndItsChoiceIsStoredAsTheRecordHoldsIt) {
  FontRecord stored;
  stored.font.weight = 700;
  stored.font.underline = 1;
  stored.font.charSet = 128;
  stored.font.quality = 2;
  stored.color = 0x0000FF;
  writeFont(store, section(1), stored);
  open();
  showCategory(1);
  EXPECT_EQ(change(std::nullopt), (FontChoice{QStringLiteral("ＭＳ ゴシック"), 120, 700, false, true, false, Qt::red}));
  EXPECT_EQ(face(), QStringLiteral("ＭＳ ゴシック"));

  struct Case {
    int tenths, weight;
    int height, storedWeight;
  };
  for (const Case c : {Case{105, 600, 10, 400}, Case{120, 700, 12, 700}, Case{95, 900, 9, 400}}) {
    change(FontChoice{QStringLiteral("IPAGothic"), c.tenths, c.weight, true, false, true, QColor(0x12, 0x34, 0x56)});
    EXPECT_EQ(size(), QString::number(c.height));
    page->writeSettings(store);
    FontRecord expected = stored;
    expected.font.faceName = "IPAGothic";
    expected.font.height = c.height;
    expected.font.weight = c.storedWeight;
    expected.font.italic = 1;
    expected.font.underline = 0;
    expected.font.strikeOut = 1;
    expected.color = 0x563412;
    EXPECT_EQ(readFont(store, section(1)), expected) << c.tenths << " " << c.weight;
  }
  const QTextCharFormat format = sample();
  EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("IPAGothic")});
  EXPECT_TRUE(format.fontItalic() && format.fontStrikeOut());
  EXPECT_EQ(format.foreground().color(), QColor(0x12, 0x34, 0x56));
}

TEST_F(FormatPageTest, AFaceLongerThanALogicalFontHoldsIsKeptWhole) {
  const QString longFace = QStringLiteral("Noto Sans CJK JP DemiLight Condensed Italic");
  ASSERT_GT(longFace.toUtf8().size(), 31);
  open();
  change(FontChoice{longFace, 120});
  EXPECT_EQ(face(), longFace);
  EXPECT_EQ(sample().fontFamilies().toStringList(), QStringList{longFace});
  EXPECT_EQ(change(std::nullopt).family, longFace);
}

TEST_F(FormatPageTest, EachCategoryKeepsItsEditsUntilTheyAreWrittenInOrder) {
  open();
  showCategory(2);
  change(FontChoice{QStringLiteral("IPAMincho"), 90});
  showCategory(0);
  EXPECT_EQ(face(), QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(sample().fontPointSize(), 12);
  showCategory(2);
  EXPECT_EQ(face(), QStringLiteral("IPAMincho"));
  EXPECT_EQ(size(), QStringLiteral("9"));
  EXPECT_EQ(sample().fontPointSize(), 9);
  EXPECT_TRUE(store.writes().isEmpty());

  page->writeSettings(store);
  QStringList expected;
  for (std::size_t c = 0; c < 3; ++c)
    for (std::size_t f = 0; f < settings::kFontFieldCount; ++f)
      expected << section(c) + QLatin1Char('/') +
                      QString::fromUtf8(settings::fontSetting("", static_cast<settings::FontField>(f)).key);
  EXPECT_EQ(store.writes(), expected);
  EXPECT_EQ(readFont(store, section(0)), FontRecord{});
  EXPECT_EQ(readFont(store, section(2)).font.faceName, "IPAMincho");
}

class ImePageTest : public testing::Test {
protected:
  ~ImePageTest() override { setColorChoiceHook({}); }

  CImeSettingPropertyPage& open() {
    page = std::make_unique<CImeSettingPropertyPage>(store);
    return *page;
  }
  void showState(int state) { childNamed<QComboBox>(*page, "state")->setCurrentIndex(state); }
  QCheckBox* box(const char* name) const { return childNamed<QCheckBox>(*page, name); }
  QTextCharFormat sample() const { return childNamed<SampleText>(*page, "imeSample")->shownFormat(); }

  // A colour button with the dialog answering `answer` (nothing: cancelled); the colour
  // the dialog was opened with.
  QColor pick(const char* button, const std::optional<QColor>& answer) {
    QColor opened;
    setColorChoiceHook([&](QColorDialog& dialog) {
      opened = dialog.currentColor();
      if (answer) dialog.setCurrentColor(*answer);
      return answer.has_value();
    });
    childNamed<QPushButton>(*page, button)->click();
    return opened;
  }

  MemoryStore store;
  std::unique_ptr<CImeSettingPropertyPage> page;
};

TEST_F(ImePageTest, AnEmptyStoreShowsTheFourStatesInTheirOwnColours) {
  open();
  struct Case {
    const char* label;
    QColor text, background;
  };
  const Case cases[] = {{"変換前", Qt::blue, Qt::white},
                        {"変換中", Qt::white, QColor(0, 0, 0xA0)},
                        {"変換待ち", QColor(0, 0x80, 0), Qt::white},
                        {"区切り位置変更", Qt::yellow, Qt::black}};
  for (int state = 0; state < 4; ++state) {
    showState(state);
    const Case& c = cases[state];
    EXPECT_EQ(childNamed<QComboBox>(*page, "state")->currentText(), QString::fromUtf8(c.label));
    const QTextCharFormat format = sample();
    EXPECT_EQ(format.foreground().color(), c.text) << c.label;
    EXPECT_EQ(format.background().color(), c.background) << c.label;
    EXPECT_EQ(format.fontPointSize(), 9);
    EXPECT_EQ(format.fontWeight(), QFont::Normal);
    EXPECT_FALSE(box("bold")->isChecked() || box("italic")->isChecked() || box("underline")->isChecked());
  }
  EXPECT_FALSE(box("autoOpen")->isChecked());
  EXPECT_EQ(box("autoOpen")->text(), QStringLiteral("起動時にI自動に立ち上げる"));
  EXPECT_TRUE(store.writes().isEmpty());
  expectNamed(*page, {"state"}, "imeSample");
}

TEST_F(ImePageTest, EffectsBelongToTheStateShown) {
  open();
  box("bold")->click();
  EXPECT_EQ(sample().fontWeight(), QFont::Bold);
  showState(1);
  EXPECT_FALSE(box("bold")->isChecked());
  EXPECT_EQ(sample().fontWeight(), QFont::Normal);
  box("italic")->click();
  box("underline")->click();
  EXPECT_TRUE(sample().fontItalic() && sample().fontUnderline());
  showState(0);
  EXPECT_TRUE(box("bold")->isChecked());
  EXPECT_FALSE(box("italic")->isChecked());
  EXPECT_EQ(sample().fontWeight(), QFont::Bold);
  EXPECT_FALSE(sample().fontItalic());

  page->writeSettings(store);
  EXPECT_EQ(readInt(store, settings::imeEffects(0)), 1);
  EXPECT_EQ(readInt(store, settings::imeEffects(1)), 2 | 4);
}

TEST_F(ImePageTest, TheColourDialogStartsAtTheColourAndOnlyOkChangesIt) {
  open();
  EXPECT_EQ(pick("textColour", std::nullopt), QColor(Qt::blue));
  EXPECT_EQ(sample().foreground().color(), QColor(Qt::blue));
  EXPECT_EQ(pick("textColour", QColor(255, 0, 0)), QColor(Qt::blue));
  EXPECT_EQ(sample().foreground().color(), QColor(255, 0, 0));
  showState(3);
  EXPECT_EQ(pick("backgroundColour", QColor(0x12, 0x34, 0x56)), QColor(Qt::black));
  EXPECT_EQ(sample().background().color(), QColor(0x12, 0x34, 0x56));
  EXPECT_TRUE(store.writes().isEmpty());

  page->writeSettings(store);
  EXPECT_EQ(readInt(store, settings::imeText(0)), 0x0000FF);
  EXPECT_EQ(readInt(store, settings::imeBackground(3)), 0x563412);
}

TEST_F(ImePageTest, WritesTheThirteenValuesInOrder) {
  writeSetting(store, settings::imeText(2), 0x123456);
  writeSetting(store, settings::imeEffects(3), 4);
  writeSetting(store, settings::ImeAuto, 1);
  open();
  EXPECT_TRUE(box("autoOpen")->isChecked());
  showState(2);
  EXPECT_EQ(sample().foreground().color(), QColor(0x56, 0x34, 0x12));
  showState(3);
  EXPECT_TRUE(box("underline")->isChecked());
  box("autoOpen")->click();

  MemoryStore written;
  page->writeSettings(written);
  QStringList keys;
  for (std::size_t i = 0; i < settings::kImeColorSetCount; ++i)
    for (const settings::Setting& s : {settings::imeText(i), settings::imeBackground(i), settings::imeEffects(i)})
      keys << QString::fromUtf8(s.section) + QLatin1Char('/') + QString::fromUtf8(s.key);
  keys << QStringLiteral("IME/Auto");
  EXPECT_EQ(written.writes(), keys);
  EXPECT_EQ(readInt(written, settings::imeText(2)), 0x123456);
  EXPECT_EQ(readInt(written, settings::imeBackground(1)), 0xA00000);
  EXPECT_EQ(readInt(written, settings::imeEffects(3)), 4);
  EXPECT_EQ(readInt(written, settings::ImeAuto), 0);
}

}  // namespace
}  // namespace wabunko
