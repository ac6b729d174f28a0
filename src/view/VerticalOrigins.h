#pragma once
// Where an upright glyph stands in a vertical column: how far below the top of its cell its
// baseline lies, as the font's vertical metrics say. Fonts with a `VORG` table give the
// origin directly; TrueType fonts give it through the glyph's top (from `glyf`) and its top
// side bearing (from `vmtx`); a glyph with neither is centred in the font's ascent and
// descent, and one without an outline stands at the ascent. These are the rules HarfBuzz
// applies when it lays text top to bottom, so that proportional faces, whose vertical
// punctuation sits at the top of a narrow cell, are drawn where the font designed them.

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace wabunko {

struct FontTables {
  std::string_view head, hhea, vorg, vhea, vmtx, loca, glyf;
};

class VerticalOrigins {
public:
  explicit VerticalOrigins(const FontTables& tables);

  // In font units: the distance from the top of the glyph's cell down to its baseline.
  int originY(std::uint16_t glyph) const;

private:
  struct Extents {
    std::int16_t yMin;
    std::int16_t yMax;
  };
  std::optional<Extents> extents(std::uint16_t glyph) const;

  std::optional<std::int16_t> defaultOrigin_;         // VORG
  std::map<std::uint16_t, std::int16_t> origins_;     // VORG, per glyph
  std::vector<std::int16_t> topBearings_;             // vmtx, by glyph
  std::vector<std::optional<Extents>> glyphExtents_;  // glyf, by glyph
  int ascender_ = 0;
  int descender_ = 0;
};

}  // namespace wabunko
