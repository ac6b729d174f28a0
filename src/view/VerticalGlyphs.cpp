#include "view/VerticalGlyphs.h"

#include "view/FontTableBytes.h"

#include <algorithm>
#include <array>
#include <set>
#include <vector>

namespace wabunko {

namespace {

struct Range {
  char32_t first;
  char32_t last;
};

constexpr Range kUpright[] = {
    {0x1100, 0x11FF},    // Hangul Jamo
    {0x2E80, 0x2FFF},    // CJK radicals, Kangxi radicals, ideographic description
    {0x3000, 0x303F},    // CJK symbols and punctuation
    {0x3040, 0x30FF},    // hiragana, katakana
    {0x3100, 0x31FF},    // bopomofo, Hangul compatibility jamo, kanbun, strokes, small katakana
    {0x3200, 0x33FF},    // enclosed CJK letters, CJK compatibility
    {0x3400, 0x4DBF},    // ideographs, extension A
    {0x4DC0, 0x9FFF},    // hexagram symbols, unified ideographs
    {0xA000, 0xA4CF},    // Yi
    {0xAC00, 0xD7FF},    // Hangul syllables and jamo extended B
    {0xF900, 0xFAFF},    // compatibility ideographs
    {0xFE10, 0xFE1F},    // vertical forms
    {0xFE30, 0xFE4F},    // CJK compatibility forms
    {0xFF01, 0xFF60},    // full-width forms
    {0xFFE0, 0xFFE6},    // full-width signs
    {0x1B000, 0x1B16F},  // kana supplement and extensions
    {0x1F200, 0x1F2FF},  // enclosed ideographic supplement
    {0x20000, 0x3FFFD},  // ideographs, planes 2 and 3
};

constexpr Range kTurned[] = {
    {0x0000, 0x02FF},  // ASCII, Latin-1, Latin extended, IPA, spacing modifiers
    {0x1E00, 0x1EFF},  // Latin extended additional
    {0xFF61, 0xFFDC},  // half-width katakana and Hangul
    {0xFFE8, 0xFFEE},  // half-width symbols
};

template <std::size_t N>
bool inRanges(char32_t c, const Range (&ranges)[N]) {
  return std::any_of(std::begin(ranges), std::end(ranges),
                     [c](const Range& r) { return r.first <= c && c <= r.last; });
}

}  // namespace

bool orientationFollowsGlyph(char32_t c) { return !inRanges(c, kUpright) && !inRanges(c, kTurned); }

Orientation verticalOrientation(char32_t c, std::optional<double> advanceEm) {
  if (inRanges(c, kUpright)) return Orientation::Upright;
  if (inRanges(c, kTurned)) return Orientation::Turned;
  return advanceEm && *advanceEm >= kUprightMinimumAdvance ? Orientation::Upright
                                                           : Orientation::Turned;
}

// ---- The `vert` reader ----

namespace {

// A malformed table can make ranges and lists point at the same data many times over; past
// this many glyph steps the reader stops with what it has.
constexpr std::size_t kWorkLimit = std::size_t{1} << 22;

class GsubReader {
 public:
  explicit GsubReader(std::string_view gsub) : bytes_(gsub) {}

  GlyphSubstitutions read() {
    GlyphSubstitutions result;
    const auto scriptList = bytes_.u16(4);
    const auto featureList = bytes_.u16(6);
    const auto lookupList = bytes_.u16(8);
    if (!scriptList || !featureList || !lookupList) return result;
    const auto langSys = japaneseLangSys(*scriptList);
    if (!langSys) return result;
    const auto lookupCount = bytes_.u16(*lookupList);
    for (std::uint16_t index : vertLookups(*langSys, *featureList)) {
      if (!lookupCount || index >= *lookupCount) break;
      const auto offset = bytes_.u16(*lookupList + 2 + 2 * std::size_t{index});
      if (!offset || !compose(result, readLookup(*lookupList + std::size_t{*offset}))) break;
    }
    return result;
  }

 private:
  // The offset of the language system to read, from the table's start.
  std::optional<std::size_t> japaneseLangSys(std::size_t scriptList) const {
    for (std::string_view scriptTag : {"kana", "hani", "DFLT"}) {
      const auto script = findRecord(scriptList, scriptTag);
      if (!script) continue;
      if (const auto jan = findRecord(*script + 2, "JAN ", *script)) return jan;
      const auto defaultOffset = bytes_.u16(*script);
      if (defaultOffset && *defaultOffset != 0) return *script + *defaultOffset;
    }
    return std::nullopt;
  }

  // In a list of a count followed by (tag, Offset16) records whose offsets count from
  // `base`, the table with `tag`.
  std::optional<std::size_t> findRecord(std::size_t list, std::string_view tag,
                                        std::optional<std::size_t> base = std::nullopt) const {
    const std::size_t origin = base.value_or(list);
    const auto count = bytes_.u16(list);
    for (std::size_t i = 0; count && i < *count; ++i) {
      const std::size_t record = list + 2 + 6 * i;
      const auto recordTag = bytes_.tag(record);
      if (!recordTag) break;
      if (*recordTag != tag) continue;
      if (const auto offset = bytes_.u16(record + 4)) return origin + *offset;
    }
    return std::nullopt;
  }

  // Lookup indices of the language system's `vert` features, in list order.
  std::set<std::uint16_t> vertLookups(std::size_t langSys, std::size_t featureList) const {
    std::vector<std::uint16_t> features;
    if (const auto required = bytes_.u16(langSys + 2); required && *required != 0xFFFF)
      features.push_back(*required);
    const auto featureCount = bytes_.u16(langSys + 4);
    for (std::size_t i = 0; featureCount && i < *featureCount; ++i) {
      const auto index = bytes_.u16(langSys + 6 + 2 * i);
      if (!index) break;
      features.push_back(*index);
    }
    std::set<std::uint16_t> lookups;
    const auto featureCountInList = bytes_.u16(featureList);
    for (std::uint16_t feature : features) {
      if (!featureCountInList || feature >= *featureCountInList) continue;
      const std::size_t record = featureList + 2 + 6 * std::size_t{feature};
      const auto tag = bytes_.tag(record);
      const auto offset = bytes_.u16(record + 4);
      if (!tag || *tag != "vert" || !offset) continue;
      const std::size_t table = featureList + *offset;
      const auto lookupCount = bytes_.u16(table + 2);
      for (std::size_t i = 0; lookupCount && i < *lookupCount; ++i) {
        const auto index = bytes_.u16(table + 4 + 2 * i);
        if (!index) break;
        lookups.insert(*index);
      }
    }
    return lookups;
  }

  // One lookup's substitutions; the first subtable covering a glyph decides it.
  GlyphSubstitutions readLookup(std::size_t lookup) {
    GlyphSubstitutions substitutions;
    const auto type = bytes_.u16(lookup);
    const auto subtableCount = bytes_.u16(lookup + 4);
    if (!type || !subtableCount) return substitutions;
    for (std::size_t i = 0; i < *subtableCount; ++i) {
      const auto offset = bytes_.u16(lookup + 6 + 2 * i);
      if (!offset) break;
      const auto subtable = singleSubstitution(*type, lookup + *offset);
      if (subtable && !readSingle(*subtable, substitutions)) break;
    }
    return substitutions;
  }

  // Where the single substitution of a subtable of lookup type `type` starts, if it is one.
  std::optional<std::size_t> singleSubstitution(std::uint16_t type, std::size_t subtable) const {
    constexpr std::uint16_t kSingle = 1;
    constexpr std::uint16_t kExtension = 7;
    if (type == kSingle) return subtable;
    if (type != kExtension || bytes_.u16(subtable) != 1 || bytes_.u16(subtable + 2) != kSingle)
      return std::nullopt;
    const auto offset = bytes_.u32(subtable + 4);
    if (!offset) return std::nullopt;
    return subtable + *offset;
  }

  // Adds the substitutions of a single substitution subtable (formats 1 and 2) to `into`.
  // False when the work limit ran out.
  bool readSingle(std::size_t subtable, GlyphSubstitutions& into) {
    const auto format = bytes_.u16(subtable);
    const auto coverageOffset = bytes_.u16(subtable + 2);
    const auto delta = bytes_.u16(subtable + 4);  // format 2: the glyph count
    if (!format || !coverageOffset || !delta || (*format != 1 && *format != 2)) return true;
    const std::vector<std::uint16_t> covered = coverage(subtable + *coverageOffset);
    for (std::size_t i = 0; i < covered.size(); ++i) {
      std::optional<std::uint16_t> substitute;
      if (*format == 1) {
        substitute = static_cast<std::uint16_t>(covered[i] + *delta);  // modulo 65536
      } else if (i < *delta) {
        substitute = bytes_.u16(subtable + 6 + 2 * i);
      }
      if (!substitute) break;
      into.try_emplace(covered[i], *substitute);
    }
    return spend(covered.size());
  }

  // The glyphs of a coverage table in coverage index order, as far as they can be read.
  std::vector<std::uint16_t> coverage(std::size_t table) {
    std::vector<std::uint16_t> glyphs;
    const auto format = bytes_.u16(table);
    const auto count = bytes_.u16(table + 2);
    if (!format || !count) return glyphs;
    for (std::size_t i = 0; i < *count && glyphs.size() <= kMaxCoverage; ++i) {
      if (*format == 1) {
        const auto glyph = bytes_.u16(table + 4 + 2 * i);
        if (!glyph) break;
        glyphs.push_back(*glyph);
      } else if (*format == 2) {
        const auto first = bytes_.u16(table + 4 + 6 * i);
        const auto last = bytes_.u16(table + 6 + 6 * i);
        if (!first || !last || !bytes_.u16(table + 8 + 6 * i)) break;
        for (std::uint32_t glyph = *first; glyph <= *last && glyphs.size() <= kMaxCoverage; ++glyph)
          glyphs.push_back(static_cast<std::uint16_t>(glyph));
      }
    }
    return glyphs;
  }

  // Applies `lookup` after the substitutions in `result`. False when the work limit ran out.
  bool compose(GlyphSubstitutions& result, const GlyphSubstitutions& lookup) {
    if (lookup.empty()) return true;
    for (auto& [glyph, substitute] : result) {
      if (const auto next = lookup.find(substitute); next != lookup.end()) substitute = next->second;
    }
    for (const auto& [glyph, substitute] : lookup) result.try_emplace(glyph, substitute);
    return spend(result.size());
  }

  bool spend(std::size_t steps) {
    work_ += steps;
    return work_ <= kWorkLimit;
  }

  // Coverage indices are 16-bit; a longer coverage is malformed.
  static constexpr std::size_t kMaxCoverage = 0xFFFF;

  FontTableBytes bytes_;
  std::size_t work_ = 0;
};

}  // namespace

GlyphSubstitutions readVerticalSubstitutions(std::string_view gsub) {
  return GsubReader(gsub).read();
}

// ---- Fonts without `vert` ----

std::optional<VerticalFallback> verticalFallback(char32_t c) {
  struct Entry {
    char32_t c;
    VerticalFallback fallback;
  };
  constexpr double kCommaShift = 0.5;
  constexpr double kSmallKanaShift = 0.1;
  constexpr VerticalFallback kSmallKana{0, false, kSmallKanaShift, -kSmallKanaShift};
  const auto comma = [&](char32_t form) { return VerticalFallback{form, false, kCommaShift, -kCommaShift}; };
  const auto turned = [](char32_t form) { return VerticalFallback{form, true, 0, 0}; };
  const std::array table{
      Entry{U'、', comma(0xFE11)},  Entry{U'。', comma(0xFE12)},  Entry{U'，', comma(0xFE10)},
      Entry{U'．', comma(0)},        Entry{U'（', turned(0xFE35)}, Entry{U'）', turned(0xFE36)},
      Entry{U'｛', turned(0xFE37)}, Entry{U'｝', turned(0xFE38)}, Entry{U'〔', turned(0xFE39)},
      Entry{U'〕', turned(0xFE3A)}, Entry{U'【', turned(0xFE3B)}, Entry{U'】', turned(0xFE3C)},
      Entry{U'《', turned(0xFE3D)}, Entry{U'》', turned(0xFE3E)}, Entry{U'〈', turned(0xFE3F)},
      Entry{U'〉', turned(0xFE40)}, Entry{U'「', turned(0xFE41)}, Entry{U'」', turned(0xFE42)},
      Entry{U'『', turned(0xFE43)}, Entry{U'』', turned(0xFE44)}, Entry{U'［', turned(0xFE47)},
      Entry{U'］', turned(0xFE48)}, Entry{U'…', turned(0xFE19)}, Entry{U'‥', turned(0xFE30)},
      Entry{U'ー', turned(0)},      Entry{U'～', turned(0)},
  };
  for (const Entry& entry : table) {
    if (entry.c == c) return entry.fallback;
  }
  constexpr std::u32string_view kSmallKanaList =
      U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ";
  if (kSmallKanaList.find(c) != std::u32string_view::npos) return kSmallKana;
  return std::nullopt;
}

}  // namespace wabunko
