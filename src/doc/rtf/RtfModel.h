#pragma once
// The rich-text document as the RTF reader produces it and the writer consumes it:
// paragraphs of runs, each run with one character format. Lengths are in twips (1/20 of a
// point) throughout, the unit of the edit control's CHARFORMAT and PARAFORMAT, so that the
// sizes and offsets the formatting commands compute (12 x p twips and so on) survive a save
// exactly even where RTF's half-points cannot hold them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wabunko::rtf {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// \super / \sub: the effect as such, apart from the size and the offset.
enum class VerticalPosition { Normal, Superscript, Subscript };

// The character format RTF gives after \plain: 12 points, no effects, automatic colour.
inline constexpr int kDefaultHeightTwips = 240;

struct CharFormat {
  std::string face{};  // UTF-8; empty when the document names no font
  int heightTwips = kDefaultHeightTwips;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::optional<Rgb> colour{};  // none: the automatic (window text) colour
  VerticalPosition position = VerticalPosition::Normal;
  int offsetTwips = 0;  // raised when positive, lowered when negative (\up, \dn)
  bool operator==(const CharFormat&) const = default;
};

enum class Alignment { Left, Centre, Right, Justified };

// As RTF has them: the first line starts at leftIndent + firstLineIndent.
struct ParagraphFormat {
  Alignment alignment = Alignment::Left;
  int leftIndentTwips = 0;
  int rightIndentTwips = 0;
  int firstLineIndentTwips = 0;  // negative: hanging
  std::vector<int> tabStopsTwips{};
  bool operator==(const ParagraphFormat&) const = default;
};

enum class ImageKind { Png, Jpeg };

struct Image {
  ImageKind kind = ImageKind::Png;
  std::string data{};  // the PNG or JPEG file's bytes
  // Shown size; 0 when the file gives none and the picture's own size applies.
  int widthTwips = 0;
  int heightTwips = 0;
  bool operator==(const Image&) const = default;
};

// Text of one format, or an inline picture (then `text` is empty). In `text` a tab is
// U+0009 and a line break inside the paragraph (\line) is U+2028.
struct Run {
  CharFormat format{};
  std::u16string text{};
  std::optional<Image> image{};
  bool operator==(const Run&) const = default;
};

inline constexpr char16_t kLineBreak = u'\u2028';

struct Paragraph {
  ParagraphFormat format{};
  std::vector<Run> runs{};  // the reader never leaves two text runs of equal format side by side
  bool operator==(const Paragraph&) const = default;
};

struct RtfDocument {
  std::vector<Paragraph> paragraphs{};
  bool operator==(const RtfDocument&) const = default;
};

}  // namespace wabunko::rtf
