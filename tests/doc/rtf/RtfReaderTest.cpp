#include "doc/rtf/RtfReader.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "RtfTestSupport.h"
#include "doc/rtf/CodePages.h"

namespace wabunko::rtf {
namespace {

using namespace std::string_literals;

struct TextCase {
  const char* name;
  std::string rtf;
  std::u16string text;  // paragraphs joined by '\n'
};

class ReadsText : public testing::TestWithParam<TextCase> {};

std::string repeated(std::string_view piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

TEST_P(ReadsText, AsWordProcessorsWriteIt) {
  const RtfReadResult result = readRtf(GetParam().rtf);
  EXPECT_FALSE(result.damaged);
  EXPECT_EQ(toUtf8(plainText(result.document)), toUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Snippets, ReadsText,
    testing::Values(
        TextCase{"ShiftJisFont",
                 R"({\rtf1\ansi\deff0{\fonttbl{\f0\fnil\fcharset128 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}})"
                 R"(\f0 \'93\'fa\'96\'7b\'8c\'ea\par})",
                 u"日本語"},
        TextCase{"DocumentCodePageWhenTheFontNamesNone",
                 R"({\rtf1\ansi\ansicpg932{\fonttbl{\f0 Gothic;}}\f0 \'82\'a0})", u"あ"},
        TextCase{"AnsiCharsetIsTheDocumentCodePage",
                 R"({\rtf1\ansi\ansicpg932\deff0{\fonttbl{\f0\fnil\fcharset0 Century;})"
                 R"({\f1\fnil\fcharset0 Arial;}}\'93\'fa\f1 \'96\'7b\f2 \'8c\'ea})",
                 u"日本語"},
        TextCase{"AnsiCharsetInAnotherDocumentCodePage",
                 R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset0 Arial;}}\f0 \'cf\'f0\'e8})",
                 u"При"},
        TextCase{"AnsiCharsetWithoutDocumentCodePage",
                 R"({\rtf1\ansi{\fonttbl{\f0\fcharset0 Arial;}}\f0 caf\'e9})", u"café"},
        TextCase{"AnsiCharsetInACodePageWithoutTable",
                 R"({\rtf1\ansi\ansicpg949{\fonttbl{\f0\fcharset0 Arial;}}\f0 caf\'e9})", u"café"},
        TextCase{"TrailByteAsPlainLetter", R"({\rtf1\ansi\ansicpg932 \'83A})", u"ア"},
        TextCase{"HalfWidthKatakana", R"({\rtf1\ansi\ansicpg932 \'b6\'c5})", u"ｶﾅ"},
        TextCase{"CodePage1252", R"({\rtf1\ansi caf\'e9 \'80\'E9})", u"café €é"},
        TextCase{"CyrillicCharset",
                 R"({\rtf1\ansi{\fonttbl{\f1\fcharset204 Arial Cyr;}}\f1 \'cf\'f0\'e8\'e2\'e5\'f2})",
                 u"Привет"},
        TextCase{"MacRoman", R"({\rtf1\mac \'8e})", u"é"},
        TextCase{"UnicodeWithDefaultFallback", R"({\rtf1\ansi \u26085?\u26412?})", u"日本"},
        TextCase{"FallbackOfTwoBytes", R"({\rtf1\ansi\ansicpg932\uc2 \u26085\'93\'fax})", u"日x"},
        TextCase{"NoFallback", R"({\rtf1\uc0\u26085 x})", u"日x"},
        TextCase{"SurrogatePairFromNegativeNumbers", R"({\rtf1 \u-10179?\u-8704?})",
                 u"\U0001F600"},
        TextCase{"UnicodeOutOfRange", R"({\rtf1 \u70000?})", u"\uFFFD"},
        TextCase{"GroupEndsTheFallback", R"({\rtf1\uc3{\u26085}x})", u"日x"},
        TextCase{"ControlWordIsOneFallbackCharacter", R"({\rtf1\u8212\emdash x})", u"\u2014x"},
        TextCase{"FieldShowsItsResult",
                 R"({\rtf1{\field{\*\fldinst {HYPERLINK "http://example.com"}}{\fldrslt {link}}})"
                 R"({\field{\fldinst PAGE}{\fldrslt 7}}})",
                 u"link7"},
        TextCase{"SkippedDestinations",
                 R"({\rtf1{\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}{\header H})"
                 R"({\footerr F}{\footnote N}{\*\generator G;}{\*\unknownword U}a\par})",
                 u"a"},
        TextCase{"UnknownControlWordsIgnored", R"({\rtf1\foo\bar12 a\baz-3 b\x c})", u"abc"},
        TextCase{"ControlSymbols", R"({\rtf1 a\~b\-c\_d\{\}\\\|\:})",
                 u"a\u00A0b\u00ADc\u2011d{}\\"},
        TextCase{"Breaks", R"({\rtf1 a\tab b\line c\par d\page e\sect f})",
                 u"a\tb\u2028c\nd\ne\nf"},
        TextCase{"LineEndsInTheFileAreNoText", "{\\rtf1 a\r\nb\n}", u"ab"},
        TextCase{"BackslashLineEndIsAParagraph", "{\\rtf1 a\\\nb}", u"a\nb"},
        TextCase{"EmptyParagraphAfterTheLastPar", R"({\rtf1 a\par\par})", u"a\n"},
        TextCase{"TableCellsAsTabs", R"({\rtf1\trowd\cellx100 a\cell b\cell\row c})",
                 u"a\tb\t\nc"},
        TextCase{"SpecialCharacters",
                 R"({\rtf1\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
                 u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D"},
        TextCase{"BlankAfterTheDocument", "{\\rtf1 a}\r\n\0\0"s, u"a"},
        TextCase{"TenThousandNestedGroups",
                 R"({\rtf1\ansi\ansicpg932 \'90\'f3\'82\'a2 shallow )" + repeated("{", 10000) +
                     R"(\'90\'5b\u12356? deep)" + repeated("}", 10000) +
                     R"( \'96\'df\'82\'c1\'82\'bd back})",
                 u"浅い shallow 深い deep 戻った back"},
        TextCase{"HundredThousandNestedGroups",
                 "{\\rtf1 a" + repeated("{", 100000) + "b" + repeated("}", 100000) + "c}", u"abc"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FormatCase {
  const char* name;
  std::string rtf;
  RtfDocument expected;
};

class ReadsFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(ReadsFormats, IntoTheModel) {
  const RtfReadResult result = readRtf(GetParam().rtf);
  EXPECT_FALSE(result.damaged);
  EXPECT_EQ(result.document, GetParam().expected);
}

const CharFormat kArial10{.face = "Arial", .heightTwips = 200};

INSTANTIATE_TEST_SUITE_P(
    Snippets, ReadsFormats,
    testing::Values(
        FormatCase{
            "CharacterEffects",
            R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fcharset128 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}})"
            R"({\colortbl;\red255\green0\blue0;\red0\green128\blue0;}\f0\fs20 a{\b b}{\i c})"
            R"({\ul d\ulnone e}{\strike f}{\striked1 g}{\cf1 h}{\cf2 i}{\uldb j}{\f1 k}\par})",
            {{paragraph({
                textRun(u"a", kArial10),
                textRun(u"b", {.face = "Arial", .heightTwips = 200, .bold = true}),
                textRun(u"c", {.face = "Arial", .heightTwips = 200, .italic = true}),
                textRun(u"d", {.face = "Arial", .heightTwips = 200, .underline = true}),
                textRun(u"e", kArial10),
                textRun(u"fg", {.face = "Arial", .heightTwips = 200, .strikeOut = true}),
                textRun(u"h", {.face = "Arial", .heightTwips = 200, .colour = Rgb{255, 0, 0}}),
                textRun(u"i", {.face = "Arial", .heightTwips = 200, .colour = Rgb{0, 128, 0}}),
                textRun(u"j", {.face = "Arial", .heightTwips = 200, .underline = true}),
                textRun(u"k", {.face = "ＭＳ 明朝", .heightTwips = 200}),
            })}}},
        FormatCase{
            "RaisedAndLowered",
            R"({\rtf1 {\super a}{\sub b}{\super\nosupersub c}{\up6 d}{\dn4 e}{\up f})"
            R"({\fs12\wabunkofstwips123\up10\wabunkouptwips96 g}{\dn\up0 h}})",
            {{paragraph({
                textRun(u"a", {.position = VerticalPosition::Superscript}),
                textRun(u"b", {.position = VerticalPosition::Subscript}),
                textRun(u"c"),
                textRun(u"d", {.offsetTwips = 60}),
                textRun(u"e", {.offsetTwips = -40}),
                textRun(u"f", {.offsetTwips = 60}),
                textRun(u"g", {.heightTwips = 123, .offsetTwips = 96}),
                textRun(u"h"),
            })}}},
        FormatCase{"PlainResetsToTheDefaultFont",
                   R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Times;}}{\colortbl;\red1\green2\blue3;})"
                   R"(\f0\b\i\ul\strike\cf1\fs40\super\up3 x\plain y})",
                   {{paragraph({
                       textRun(u"x", {.face = "Arial", .heightTwips = 400, .bold = true,
                                      .italic = true, .underline = true, .strikeOut = true,
                                      .colour = Rgb{1, 2, 3},
                                      .position = VerticalPosition::Superscript,
                                      .offsetTwips = 30}),
                       textRun(u"y", {.face = "Times"}),
                   })}}},
        FormatCase{"FontSizeWithoutNumber", R"({\rtf1\fs30 a\fs b})",
                   {{paragraph({textRun(u"a", {.heightTwips = 300}), textRun(u"b")})}}},
        FormatCase{"GroupsRestoreTheFormat", R"({\rtf1 {\b a{\i b}c}d})",
                   {{paragraph({textRun(u"a", {.bold = true}),
                                textRun(u"b", {.bold = true, .italic = true}),
                                textRun(u"c", {.bold = true}), textRun(u"d")})}}},
        FormatCase{"EqualNeighboursMerge", R"({\rtf1{\b a}{\b\i0 b}})",
                   {{paragraph({textRun(u"ab", {.bold = true})})}}},
        FormatCase{"AutomaticColourAndUnknownIndex",
                   R"({\rtf1{\colortbl;\red1\green2\blue3;}{\cf0 a}{\cf1 b}{\cf9 c}})",
                   {{paragraph({textRun(u"a"), textRun(u"b", {.colour = Rgb{1, 2, 3}}),
                                textRun(u"c")})}}},
        FormatCase{"ParagraphFormats",
                   R"({\rtf1\qc\li100\ri200\fi-50\tx720\tx1440 a\par\pard\qr b\par\qj c\par)"
                   R"(\pard\qd\lin5\rin6 d\par\pard e\par})",
                   {{paragraph({textRun(u"a")}, {Alignment::Centre, 100, 200, -50, {720, 1440}}),
                     paragraph({textRun(u"b")}, {.alignment = Alignment::Right}),
                     paragraph({textRun(u"c")}, {.alignment = Alignment::Justified}),
                     paragraph({textRun(u"d")}, {Alignment::Justified, 5, 6, 0, {}}),
                     paragraph({textRun(u"e")})}}},
        FormatCase{"ParagraphFormatInsideAGroup", R"({\rtf1{\pard\qc a\par}b})",
                   {{paragraph({textRun(u"a")}, {.alignment = Alignment::Centre}),
                     paragraph({textRun(u"b")})}}},
        FormatCase{"FontNameWithEscapesAndUnicode",
                   R"({\rtf1{\fonttbl{\f0\fnil{\*\panose 0}A\'3bB\u12354?;}}\f0 x})",
                   {{paragraph({textRun(u"x", {.face = "A;Bあ"})})}}},
        FormatCase{"FontTableWithoutGroupsOrSemicolons",
                   R"({\rtf1{\fonttbl\f0 Arial;\f1 Times}\f1 x})",
                   {{paragraph({textRun(u"x", {.face = "Times"})})}}},
        FormatCase{"AnsiCharsetFontNameInTheDocumentCodePage",
                   R"({\rtf1\ansi\ansicpg932{\fonttbl{\f0\fcharset0 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}})"
                   R"(\f0 x})",
                   {{paragraph({textRun(u"x", {.face = "ＭＳ 明朝"})})}}},
        FormatCase{"TabStopsFollowTheGroupsUpToTheLimit",
                   R"({\rtf1\tx10{\tx20 a\par}b\par)" + repeated(R"(\tx30)", 40) + " c}",
                   {{paragraph({textRun(u"a")}, {.tabStopsTwips = {10, 20}}),
                     paragraph({textRun(u"b")}, {.tabStopsTwips = {10}}),
                     paragraph({textRun(u"c")}, {.tabStopsTwips = [] {
                                  std::vector<int> stops(32, 30);
                                  stops.front() = 10;
                                  return stops;
                                }()})}}},
        FormatCase{"DeepGroupsRestoreTheFormat",
                   R"({\rtf1{\qc\tx100 )" + repeated(R"({\b\tx200 )", 10000) + "x" +
                       repeated("}", 10000) + R"(y\par}z})",
                   {{paragraph({textRun(u"x", {.bold = true}), textRun(u"y")},
                               {.alignment = Alignment::Centre, .tabStopsTwips = {100}}),
                     paragraph({textRun(u"z")})}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, KeepsPngAndJpegPictures) {
  const std::string rtf =
      "{\\rtf1 a{\\*\\shppict{\\pict\\pngblip\\picw10\\pich5\\picwgoal300\\pichgoal150"
      "\\picscalex50\\picscaley200 89504E470d0a\r\n1a0a}}"
      "{\\nonshppict{\\pict\\wmetafile8 0102}}b"
      "{\\b{\\pict\\jpegblip\\bin5 \xff\xd8}{\\}}"
      "{\\pict\\emfblip 0102}{\\pict\\pngblip}}";
  const RtfReadResult result = readRtf(rtf);
  EXPECT_FALSE(result.damaged);
  const RtfDocument expected{{paragraph({
      textRun(u"a"),
      imageRun({ImageKind::Png, "\x89PNG\r\n\x1a\n", 150, 300}),
      textRun(u"b"),
      imageRun({ImageKind::Jpeg, "\xff\xd8}{\\", 0, 0}, {.bold = true}),
  })}};
  EXPECT_EQ(result.document, expected);
}

struct DamagedCase {
  const char* name;
  std::string rtf;
  std::u16string readable;
};

class ReadsDamaged : public testing::TestWithParam<DamagedCase> {};

TEST_P(ReadsDamaged, KeepsWhatItCouldRead) {
  const RtfReadResult result = readRtf(GetParam().rtf);
  EXPECT_TRUE(result.damaged);
  EXPECT_EQ(toUtf8(plainText(result.document)), toUtf8(GetParam().readable));
}

// Bytes from a fixed linear congruential sequence.
std::string junk(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 12345;
  for (char& byte : bytes) {
    state = state * 1103515245 + 12345;
    byte = static_cast<char>(state >> 16);
  }
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ReadsDamaged,
    testing::Values(
        DamagedCase{"MissingClosingBraces", R"({\rtf1 {\b a)", u"a"},
        DamagedCase{"ExtraClosingBrace", R"({\rtf1 a}})", u"a"},
        DamagedCase{"TextAfterTheDocument", R"({\rtf1 a} b)", u"a"},
        DamagedCase{"NoHeader", R"({\b a})", u"a"},
        DamagedCase{"PlainText", "hello", u""},
        DamagedCase{"CutInAHexByte", R"({\rtf1 a\'8)", u"a"},
        DamagedCase{"CutAfterABackslash", R"({\rtf1 a\)", u"a"},
        DamagedCase{"CutInADoubleByteCharacter", R"({\rtf1\ansicpg932 \'82)", u"\uF782"},
        DamagedCase{"BadHexByte", R"({\rtf1 a\'zzb})", u"azzb"},
        DamagedCase{"BinBeyond32Bits", R"({\rtf1 a{\pict\pngblip\bin4294967296 abc}}b)", u"a"},
        DamagedCase{"BinLongerThanTheFile", R"({\rtf1 a{\bin999 xyz}b})", u"a"},
        DamagedCase{"NegativeBin", R"({\rtf1 a\bin-5 b})", u"ab"},
        DamagedCase{"NumberBeyond32Bits", R"({\rtf1\fs99999999999999999999 a})", u"a"},
        DamagedCase{"HundredThousandOpenGroups", "{\\rtf1 a" + repeated("{", 100000) + "bc}",
                    u"abc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, BinaryJunkIsDamaged) {
  EXPECT_TRUE(readRtf(junk(100000)).damaged);
  EXPECT_TRUE(readRtf("{\\rtf1 " + junk(1 << 20)).damaged);
}

std::string fixture(const char* name) {
  std::ifstream file(std::filesystem::path(__FILE__).parent_path() / "fixtures" / name,
                     std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// pandoc 2.17 from Markdown: a heading, bold and italic inside Japanese, a bullet list.
TEST(RtfReader, ReadsPandocOutput) {
  const RtfReadResult result = readRtf(fixture("pandoc-japanese.rtf"));
  EXPECT_FALSE(result.damaged);
  const CharFormat body{.face = "Helvetica"};
  const ParagraphFormat item{.leftIndentTwips = 360, .firstLineIndentTwips = -360,
                             .tabStopsTwips = {360}};
  const RtfDocument expected{{
      paragraph({textRun(u"見出し", {.face = "Helvetica", .heightTwips = 360, .bold = true})}),
      paragraph({textRun(u"日本語の", body),
                 textRun(u"太字", {.face = "Helvetica", .bold = true}),
                 textRun(u"と", body),
                 textRun(u"斜体", {.face = "Helvetica", .italic = true}),
                 textRun(u"、English text.", body)}),
      paragraph({textRun(u"\u2022\t項目一", body)}, item),
      paragraph({textRun(u"\u2022\titem two", body)}, item),
  }};
  EXPECT_EQ(result.document, expected);
}

// AbiWord 3.0 from HTML: a centred bold and italic line, a red word, underline,
// superscript and subscript, a right-aligned 16-point line in another face.
TEST(RtfReader, ReadsAbiWordOutput) {
  const RtfReadResult result = readRtf(fixture("abiword-japanese.rtf"));
  EXPECT_FALSE(result.damaged);
  ASSERT_GE(result.document.paragraphs.size(), 3u);
  const auto font = [](CharFormat format) {
    format.face = "Liberation Serif";
    return format;
  };
  const RtfDocument expected{{
      paragraph({textRun(u"日本語の太字", font({.bold = true})), textRun(u"と", font({})),
                 textRun(u"斜体", font({.italic = true}))},
                {.alignment = Alignment::Centre}),
      paragraph({textRun(u"赤い文字", {.face = "Liberation Serif", .colour = Rgb{255, 0, 0}}),
                 textRun(u" and ", font({})), textRun(u"underline", font({.underline = true})),
                 textRun(u" x", font({})),
                 textRun(u"2", font({.position = VerticalPosition::Superscript})),
                 textRun(u" H", font({})),
                 textRun(u"2", font({.position = VerticalPosition::Subscript})),
                 textRun(u"O", font({}))}),
      paragraph({textRun(u"大きい字", {.face = "Noto Sans CJK JP", .heightTwips = 320})},
                {.alignment = Alignment::Right}),
  }};
  const RtfDocument firstThree{{result.document.paragraphs.begin(),
                                result.document.paragraphs.begin() + 3}};
  EXPECT_EQ(firstThree, expected);
}

// Each table's 128 upper characters against glibc's converter; bytes the code page leaves
// undefined are U+FFFD.
TEST(CodePages, MatchIconv) {
  const std::pair<int, const char*> pages[] = {{1250, "CP1250"}, {1251, "CP1251"},
                                               {1252, "CP1252"}, {1253, "CP1253"},
                                               {1254, "CP1254"}, {1257, "CP1257"},
                                               {10000, "MACINTOSH"}};
  for (const auto& [codePage, name] : pages) {
    iconv_t converter = iconv_open("UTF-16LE", name);
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1)) << name;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      char in = static_cast<char>(byte);
      unsigned char out[4] = {};
      char* inPtr = &in;
      char* outPtr = reinterpret_cast<char*>(out);
      std::size_t inLeft = 1, outLeft = sizeof out;
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
      const bool converted = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == 0 &&
                             outLeft == sizeof out - 2;
      char16_t expected = converted ? static_cast<char16_t>(out[0] | out[1] << 8) : u'\uFFFD';
      if (codePage == 10000 && byte == 0xF0) expected = u'\uF8FF';  // Apple's logo, as Apple maps it
      std::u16string decoded;
      appendDecoded(decoded, codePage, std::string(1, in));
      EXPECT_EQ(decoded, std::u16string(1, expected)) << name << " byte " << byte;
    }
    iconv_close(converter);
  }
}

TEST(CodePages, UnknownCodePageKeepsAscii) {
  std::u16string decoded;
  appendDecoded(decoded, 949, "a\xb0\xa1");
  EXPECT_EQ(decoded, u"a\uFFFD\uFFFD");
}

TEST(CodePages, Utf8BothWays) {
  EXPECT_EQ(toUtf8(u"aé日\U0001F600"), "a\xc3\xa9\xe6\x97\xa5\xf0\x9f\x98\x80");
  EXPECT_EQ(fromUtf8("a\xc3\xa9\xe6\x97\xa5\xf0\x9f\x98\x80"), u"aé日\U0001F600");
  EXPECT_EQ(toUtf8(u"\xD800x\xDC00"), "\xef\xbf\xbdx\xef\xbf\xbd");
  // Truncated sequence, stray continuation byte, overlong form, encoded surrogate.
  EXPECT_EQ(fromUtf8("\xe6\x97" "a\x80\xc0\xaf\xed\xa0\x80"), u"\uFFFDa\uFFFD\uFFFD\uFFFD\uFFFD");
}

}  // namespace
}  // namespace wabunko::rtf
