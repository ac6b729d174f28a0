#include "doc/TextConversions.h"

#include "doc/TextBridge.h"

#include <gtest/gtest.h>

#include "HexBytes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace wabunko {
namespace {

// Code page 932 bytes of text written readably in the test.
std::string sjis(std::u16string_view text) { return TextBridge::toShiftJis(text); }


using Conversion = std::string (*)(std::string_view);

struct ConversionCase {
  const char* name;
  Conversion convert;
  std::string input;
  std::string expected;
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name; }

class TextConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(TextConversionTest, GivesTheExpectedBytes) {
  EXPECT_EQ(hex(GetParam().convert(GetParam().input)), hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Case, TextConversionTest, testing::Values(
    ConversionCase{"UpperAscii", ToUpperCase, "abc XYZ 1", "ABC XYZ 1"},
    ConversionCase{"UpperFullWidthLatin", ToUpperCase, sjis(u"ａｂｃｚ"), sjis(u"ＡＢＣＺ")},
    ConversionCase{"UpperGreek", ToUpperCase, sjis(u"αβω"), sjis(u"ΑΒΩ")},
    // о and п lie after the trail byte 0x7F that code page 932 skips.
    ConversionCase{"UpperCyrillic", ToUpperCase, sjis(u"аёнопя"), sjis(u"АЁНОПЯ")},
    ConversionCase{"LowerAscii", ToLowerCase, "ABC xyz 1", "abc xyz 1"},
    ConversionCase{"LowerFullWidthLatin", ToLowerCase, sjis(u"ＡＢＣＺ"), sjis(u"ａｂｃｚ")},
    ConversionCase{"LowerGreek", ToLowerCase, sjis(u"ΑΒΩ"), sjis(u"αβω")},
    ConversionCase{"LowerCyrillic", ToLowerCase, sjis(u"АЁНОПЯ"), sjis(u"аёнопя")},
    ConversionCase{"UpperLeavesKanaAndKanji", ToUpperCase, sjis(u"あア漢ｱ"), sjis(u"あア漢ｱ")},
    // Ｂ is 82 61 and ア is 83 41: their trail bytes are the ASCII 'a' and 'A'.
    ConversionCase{"UpperLeavesTrailThatLooksLikeLetter", ToUpperCase, sjis(u"Ｂb"), sjis(u"Ｂ") + "B"},
    ConversionCase{"LowerLeavesTrailThatLooksLikeLetter", ToLowerCase, sjis(u"アA"), sjis(u"ア") + "a"},
    ConversionCase{"UpperKeepsLeadByteCutOffAtEnd", ToUpperCase, "a\x82", "A\x82"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(FullWidth, TextConversionTest, testing::Values(
    ConversionCase{"VoicedKana", ToFullWidth, sjis(u"ｶﾞｷﾞﾂﾞ"), sjis(u"ガギヅ")},
    ConversionCase{"SemiVoicedKana", ToFullWidth, sjis(u"ﾊﾟﾋﾞﾌ"), sjis(u"パビフ")},
    ConversionCase{"MarkAfterKanaThatTakesNoneIsDropped", ToFullWidth, sjis(u"ｳﾞﾅﾟ"), sjis(u"ウナ")},
    ConversionCase{"LoneMarksDisappear", ToFullWidth, sjis(u"ﾞaﾟ"), sjis(u"ａ")},
    ConversionCase{"SmallKanaAndLongVowel", ToFullWidth, sjis(u"ｦｧｬｯｰﾝ"), sjis(u"ヲァャッーン")},
    ConversionCase{"HalfWidthPunctuation", ToFullWidth, sjis(u"｡｢｣､･"), sjis(u"。「」、・")},
    ConversionCase{"DigitsAndLetters", ToFullWidth, "09Az", sjis(u"０９Ａｚ")},
    ConversionCase{"AsciiSymbols", ToFullWidth, " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~",
                   sjis(u"　！”＃＄％＆’（）＊＋，－．／：；＜＝＞？＠［￥］＾＿‘｛｜｝～")},
    ConversionCase{"ControlsStay", ToFullWidth, "\t\r\n\x7F", "\t\r\n\x7F"},
    // ア is 83 41: the trail must not be widened as an 'A'.
    ConversionCase{"DoubleByteStays", ToFullWidth, sjis(u"ア漢あ"), sjis(u"ア漢あ")},
    ConversionCase{"LeadByteCutOffAtEnd", ToFullWidth, "a\x83", sjis(u"ａ") + "\x83"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(HalfWidth, TextConversionTest, testing::Values(
    ConversionCase{"VoicedKanaTakeTwoBytes", ToHalfWidth, sjis(u"ガヂヅパ"), sjis(u"ｶﾞﾁﾞﾂﾞﾊﾟ")},
    ConversionCase{"Vu", ToHalfWidth, sjis(u"ヴ"), sjis(u"ｳﾞ")},
    ConversionCase{"SmallAndPlainWa", ToHalfWidth, sjis(u"ワヮ"), sjis(u"ﾜﾜ")},
    ConversionCase{"SmallKaKe", ToHalfWidth, sjis(u"ヵヶ"), sjis(u"ｶｹ")},
    ConversionCase{"SmallKana", ToHalfWidth, sjis(u"ァャッヲン"), sjis(u"ｧｬｯｦﾝ")},
    ConversionCase{"KanaWithoutHalfForm", ToHalfWidth, sjis(u"ヰヱあ漢Α"), sjis(u"ヰヱあ漢Α")},
    ConversionCase{"KanaDoesNotSwallowNext", ToHalfWidth, sjis(u"ｱ０"), sjis(u"ｱ0")},
    ConversionCase{"Punctuation", ToHalfWidth, sjis(u"　、。，．・「」ー"), sjis(u" ､｡,.･｢｣ｰ")},
    ConversionCase{"MarksAndAcute", ToHalfWidth, sjis(u"゛゜´"), sjis(u"ﾞﾟ'")},
    ConversionCase{"Symbols", ToHalfWidth, sjis(u"”’‘￥～＃＠｜"), "\"'`\\~#@|"},
    ConversionCase{"OpeningDoubleQuoteStays", ToHalfWidth, sjis(u"“"), sjis(u"“")},
    ConversionCase{"DigitsAndLetters", ToHalfWidth, sjis(u"０９Ａｚ"), "09Az"},
    ConversionCase{"LeadByteCutOffAtEnd", ToHalfWidth, "\x82", "\x82"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WidthRoundTrip, HalfWidthTextComesBack) {
  const std::string text = sjis(u"ｱｲｳABC123");
  EXPECT_EQ(hex(ToHalfWidth(ToFullWidth(text))), hex(text));
}

// Every half-width character, alone and with each voicing mark it takes, survives widening
// and narrowing again.
TEST(WidthRoundTrip, EveryHalfWidthCharacter) {
  std::vector<std::string> texts;
  for (unsigned c = 0x20; c <= 0xDD; ++c) {
    if (c >= 0x7F && c <= 0xA0) continue;
    const std::string plain(1, static_cast<char>(c));
    texts.push_back(plain);
    for (const char mark : {'\xDE', '\xDF'})
      if (ToFullWidth(plain + mark) != ToFullWidth(plain)) texts.push_back(plain + mark);
  }
  for (const std::string& text : texts)
    EXPECT_EQ(hex(ToHalfWidth(ToFullWidth(text))), hex(text));
}

// ---------------------------------------------------------------------------------------------

struct PunctuationCase {
  const char* name;
  PunctuationChoices choices;
  std::u16string input;
  std::u16string expected;
};

void PrintTo(const PunctuationCase& c, std::ostream* os) { *os << c.name; }

class PunctuationTest : public testing::TestWithParam<PunctuationCase> {};

TEST_P(PunctuationTest, RewritesCommasAndFullStops) {
  EXPECT_EQ(ConvertPunctuation(sjis(GetParam().input), GetParam().choices),
            sjis(GetParam().expected));
}

constexpr PunctuationChoices japaneseOriginal{true, true, PunctuationWidth::Original};
constexpr PunctuationChoices westernFull{false, false, PunctuationWidth::Full};
constexpr PunctuationChoices westernHalf{false, false, PunctuationWidth::Half};
constexpr PunctuationChoices japaneseHalf{true, true, PunctuationWidth::Half};
constexpr PunctuationChoices westernCommaJapanesePeriod{false, true, PunctuationWidth::Original};

INSTANTIATE_TEST_SUITE_P(Punctuation, PunctuationTest, testing::Values(
    PunctuationCase{"OriginalWidthHalf", japaneseOriginal, u"a, b.", u"a､ b｡"},
    PunctuationCase{"OriginalWidthFull", japaneseOriginal, u"あ，い．", u"あ、い。"},
    PunctuationCase{"WesternFull", westernFull, u"、。､｡", u"，．，．"},
    PunctuationCase{"WesternHalf", westernHalf, u"、。，．､｡", u",.,.,."},
    PunctuationCase{"JapaneseHalf", japaneseHalf, u"｡ . 。 ．, ，", u"｡ ｡ ｡ ｡､ ､"},
    PunctuationCase{"DialogStartChoices", PunctuationChoices{}, u",.､｡，．", u"、。、。、。"},
    PunctuationCase{"CommaAndPeriodChosenApart", westernCommaJapanesePeriod, u"、．,.",
                    u"，。,｡"},
    PunctuationCase{"OthersStay", westernHalf, u"・「」ｰ漢ア!", u"・「」ｰ漢ア!"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

using Reports = std::vector<std::pair<std::size_t, std::size_t>>;

// Runs the punctuation conversion, recording every report and answering false to report
// number `cancelAt` (counted from 0).
std::optional<std::string> convertRecording(std::string_view text, Reports& reports,
                                            std::size_t cancelAt = SIZE_MAX) {
  return ConvertPunctuation(text, PunctuationChoices{}, [&](std::size_t done, std::size_t total) {
    reports.emplace_back(done, total);
    return reports.size() - 1 != cancelAt;
  });
}

TEST(PunctuationProgress, ReportsEveryThousandBytesAndTheEnd) {
  Reports reports;
  EXPECT_TRUE(convertRecording(std::string(2500, ','), reports));
  EXPECT_EQ(reports, (Reports{{0, 2500}, {1000, 2500}, {2000, 2500}, {2500, 2500}}));
}

TEST(PunctuationProgress, DoubleByteCharacterAcrossTheMarkDelaysTheReport) {
  Reports reports;
  EXPECT_TRUE(convertRecording(std::string(999, 'a') + sjis(u"あ") + "a", reports));
  EXPECT_EQ(reports, (Reports{{0, 1002}, {1001, 1002}, {1002, 1002}}));
}

TEST(PunctuationProgress, OneByteEndsComplete) {
  Reports reports;
  EXPECT_EQ(convertRecording(",", reports), sjis(u"、"));
  EXPECT_EQ(reports, (Reports{{0, 1}, {1, 1}}));
}

TEST(PunctuationProgress, EmptyTextReportsOnce) {
  Reports reports;
  EXPECT_EQ(convertRecording("", reports), "");
  EXPECT_EQ(reports, (Reports{{0, 0}}));
}

TEST(PunctuationProgress, CancelGivesNothing) {
  const std::string text(2500, ',');
  for (const std::size_t cancelAt : {0u, 1u, 3u}) {  // first, in the middle, last report
    Reports reports;
    EXPECT_EQ(convertRecording(text, reports, cancelAt), std::nullopt) << cancelAt;
    EXPECT_EQ(reports.size(), cancelAt + 1);
  }
}

// ---------------------------------------------------------------------------------------------

// Characters code page 932 cannot hold reach the conversions as the bridge's side-table codes,
// whose trail bytes can look like ASCII letters and punctuation.
TEST(BridgedText, CharactersOutsideCodePage932Survive) {
  std::u16string text = u"a,😀ｶﾞ€";
  for (char16_t c = 0x0100; c < 0x0180; ++c) text += c;  // Latin Extended-A: none in 932
  TextBridge bridge;
  const std::string bytes = bridge.toBytes(text);
  ASSERT_EQ(bridge.lost(), 0u);
  const std::u16string rest = text.substr(2);
  EXPECT_EQ(bridge.fromBytes(ToUpperCase(bytes)), u"A," + rest);
  EXPECT_EQ(bridge.fromBytes(ToLowerCase(bytes)), text);
  const std::u16string wide = bridge.fromBytes(ToFullWidth(bytes));
  EXPECT_EQ(wide, u"ａ，😀ガ" + text.substr(6));
  EXPECT_EQ(bridge.fromBytes(ToHalfWidth(bridge.toBytes(wide))), u"a,😀ｶﾞ" + text.substr(6));
  EXPECT_EQ(bridge.fromBytes(ConvertPunctuation(bytes, PunctuationChoices{}).value()),
            u"a、" + rest);
}

}  // namespace
}  // namespace wabunko
