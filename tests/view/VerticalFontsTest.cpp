// The `vert` reader on the Japanese fonts the setup script installs, read through Qt as
// the vertical control reads them.
#include "view/VerticalGlyphs.h"

#include <QFont>
#include <QFontInfo>
#include <QRawFont>
#include <QString>
#include <gtest/gtest.h>

#include <string_view>

namespace wabunko {
namespace {

// Vertical punctuation, long vowel mark and small kana.
constexpr char16_t kSubstituted[] = u"、。，．「」『』（）［］｛｝〈〉《》【】〔〕ー～…‥ぁっゃァッャ";
// Noto CJK has vertical forms of ；！？ for Chinese and Korean only: seeing them substituted
// would mean another language system's lookups were taken.
constexpr char16_t kKept[] = u"漢字A1；！？";
// Noto CJK also gives the full-size kana glyphs of their own in vertical text; IPA does not.
constexpr char16_t kKana[] = u"あアカ";

struct FontCase {
  const char* family;
  bool kanaSubstituted;
};

class VerticalFonts : public testing::TestWithParam<FontCase> {};

TEST_P(VerticalFonts, SubstitutesAsTheJapaneseLanguageSystemSays) {
  const QFont font(QString::fromUtf8(GetParam().family));
  if (QFontInfo(font).family() != font.family()) GTEST_SKIP() << GetParam().family << " is not installed";
  const QRawFont raw = QRawFont::fromFont(font);
  const QByteArray gsub = raw.fontTable("GSUB");
  const GlyphSubstitutions vert = readVerticalSubstitutions(std::string_view(gsub.constData(), gsub.size()));

  const auto check = [&](const char16_t* characters, bool substituted) {
    for (const QChar c : QString::fromUtf16(characters)) {
      const QList<quint32> glyphs = raw.glyphIndexesForString(QString(c));
      ASSERT_EQ(glyphs.size(), 1);
      ASSERT_NE(glyphs.front(), 0u) << QString(c).toStdString() << " has no glyph";
      EXPECT_EQ(vert.contains(static_cast<std::uint16_t>(glyphs.front())), substituted)
          << QString(c).toStdString();
    }
  };
  check(kSubstituted, true);
  check(kKept, false);
  check(kKana, GetParam().kanaSubstituted);
}

INSTANTIATE_TEST_SUITE_P(Installed, VerticalFonts, 
                         testing::Values(FontCase{"Noto Sans CJK JP", true}, FontCase{"IPAGothic", false}),
                         [](const auto& info) {
                           return QString::fromUtf8(info.param.family).remove(' ').toStdString();
                         });

}  // namespace
}  // namespace wabunko
