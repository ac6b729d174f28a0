#include "doc/rtf/RtfWords.h"

#include "doc/rtf/RtfModel.h"
#include "doc/rtf/RtfPrivateWords.h"

#include <utility>

namespace wabunko::rtf {

namespace {

WordTable makeWordTable() {
  WordTable table{
      {"fonttbl", {Word::FontTable}}, {"colortbl", {Word::ColourTable}},
      {"pict", {Word::Picture}}, {"fldrslt", {Word::TransparentDestination}},
      {"shppict", {Word::TransparentDestination}}, {"result", {Word::TransparentDestination}},
      {"ansi", {Word::Ansi}}, {"mac", {Word::Mac}}, {"pc", {Word::Pc}}, {"pca", {Word::Pca}},
      {"ansicpg", {Word::AnsiCodePage}}, {"deff", {Word::DefaultFont}},
      {"f", {Word::Font}}, {"fcharset", {Word::Charset}}, {"red", {Word::Red}},
      {"green", {Word::Green}}, {"blue", {Word::Blue}},
      {"pngblip", {Word::Png}}, {"jpegblip", {Word::Jpeg}},
      {"picwgoal", {Word::GoalWidth}}, {"pichgoal", {Word::GoalHeight}},
      {"picscalex", {Word::ScaleX}}, {"picscaley", {Word::ScaleY}},
      {"plain", {Word::Plain}}, {"b", {Word::Bold}}, {"i", {Word::Italic}},
      {"ulnone", {Word::UnderlineNone}}, {"strike", {Word::Strike}},
      {"striked", {Word::Strike}}, {"fs", {Word::FontSize}}, {"cf", {Word::Colour}},
      {"super", {Word::Superscript}}, {"sub", {Word::Subscript}},
      {"nosupersub", {Word::NoSuperSub}}, {"up", {Word::Up}}, {"dn", {Word::Down}},
      {kExactHeightWord, {Word::ExactHeight}}, {kExactOffsetWord, {Word::ExactOffset}},
      {"pard", {Word::Pard}}, {"ql", {Word::AlignLeft}}, {"qc", {Word::AlignCentre}},
      {"qr", {Word::AlignRight}}, {"qj", {Word::Justify}}, {"qd", {Word::Justify}},
      {"li", {Word::LeftIndent}}, {"lin", {Word::LeftIndent}},
      {"ri", {Word::RightIndent}}, {"rin", {Word::RightIndent}},
      {"fi", {Word::FirstIndent}}, {"tx", {Word::TabStop}},
      {"u", {Word::Unicode}}, {"uc", {Word::UnicodeSkip}},
  };
  // Destinations that come without \* in files and hold nothing to show.
  for (const std::string_view name :
       {"stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer", "footerl",
        "footerr", "footerf", "footnote", "fldinst", "nonshppict", "xe", "tc", "txe", "rxe",
        "template", "revtbl", "pntxta", "pntxtb", "objdata", "objclass"}) {
    table.emplace(name, WordInfo{Word::SkippedDestination});
  }
  for (const std::string_view name :
       {"wmetafile", "emfblip", "macpict", "pmmetafile", "dibitmap", "wbitmap"}) {
    table.emplace(name, WordInfo{Word::OtherPicture});
  }
  for (const std::string_view name :
       {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
        "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
        "ulwave"}) {
    table.emplace(name, WordInfo{Word::Underline});
  }
  // A table row keeps its cells apart with tabs and ends as a paragraph.
  for (const std::string_view name : {"par", "sect", "page", "row", "nestrow"}) {
    table.emplace(name, WordInfo{Word::ParagraphBreak});
  }
  const std::pair<std::string_view, char16_t> characters[] = {
      {"tab", u'\t'},         {"cell", u'\t'},         {"nestcell", u'\t'},
      {"line", kLineBreak},   {"emdash", u'\u2014'},   {"endash", u'\u2013'},
      {"bullet", u'\u2022'},  {"lquote", u'\u2018'},   {"rquote", u'\u2019'},
      {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'}, {"emspace", u'\u2003'},
      {"enspace", u'\u2002'}, {"qmspace", u'\u2005'},  {"zwj", u'\u200D'},
      {"zwnj", u'\u200C'},    {"ltrmark", u'\u200E'},  {"rtlmark", u'\u200F'},
  };
  for (const auto& [name, character] : characters) {
    table.emplace(name, WordInfo{Word::Character, character});
  }
  return table;
}

}  // namespace

const WordTable& wordTable() {
  static const WordTable table = makeWordTable();
  return table;
}

}  // namespace wabunko::rtf
