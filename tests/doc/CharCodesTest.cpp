#include "doc/CharCodes.h"

#include <gtest/gtest.h>

#include "HexBytes.h"

#include <cstdio>
#include <sstream>
#include <streambuf>
#include <string>

namespace wabunko {
namespace {

using namespace std::string_literals;


struct ConversionCase {
  const char* name;
  CharCode code;
  std::string input;
  std::string expected;
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name; }

std::string caseName(const testing::TestParamInfo<ConversionCase>& info) { return info.param.name; }

// ---------------------------------------------------------------------------------------------

class DecodeTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(DecodeTest, GivesTheShiftJisBytes) {
  EXPECT_EQ(hex(DecodeToShiftJis(GetParam().code, GetParam().input)), hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(CharCodes, DecodeTest, testing::Values(
    ConversionCase{"JisKanjiThenLetter", CharCode::Jis, "\x1B$B\x30\x21\x1B(BA", "\x88\x9F" "A"},
    ConversionCase{"JisDesignationFinalByteIgnored", CharCode::Jis,
                   "\x1B$@\x30\x21\x1B(Ja\x1B$B\x30\x21\x1B(Ib", "\x88\x9F" "a\x88\x9F" "b"},
    ConversionCase{"JisFourByteDesignation", CharCode::Jis, "\x1B$(D\x30\x21", "\x88\x9F"},
    ConversionCase{"JisUnknownEscapeKeepsKanjiMode", CharCode::Jis, "\x1B$B\x30\x21\x1BKx\x30\x21",
                   "\x88\x9F\x88\x9F"},
    ConversionCase{"JisUnknownEscapeKeepsAsciiMode", CharCode::Jis, "a\x1BKxb", "ab"},
    ConversionCase{"JisKanjiModePairsLineEnds", CharCode::Jis, "\x1B$B\r\n", "\x77\x29"},
    ConversionCase{"JisAsciiModeCopiesEightBitAndShifts", CharCode::Jis, "\xB1\x0E\x0F\x80",
                   "\xB1\x0E\x0F\x80"},
    ConversionCase{"JisCutPairReadsZero", CharCode::Jis, "\x1B$B\x30", "\x88\x7E"},
    ConversionCase{"JisCutEscapeWritesNothing", CharCode::Jis, "A\x1B$", "A"},
    ConversionCase{"JisLoneEscapeAtEnd", CharCode::Jis, "A\x1B", "A"},
    ConversionCase{"EucKanji", CharCode::Euc, "\xB0\xA1", "\x88\x9F"},
    ConversionCase{"EucCopiesAsciiAndC1", CharCode::Euc, "A\x81\x9F\x8E", "A\x81\x9F\x8E"},
    ConversionCase{"EucSingleShiftKanaStartsAPair", CharCode::Euc, "\x8E\xB1" "A", "\x8E\x89\xE1"},
    ConversionCase{"Euc80StartsAPair", CharCode::Euc, "\x80\xA1", "\x70\x9F"},
    ConversionCase{"EucCutPairReadsZero", CharCode::Euc, "\xB0", "\x88\xFE"},
    ConversionCase{"FormFields", CharCode::InternetForm, "a%3D1&b=%82%A0", "a=1\r\nb=\x82\xA0"},
    ConversionCase{"FormHexLetter", CharCode::InternetForm, "%41", "A"},
    ConversionCase{"FormSecondNotDigit", CharCode::InternetForm, "%4g", "\x04"},
    ConversionCase{"FormNeitherDigit", CharCode::InternetForm, "%zz", "%"},
    ConversionCase{"FormFirstDigitPastF", CharCode::InternetForm, "%Z1", "1"},
    ConversionCase{"FormLowerCaseFirstIsPercent", CharCode::InternetForm, "%e9", "Y"},
    ConversionCase{"FormPlusStays", CharCode::InternetForm, "a+b", "a+b"},
    ConversionCase{"FormCutEscape", CharCode::InternetForm, "ab%4", "ab\x04"},
    ConversionCase{"FormLonePercentAtEnd", CharCode::InternetForm, "ab%", "ab%"},
    ConversionCase{"ShiftJisIsNoDecode", CharCode::ShiftJis, "abc", ""},
    ConversionCase{"UnknownCodeIsNoDecode", static_cast<CharCode>(7), "abc", ""}),
    caseName);

// ---------------------------------------------------------------------------------------------

class EncodeTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(EncodeTest, GivesTheEncodedBytes) {
  EXPECT_EQ(hex(EncodeFromShiftJis(GetParam().code, GetParam().input)), hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(CharCodes, EncodeTest, testing::Values(
    ConversionCase{"JisKanjiThenLetter", CharCode::Jis, "\x88\x9F" "A", "\x1B$B\x30\x21\x1B(BA"},
    ConversionCase{"JisEndsInKanjiWithoutReturn", CharCode::Jis, "A\x88\x9F", "A\x1B$B\x30\x21"},
    ConversionCase{"JisLeadE0", CharCode::Jis, "\xE0\x40\xE0\x9F", "\x1B$B\x5F\x21\x60\x21"},
    ConversionCase{"JisLeadFBButNotFC", CharCode::Jis, "\xFB\x40\xFC\x40",
                   "\x1B$B\x95\x21\x1B(B\xFC\x40"},
    ConversionCase{"JisHalfWidthKanaRaw", CharCode::Jis, "\xB1\xDE\r\n", "\xB1\xDE\r\n"},
    ConversionCase{"JisCutPairReadsZero", CharCode::Jis, "\x88", "\x1B$B\x2F\xE1"},
    ConversionCase{"EucFullWidthA", CharCode::Euc, "\x82\x60", "\xA3\xC1"},
    ConversionCase{"EucKanji", CharCode::Euc, "\x88\x9F", "\xB0\xA1"},
    ConversionCase{"EucKanaWidened", CharCode::Euc, "\xB6", "\xA5\xAB"},
    ConversionCase{"EucKanaVoiced", CharCode::Euc, "\xB6\xDE", "\xA5\xAC"},
    ConversionCase{"EucKanaSemiVoiced", CharCode::Euc, "\xCA\xDF", "\xA5\xD1"},
    ConversionCase{"EucMarkDroppedWhereNotTaken", CharCode::Euc, "\xB1\xDE", "\xA5\xA2"},
    ConversionCase{"EucLoneMarkRaw", CharCode::Euc, "\xDE", "\xDE"},
    ConversionCase{"EucHalfWidthPunctuationRaw", CharCode::Euc, "\xA1\xA5", "\xA1\xA5"},
    ConversionCase{"EucLeadF0Copied", CharCode::Euc, "\xF0\x40", "\xF0\x40"},
    ConversionCase{"EucCutPairReadsZero", CharCode::Euc, "a\x88", "a\xAF\x61"},
    ConversionCase{"ShiftJisIsNoEncode", CharCode::ShiftJis, "abc", ""},
    ConversionCase{"FormIsNoEncode", CharCode::InternetForm, "abc", ""}),
    caseName);

// ---------------------------------------------------------------------------------------------

// The conversions work through the text in blocks and chunks and must carry characters and
// modes across their edges: slide a few characters over every offset of the first blocks and
// of the first chunk's end.
TEST(CharCodes, LongTextsConvertTheSameAtEveryOffset) {
  for (std::size_t prefix = 0; prefix < 4200; prefix = prefix == 140 ? 4030 : prefix + 1) {
    SCOPED_TRACE(prefix);
    const std::string a(prefix, 'a'), b(prefix, 'b');

    const std::string text = a + "\x88\x9F\xB1\x82\xA0z\r\n" + b;
    const std::string jis = a + "\x1B$B\x30\x21\x1B(B\xB1\x1B$B\x24\x22\x1B(Bz\r\n" + b;
    EXPECT_EQ(EncodeFromShiftJis(CharCode::Jis, text), jis);
    EXPECT_EQ(DecodeToShiftJis(CharCode::Jis, jis), text);
    // An ESC as a kanji's second byte, and one inside an unknown escape, are not escapes.
    EXPECT_EQ(DecodeToShiftJis(CharCode::Jis, a + "\x1B$B\x30\x1B\x1B\x1B(\x30\x21\x1B(B" + b),
              a + "\x88\x99\x88\x9F" + b);

    const std::string withKana = a + "\x88\x9F\xB6\xDE\xB1\x82\xA0" + b;
    const std::string euc = a + "\xB0\xA1\xA5\xAC\xA5\xA2\xA4\xA2" + b;
    const std::string widened = a + "\x88\x9F\x83\x4B\x83\x41\x82\xA0" + b;
    EXPECT_EQ(EncodeFromShiftJis(CharCode::Euc, withKana), euc);
    EXPECT_EQ(DecodeToShiftJis(CharCode::Euc, euc), widened);

    EXPECT_EQ(DecodeToShiftJis(CharCode::InternetForm, a + "%82%A0&%41" + b),
              a + "\x82\xA0\r\nA" + b);
  }
}

// Every JIS X 0208 code point (rows and cells 0x21-0x7E) becomes a valid Shift-JIS pair and
// comes back, and the whole file codes carry it unchanged.
TEST(CharCodes, PairConversionsRoundTripOverJisX0208) {
  for (unsigned c1 = 0x21; c1 <= 0x7E; ++c1) {
    for (unsigned c2 = 0x21; c2 <= 0x7E; ++c2) {
      const BytePair s = JisPairToShiftJis(c1, c2);
      const BytePair back = ShiftJisPairToJis(s.first, s.second);
      ASSERT_EQ(back.first, c1) << std::hex << c1 << ' ' << c2;
      ASSERT_EQ(back.second, c2) << std::hex << c1 << ' ' << c2;
      ASSERT_TRUE((s.first >= 0x81 && s.first <= 0x9F) || (s.first >= 0xE0 && s.first <= 0xEF));
      ASSERT_TRUE((s.second >= 0x40 && s.second <= 0xFC) && s.second != 0x7F);
      ASSERT_TRUE(RoundTripsPair(CharCode::Jis, s.first, s.second));
      ASSERT_TRUE(RoundTripsPair(CharCode::Euc, s.first, s.second));
    }
  }
}

// And the other way: every Shift-JIS pair with a lead in 0x81-0x9F/0xE0-0xEF and a valid
// trail byte is some JIS X 0208 code point.
TEST(CharCodes, PairConversionsRoundTripOverShiftJis) {
  for (unsigned s1 = 0x81; s1 <= 0xEF; s1 = s1 == 0x9F ? 0xE0 : s1 + 1) {
    for (unsigned s2 = 0x40; s2 <= 0xFC; ++s2) {
      if (s2 == 0x7F) continue;
      const BytePair j = ShiftJisPairToJis(s1, s2);
      const BytePair back = JisPairToShiftJis(j.first, j.second);
      ASSERT_EQ(back.first, s1) << std::hex << s1 << ' ' << s2;
      ASSERT_EQ(back.second, s2) << std::hex << s1 << ' ' << s2;
      ASSERT_TRUE(j.first >= 0x21 && j.first <= 0x7E && j.second >= 0x21 && j.second <= 0x7E);
    }
  }
}

TEST(CharCodes, PairConversionsKnownValues) {
  const BytePair a = JisPairToShiftJis(0x30, 0x21);
  EXPECT_EQ(a.first, 0x88);
  EXPECT_EQ(a.second, 0x9F);
  const BytePair hiraganaA = ShiftJisPairToJis(0x82, 0xA0);
  EXPECT_EQ(hiraganaA.first, 0x24);
  EXPECT_EQ(hiraganaA.second, 0x22);
}

// ---------------------------------------------------------------------------------------------

struct WidthCase {
  unsigned char c;
  unsigned char next;
  std::string expected;
};

class HalfToFullCharTest : public testing::TestWithParam<WidthCase> {};

TEST_P(HalfToFullCharTest, GivesTheFullWidthForm) {
  const WidthCase& w = GetParam();
  EXPECT_EQ(hex(HalfToFullChar(w.c, w.next)), hex(w.expected)) << "c=" << hex(std::string(1, w.c));
}

INSTANTIATE_TEST_SUITE_P(CharCodes, HalfToFullCharTest, testing::Values(
    WidthCase{'0', 0, "\x82\x4F"}, WidthCase{'9', 0, "\x82\x58"}, WidthCase{'A', 0, "\x82\x60"},
    WidthCase{'Z', 0, "\x82\x79"}, WidthCase{'a', 0, "\x82\x81"}, WidthCase{'z', 0, "\x82\x9A"},
    WidthCase{0xA6, 0, "\x83\x92"},                                   // ｦ ヲ
    WidthCase{0xA7, 0, "\x83\x40"}, WidthCase{0xAB, 0, "\x83\x48"},   // ｧ ァ, ｫ ォ
    WidthCase{0xAC, 0, "\x83\x83"}, WidthCase{0xAE, 0, "\x83\x87"},   // ｬ ャ, ｮ ョ
    WidthCase{0xAF, 0, "\x83\x62"}, WidthCase{0xB0, 0, "\x81\x5B"},   // ｯ ッ, ｰ ー
    WidthCase{0xB1, 0, "\x83\x41"}, WidthCase{0xB3, 0xDE, "\x83\x45"},  // ｱ ア, ｳﾞ ウ
    WidthCase{0xB6, 0, "\x83\x4A"}, WidthCase{0xB6, 0xDE, "\x83\x4B"},  // ｶ カ, ｶﾞ ガ
    WidthCase{0xB6, 0xDF, "\x83\x4A"},                                // ｶﾟ カ
    WidthCase{0xC1, 0, "\x83\x60"}, WidthCase{0xC1, 0xDE, "\x83\x61"},  // ﾁ チ, ﾁﾞ ヂ
    WidthCase{0xC2, 0, "\x83\x63"}, WidthCase{0xC2, 0xDE, "\x83\x64"},  // ﾂ ツ, ﾂﾞ ヅ
    WidthCase{0xC4, 0xDE, "\x83\x68"},                                // ﾄﾞ ド
    WidthCase{0xC5, 0, "\x83\x69"}, WidthCase{0xC9, 0xDE, "\x83\x6D"},  // ﾅ ナ, ﾉﾞ ノ
    WidthCase{0xCA, 0, "\x83\x6E"}, WidthCase{0xCA, 0xDE, "\x83\x6F"},  // ﾊ ハ, ﾊﾞ バ
    WidthCase{0xCA, 0xDF, "\x83\x70"}, WidthCase{0xCE, 0xDF, "\x83\x7C"},  // ﾊﾟ パ, ﾎﾟ ポ
    WidthCase{0xCF, 0, "\x83\x7D"}, WidthCase{0xD0, 0, "\x83\x7E"},   // ﾏ マ, ﾐ ミ
    WidthCase{0xD1, 0, "\x83\x80"}, WidthCase{0xD3, 0, "\x83\x82"},   // ﾑ ム, ﾓ モ
    WidthCase{0xD4, 0, "\x83\x84"}, WidthCase{0xD6, 0, "\x83\x88"},   // ﾔ ヤ, ﾖ ヨ
    WidthCase{0xD7, 0, "\x83\x89"}, WidthCase{0xDB, 0, "\x83\x8D"},   // ﾗ ラ, ﾛ ロ
    WidthCase{0xDC, 0, "\x83\x8F"}, WidthCase{0xDD, 0, "\x83\x93"},   // ﾜ ワ, ﾝ ン
    WidthCase{'!', 0, "!"}, WidthCase{0xA1, 0, "\xA1"},               // no full-width form
    WidthCase{0xDE, 0, "\xDE"}, WidthCase{0, 0, "\0"s}));

// ---------------------------------------------------------------------------------------------

struct HeadCase {
  std::string bytes;
  bool rich;
};

class IsRichTextFileTest : public testing::TestWithParam<HeadCase> {};

TEST_P(IsRichTextFileTest, LooksAtTheFirstFiveBytes) {
  const HeadCase& h = GetParam();
  EXPECT_EQ(IsRichTextFile(std::string_view(h.bytes)), h.rich);
  std::istringstream file(h.bytes);
  file.seekg(0, std::ios::end);  // wherever the caller left it
  EXPECT_EQ(IsRichTextFile(file), h.rich);
  // The test does not eat the file, short ones included.
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), h.bytes);
}

INSTANTIATE_TEST_SUITE_P(CharCodes, IsRichTextFileTest, testing::Values(
    HeadCase{"{\\rtf1\\ansi\\ansicpg932 x}", true}, HeadCase{"{\\rtf", true},
    HeadCase{"{\\rt", false}, HeadCase{"", false}, HeadCase{"{\\RTF1", false},
    HeadCase{" {\\rtf1", false}));

// A source that hands out "{\rtf" and then fails the read.
class FailingAfterHead : public std::streambuf {
 protected:
  std::streamsize xsgetn(char* s, std::streamsize n) override {
    const std::string head = "{\\rtf";
    head.copy(s, static_cast<std::size_t>(n));
    throw std::ios_base::failure("device error");
  }
  pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override { return 0; }
  pos_type seekpos(pos_type, std::ios_base::openmode) override { return 0; }
};

TEST(CharCodes, IsRichTextFileTakesAReadErrorAsPlainText) {
  FailingAfterHead source;
  std::istream file(&source);
  EXPECT_FALSE(IsRichTextFile(file));
}

// ---------------------------------------------------------------------------------------------

struct PairCase {
  CharCode code;
  unsigned char lead, trail;
  bool roundTrips;
};

class RoundTripsPairTest : public testing::TestWithParam<PairCase> {};

TEST_P(RoundTripsPairTest, MatchesEncodeThenDecode) {
  const PairCase& p = GetParam();
  EXPECT_EQ(RoundTripsPair(p.code, p.lead, p.trail), p.roundTrips)
      << static_cast<int>(p.code) << ' ' << hex(std::string{char(p.lead), char(p.trail)});
}

INSTANTIATE_TEST_SUITE_P(CharCodes, RoundTripsPairTest, testing::Values(
    PairCase{CharCode::Jis, 0x88, 0x9F, true},
    PairCase{CharCode::Jis, 0xF0, 0x40, true},    // user-defined area: rows past 0x7E, symmetric
    PairCase{CharCode::Jis, 0xFC, 0x40, true},    // no lead byte in JIS: passes unchanged
    PairCase{CharCode::Jis, 0x81, 0x7F, false},   // 0x7F is no trail byte
    PairCase{CharCode::Euc, 0x88, 0x9F, true},
    PairCase{CharCode::Euc, 0xF0, 0x40, false},   // copied, then read back as an EUC pair
    PairCase{CharCode::Euc, 0xB6, 0xDE, false},   // half-width ｶﾞ is widened to ガ
    PairCase{CharCode::ShiftJis, 0xF0, 0x40, true},
    PairCase{CharCode::InternetForm, 0x81, 0x7F, true}));

}  // namespace
}  // namespace wabunko
