#pragma once
// How characters sit in a vertical column: which stand upright and which lie along the
// column, the glyphs a font substitutes for vertical use (its `vert` feature), and what to
// do for the punctuation and small kana of fonts that have no such substitutions.

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

namespace wabunko {

// Turned: lying a quarter turn clockwise, so the glyph's baseline runs down the column.
enum class Orientation { Upright, Turned };

// Glyphs narrower than this, in em, lie turned unless their character says otherwise.
inline constexpr double kUprightMinimumAdvance = 0.75;

// The orientation of `c` in a vertical column. The character decides first: ideographs,
// kana, Hangul, CJK symbols and punctuation, full-width and vertical forms stand upright
// whatever their width; Latin letters, ASCII digits and signs, and half-width forms lie
// turned even where a font draws them wide. Every other character (Greek, Cyrillic, general
// punctuation such as … and —, symbols, emoji) follows its glyph: upright when
// `advanceEm`, the glyph's advance in em, is at least kUprightMinimumAdvance, turned when it
// is narrower, and turned when the advance is not known.
Orientation verticalOrientation(char32_t c, std::optional<double> advanceEm = std::nullopt);
// Whether the orientation of `c` depends on its glyph's advance (so it is worth measuring).
bool orientationFollowsGlyph(char32_t c);

// The glyph substitutions of the `vert` feature of an OpenType GSUB table, glyph id to
// glyph id, as they apply to Japanese text: those of the `JAN ` language system of the
// `kana` script, else of `hani`, else of `DFLT`, the script's default language system
// standing in when it has no `JAN `. Only single substitutions are read (lookup type 1,
// directly or through an extension, type 7). Lookups apply in list order, so a glyph
// substituted twice maps to the last result. A truncated or malformed table gives the
// substitutions that could be read.
using GlyphSubstitutions = std::map<std::uint16_t, std::uint16_t>;
GlyphSubstitutions readVerticalSubstitutions(std::string_view gsub);

// How to draw an upright character the font has no `vert` substitution for. Use the
// Unicode vertical presentation `form` when there is one and the font has a glyph for it;
// otherwise lie the character turned with the line when `turn`, or else shift it by
// (`shiftX`, `shiftY`) em, x rightwards and y downwards.
struct VerticalFallback {
  char32_t form = 0;  // 0: none
  bool turn = false;
  double shiftX = 0;
  double shiftY = 0;

  bool operator==(const VerticalFallback&) const = default;
};

// The fallback for `c`, or nothing when it is drawn as it is.
std::optional<VerticalFallback> verticalFallback(char32_t c);

}  // namespace wabunko
