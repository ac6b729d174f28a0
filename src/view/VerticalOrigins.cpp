#include "view/VerticalOrigins.h"

#include "view/FontTableBytes.h"

namespace wabunko {
namespace {

// Glyph ids are 16-bit: no table describes more glyphs than this.
constexpr std::size_t kMaxGlyphs = 0x10000;

}  // namespace

VerticalOrigins::VerticalOrigins(const FontTables& tables) {
  const FontTableBytes hhea(tables.hhea);
  ascender_ = hhea.i16(4).value_or(0);
  descender_ = hhea.i16(6).value_or(0);

  // VORG: version, default origin, count, then (glyph, origin) pairs.
  const FontTableBytes vorg(tables.vorg);
  if (vorg.u16(0) == 1) {
    defaultOrigin_ = vorg.i16(4);
    const std::size_t count = vorg.u16(6).value_or(0);
    for (std::size_t i = 0; i < count; ++i) {
      const auto glyph = vorg.u16(8 + 4 * i);
      const auto origin = vorg.i16(10 + 4 * i);
      if (!glyph || !origin) break;
      origins_[*glyph] = *origin;
    }
  }

  // vmtx: (advance, top side bearing) for the first glyphs, then the bearings alone; vhea
  // says how many glyphs have both.
  const FontTableBytes vhea(tables.vhea);
  const FontTableBytes vmtx(tables.vmtx);
  const std::size_t longMetrics = vhea.u16(34).value_or(0);
  for (std::size_t i = 0; i < longMetrics && i < kMaxGlyphs; ++i) {
    const auto bearing = vmtx.i16(4 * i + 2);
    if (!bearing) break;
    topBearings_.push_back(*bearing);
  }
  if (topBearings_.size() == longMetrics)
    for (std::size_t at = 4 * longMetrics; topBearings_.size() < kMaxGlyphs; at += 2) {
      const auto bearing = vmtx.i16(at);
      if (!bearing) break;
      topBearings_.push_back(*bearing);
    }

  // glyf through loca: each outline starts with its contour count and bounding box.
  const FontTableBytes head(tables.head);
  const FontTableBytes loca(tables.loca);
  const FontTableBytes glyf(tables.glyf);
  const bool longOffsets = head.i16(50).value_or(0) == 1;
  const auto offset = [&](std::size_t i) -> std::optional<std::size_t> {
    if (longOffsets) return loca.u32(4 * i);
    const auto half = loca.u16(2 * i);
    if (!half) return std::nullopt;
    return std::size_t{*half} * 2;
  };
  for (std::size_t i = 0; i < kMaxGlyphs; ++i) {
    const auto start = offset(i);
    const auto end = offset(i + 1);
    if (!start || !end) break;
    std::optional<Extents> box;
    if (*end > *start) {
      const auto yMin = glyf.i16(*start + 4);
      const auto yMax = glyf.i16(*start + 8);
      if (yMin && yMax) box = Extents{*yMin, *yMax};
    }
    glyphExtents_.push_back(box);
  }
}

std::optional<VerticalOrigins::Extents> VerticalOrigins::extents(std::uint16_t glyph) const {
  return glyph < glyphExtents_.size() ? glyphExtents_[glyph] : std::nullopt;
}

int VerticalOrigins::originY(std::uint16_t glyph) const {
  if (defaultOrigin_) {
    const auto found = origins_.find(glyph);
    return found != origins_.end() ? found->second : *defaultOrigin_;
  }
  const std::optional<Extents> box = extents(glyph);
  if (!box) return ascender_;
  if (glyph < topBearings_.size()) return box->yMax + topBearings_[glyph];
  const int height = box->yMax - box->yMin;
  return box->yMax + (ascender_ - descender_ - height) / 2;
}

}  // namespace wabunko
