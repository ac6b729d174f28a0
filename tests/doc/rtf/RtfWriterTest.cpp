#include "doc/rtf/RtfWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "RtfTestSupport.h"
#include "doc/rtf/RtfReader.h"

namespace wabunko::rtf {
namespace {

using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

// A PNG header chunk for 2 x 3 pixels and a JPEG frame header for 5 x 4: the sizes the
// writer gives as \picw and \pich.
const std::string kPng = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x03\x08\x06", 26);
const std::string kJpeg = std::string(
    "\xff\xd8\xff\xe0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0\xff\xc0\0\x11\x08\0\x04\0\x05\x03", 30);

struct RoundTripCase {
  const char* name;
  RtfDocument document;
};

class RoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, ReadsBackTheSameDocument) {
  const std::string rtf = writeRtf(GetParam().document);
  const RtfReadResult result = readRtf(rtf);
  EXPECT_FALSE(result.damaged) << rtf;
  EXPECT_EQ(result.document, GetParam().document) << rtf;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RoundTrip,
    testing::Values(
        RoundTripCase{"Empty", {}},
        RoundTripCase{"EmptyParagraphs", {{paragraph({}), paragraph({textRun(u"a")}), paragraph({})}}},
        RoundTripCase{
            "EveryCharacterFormat",
            {{paragraph({
                 textRun(u"plain"),
                 textRun(u"bold", {.face = "Arial", .bold = true}),
                 textRun(u"italic", {.face = "Arial", .italic = true}),
                 textRun(u"underline", {.face = "ＭＳ Ｐゴシック", .underline = true}),
                 textRun(u"strike", {.face = "ＭＳ Ｐゴシック", .strikeOut = true}),
                 textRun(u"all", {.face = "Arial", .heightTwips = 360, .bold = true,
                                  .italic = true, .underline = true, .strikeOut = true,
                                  .colour = Rgb{10, 20, 30}}),
                 textRun(u"red", {.colour = Rgb{255, 0, 0}}),
                 textRun(u"black", {.colour = Rgb{0, 0, 0}}),
                 textRun(u"red again", {.face = "Arial", .colour = Rgb{255, 0, 0}}),
             }),
             paragraph({
                 textRun(u"super", {.position = VerticalPosition::Superscript}),
                 textRun(u"sub", {.position = VerticalPosition::Subscript}),
                 textRun(u"up", {.offsetTwips = 60}),
                 textRun(u"down", {.offsetTwips = -40}),
                 textRun(u"face", {.face = "A;B{}\\ 明朝"}),
                 textRun(u"ten and a half", {.heightTwips = 210}),
             })}}},
        // Superscript twice and subscript twice on 10.5-point text, as the formatting
        // commands compute them.
        RoundTripCase{"FormattingCommandSizes",
                      {{paragraph({
                          textRun(u"x", {.heightTwips = 210}),
                          textRun(u"2", {.heightTwips = 120, .offsetTwips = 60}),
                          textRun(u"3", {.heightTwips = 72, .offsetTwips = 96}),
                          textRun(u"y", {.heightTwips = 120, .offsetTwips = -10}),
                          textRun(u"z", {.heightTwips = 72, .offsetTwips = -16}),
                          textRun(u"w", {.heightTwips = 3, .offsetTwips = 4}),
                      })}}},
        RoundTripCase{
            "ParagraphFormats",
            {{paragraph({textRun(u"left")}),
              paragraph({textRun(u"centre")}, {Alignment::Centre, 570, 0, -285, {}}),
              paragraph({textRun(u"right")}, {Alignment::Right, 0, 1140, 0, {720, 1440, 5000}}),
              paragraph({textRun(u"justified")}, {Alignment::Justified, -100, -200, 300, {1}})}}},
        RoundTripCase{"Text",
                      {{paragraph({textRun(
                           u"日本語ｶﾅ①\uE000 表ソボ {}\\; a\tb\u2028c\x01\x7F é\U0001F600"
                           u"\xD800\uF781A\uF7FF")}),
                        paragraph({textRun(std::u16string(300, u'あ') + u" " +
                                           std::u16string(300, u'x'))})}}},
        RoundTripCase{"Images",
                      {{paragraph({
                          textRun(u"a"),
                          imageRun({ImageKind::Png, kPng, 1500, 1200}),
                          imageRun({ImageKind::Jpeg, kJpeg, 0, 0}, {.bold = true}),
                          textRun(u"b"),
                          imageRun({ImageKind::Png, std::string(1000, '\x7b'), 10, 0}),
                      })}}}),
    [](const auto& info) { return std::string(info.param.name); });

RtfDocument oneRun(std::u16string text, CharFormat format = {}) {
  return {{paragraph({textRun(std::move(text), std::move(format))})}};
}

TEST(RtfWriter, WritesCodePage932) {
  const std::string rtf = writeRtf(oneRun(u"日本{x}", {.face = "ＭＳ 明朝"}));
  EXPECT_THAT(rtf, StartsWith("{\\rtf1\\ansi\\ansicpg932\\deff0"));
  EXPECT_THAT(rtf, HasSubstr("{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"));
  EXPECT_THAT(rtf, HasSubstr("\\'93\\'fa\\'96\\'7b\\{x\\}"));
}

TEST(RtfWriter, GivesAFaceTheShiftJisCharsetWhenItsTextNeedsIt) {
  const RtfDocument document{{paragraph({textRun(u"abc", {.face = "Arial"}),
                                         textRun(u"def", {.face = "Courier"}),
                                         textRun(u"日本", {.face = "Courier"})})}};
  const std::string rtf = writeRtf(document);
  EXPECT_THAT(rtf, HasSubstr("{\\f0\\fnil\\fcharset0 Arial;}"));
  EXPECT_THAT(rtf, HasSubstr("{\\f1\\fnil\\fcharset128 Courier;}"));
}

TEST(RtfWriter, WritesWhatCodePage932LacksAsUnicode) {
  const std::string rtf = writeRtf(oneRun(u"é\U0001F600"));
  EXPECT_THAT(rtf, HasSubstr("\\uc1"));
  EXPECT_THAT(rtf, HasSubstr("\\u233?\\u-10179?\\u-8704?"));
}

TEST(RtfWriter, AddsExactTwipsOnlyWhereHalfPointsCannotHoldThem) {
  const std::string whole = writeRtf(oneRun(u"x", {.heightTwips = 120, .offsetTwips = 60}));
  EXPECT_THAT(whole, HasSubstr("\\fs12\\up6 x"));
  EXPECT_THAT(whole, Not(HasSubstr("wabunko")));
  EXPECT_THAT(writeRtf(oneRun(u"x", {.heightTwips = 72, .offsetTwips = 96})),
              HasSubstr("\\fs7\\wabunkofstwips72\\up10\\wabunkouptwips96 x"));
  EXPECT_THAT(writeRtf(oneRun(u"x", {.offsetTwips = -16})),
              HasSubstr("\\dn2\\wabunkouptwips-16 x"));
}

TEST(RtfWriter, GivesPicturesTheirPixelAndShownSizes) {
  const RtfDocument document{{paragraph({imageRun({ImageKind::Png, kPng, 1500, 1200}),
                                         imageRun({ImageKind::Jpeg, kJpeg, 0, 0})})}};
  const std::string rtf = writeRtf(document);
  EXPECT_THAT(rtf, HasSubstr("{\\pict\\pngblip\\picw2\\pich3\\picwgoal1500\\pichgoal1200\n89504e47"));
  EXPECT_THAT(rtf, HasSubstr("{\\pict\\jpegblip\\picw5\\pich4\nffd8ffe0"));
}

TEST(RtfWriter, LeavesOutAPixelSizeNoPngCanHave) {
  std::string png = kPng;
  png[16] = '\x80';  // 2^31 + 2 pixels wide
  const std::string rtf = writeRtf({{paragraph({imageRun({ImageKind::Png, png, 1500, 1200})})}});
  EXPECT_THAT(rtf, HasSubstr("{\\pict\\pngblip\\picwgoal1500\\pichgoal1200\n89504e47"));
  EXPECT_FALSE(readRtf(rtf).damaged) << rtf;
}

TEST(RtfWriter, KeepsLinesShort) {
  std::u16string text;
  for (int i = 0; i < 500; ++i) text += u"word 日本語\t";
  const std::string rtf =
      writeRtf({{paragraph({textRun(text), textRun(u"x", {.bold = true})},
                           {.tabStopsTwips = std::vector<int>(30, 1000)})}});
  std::istringstream lines(rtf);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(line.size(), 100u) << line;
  }
}

}  // namespace
}  // namespace wabunko::rtf
