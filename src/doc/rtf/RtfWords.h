#pragma once
// The control words the RTF reader acts on, looked up by name.

#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace wabunko::rtf {

enum class Word : std::uint8_t {
  // destinations
  FontTable, ColourTable, Picture, SkippedDestination, TransparentDestination,
  // document
  Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont,
  // font and colour tables
  Font, Charset, Red, Green, Blue,
  // pictures
  Png, Jpeg, OtherPicture, GoalWidth, GoalHeight, ScaleX, ScaleY,
  // character format
  Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontSize, Colour, Superscript,
  Subscript, NoSuperSub, Up, Down, ExactHeight, ExactOffset,
  // paragraph format
  Pard, AlignLeft, AlignCentre, AlignRight, Justify, LeftIndent, RightIndent, FirstIndent,
  TabStop,
  // text
  ParagraphBreak, Character, Unicode, UnicodeSkip,
};

struct WordInfo {
  Word word;
  char16_t character = 0;  // for Word::Character
};

using WordTable = std::unordered_map<std::string_view, WordInfo>;
const WordTable& wordTable();

}  // namespace wabunko::rtf
