#include "view/VerticalGlyphs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wabunko {
namespace {

// ---- Orientation ----

struct OrientationCase {
  char32_t c;
  std::optional<double> advanceEm;
  Orientation expected;
};

TEST(VerticalOrientation, CharacterClassesThenTheGlyphAdvance) {
  constexpr auto U = Orientation::Upright;
  constexpr auto T = Orientation::Turned;
  const OrientationCase cases[] = {
      {U'漢', std::nullopt, U}, {U'あ', std::nullopt, U}, {U'ア', std::nullopt, U},
      {U'ァ', std::nullopt, U}, {U'ー', std::nullopt, U}, {U'、', std::nullopt, U},
      {U'。', std::nullopt, U}, {U'「', std::nullopt, U}, {U'〜', std::nullopt, U},
      {U'Ａ', std::nullopt, U}, {U'１', std::nullopt, U}, {U'（', std::nullopt, U},
      {U'～', std::nullopt, U}, {U'한', std::nullopt, U}, {U'𠮷', std::nullopt, U},
      {U'\uFE41', std::nullopt, U},
      // Narrow by class, however wide the font draws them.
      {U'A', std::nullopt, T}, {U'z', std::nullopt, T}, {U'7', std::nullopt, T},
      {U'(', std::nullopt, T}, {U'é', std::nullopt, T}, {U'ｱ', std::nullopt, T},
      {U'ﾟ', std::nullopt, T}, {U'W', 1.0, T}, {U'ｱ', 1.0, T},
      // Upright by class, however narrow.
      {U'あ', 0.5, U}, {U'。', 0.5, U},
      // The rest follow the advance, and lie turned without one.
      {U'α', 1.0, U}, {U'α', 0.6, T}, {U'α', std::nullopt, T}, {U'Ж', 1.0, U},
      {U'…', 1.0, U}, {U'…', 0.5, T}, {U'※', 0.75, U}, {U'※', 0.74, T},
      {U'○', std::nullopt, T},
  };
  for (const OrientationCase& c : cases) {
    EXPECT_EQ(verticalOrientation(c.c, c.advanceEm), c.expected)
        << "U+" << std::hex << static_cast<std::uint32_t>(c.c) << " advance "
        << c.advanceEm.value_or(-1);
    // Worth measuring exactly when the advance can change the answer.
    EXPECT_EQ(orientationFollowsGlyph(c.c), verticalOrientation(c.c, 1.0) != verticalOrientation(c.c, 0.0))
        << "U+" << std::hex << static_cast<std::uint32_t>(c.c);
  }
}

// ---- Fallbacks ----

TEST(VerticalFallback, PunctuationFormsThenTurnOrShift) {
  struct Case {
    char32_t c;
    std::optional<VerticalFallback> expected;
  };
  const Case cases[] = {
      {U'、', VerticalFallback{0xFE11, false, 0.5, -0.5}},
      {U'。', VerticalFallback{0xFE12, false, 0.5, -0.5}},
      {U'，', VerticalFallback{0xFE10, false, 0.5, -0.5}},
      {U'．', VerticalFallback{0, false, 0.5, -0.5}},
      {U'「', VerticalFallback{0xFE41, true}},
      {U'』', VerticalFallback{0xFE44, true}},
      {U'（', VerticalFallback{0xFE35, true}},
      {U'］', VerticalFallback{0xFE48, true}},
      {U'｝', VerticalFallback{0xFE38, true}},
      {U'〈', VerticalFallback{0xFE3F, true}},
      {U'》', VerticalFallback{0xFE3E, true}},
      {U'【', VerticalFallback{0xFE3B, true}},
      {U'〕', VerticalFallback{0xFE3A, true}},
      {U'…', VerticalFallback{0xFE19, true}},
      {U'‥', VerticalFallback{0xFE30, true}},
      {U'ー', VerticalFallback{0, true}},
      {U'～', VerticalFallback{0, true}},
      {U'ぁ', VerticalFallback{0, false, 0.1, -0.1}},
      {U'っ', VerticalFallback{0, false, 0.1, -0.1}},
      {U'ヶ', VerticalFallback{0, false, 0.1, -0.1}},
      {U'ㇿ', VerticalFallback{0, false, 0.1, -0.1}},
      {U'あ', std::nullopt},
      {U'漢', std::nullopt},
      {U'A', std::nullopt},
      {U',', std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(verticalFallback(c.c), c.expected) << "U+" << std::hex << static_cast<std::uint32_t>(c.c);
  }
}

// ---- The `vert` reader ----

// A GSUB table built from nested subtables, each offset counted from the start of the
// table holding it, as the format has it.
struct Table;
struct Link {
  std::size_t at;
  bool wide;  // Offset32
  std::vector<Table> child;  // exactly one
};
struct Table {
  std::string bytes;
  std::vector<Link> links;

  Table& u16(std::uint16_t v) {
    bytes += static_cast<char>(v >> 8);
    bytes += static_cast<char>(v & 0xFF);
    return *this;
  }
  Table& tag(const char (&t)[5]) {
    bytes.append(t, 4);
    return *this;
  }
  Table& offset16(Table child) { return link(std::move(child), false); }
  Table& offset32(Table child) { return link(std::move(child), true); }

  std::string serialized() const {
    std::string out;
    writeTo(out);
    return out;
  }

 private:
  Table& link(Table child, bool wide) {
    links.push_back({bytes.size(), wide, {std::move(child)}});
    bytes.append(wide ? 4 : 2, '\0');
    return *this;
  }
  std::size_t writeTo(std::string& out) const {
    const std::size_t start = out.size();
    out += bytes;
    for (const Link& l : links) {
      const std::size_t offset = l.child.front().writeTo(out) - start;
      for (std::size_t i = 0, n = l.wide ? 4 : 2; i < n; ++i)
        out[start + l.at + i] = static_cast<char>(offset >> (8 * (n - 1 - i)));
    }
    return start;
  }
};

Table coverageList(std::initializer_list<std::uint16_t> glyphs) {
  Table t;
  t.u16(1).u16(static_cast<std::uint16_t>(glyphs.size()));
  for (auto g : glyphs) t.u16(g);
  return t;
}

Table coverageRange(std::uint16_t first, std::uint16_t last) {
  return std::move(Table{}.u16(2).u16(1).u16(first).u16(last).u16(0));
}

Table singleDelta(Table coverage, std::int16_t delta) {
  return std::move(Table{}.u16(1).offset16(std::move(coverage)).u16(static_cast<std::uint16_t>(delta)));
}

Table singleList(Table coverage, std::initializer_list<std::uint16_t> substitutes) {
  Table t;
  t.u16(2).offset16(std::move(coverage)).u16(static_cast<std::uint16_t>(substitutes.size()));
  for (auto g : substitutes) t.u16(g);
  return t;
}

Table lookup(std::uint16_t type, std::vector<Table> subtables) {
  Table t;
  t.u16(type).u16(0).u16(static_cast<std::uint16_t>(subtables.size()));
  for (Table& s : subtables) t.offset16(std::move(s));
  return t;
}

Table extension(Table single) {
  return std::move(Table{}.u16(1).u16(1).offset32(std::move(single)));
}

Table langSys(std::initializer_list<std::uint16_t> features) {
  Table t;
  t.u16(0).u16(0xFFFF).u16(static_cast<std::uint16_t>(features.size()));
  for (auto f : features) t.u16(f);
  return t;
}

Table feature(std::initializer_list<std::uint16_t> lookups) {
  Table t;
  t.u16(0).u16(static_cast<std::uint16_t>(lookups.size()));
  for (auto l : lookups) t.u16(l);
  return t;
}

std::string gsubOf(Table scripts, Table features, Table lookups) {
  Table gsub;
  gsub.u16(1).u16(0).offset16(std::move(scripts)).offset16(std::move(features)).offset16(std::move(lookups));
  return gsub.serialized();
}

// A script list of `kana` alone, whose default language system has feature 0.
Table kanaWithDefaultFeature0() {
  Table script;
  script.offset16(langSys({0})).u16(0);
  Table scripts;
  scripts.u16(1).tag("kana").offset16(std::move(script));
  return scripts;
}

// Features: 0 `vert` → lookups 0 and 2; 1 `vert` → lookup 1; 2 `liga` → lookup 3.
// Lookups: 0 maps 10, 11 → 110, 111; 1 maps 10 → 999; 2, an extension, maps 20, 21 → 220,
// 221; 3 maps 30 → 31.
std::string gsubTable(const char (&scriptTag)[5], const char (&languageTag)[5]) {
  Table script;
  script.offset16(langSys({1})).u16(1).tag(languageTag).offset16(langSys({0, 2}));
  Table scripts;
  scripts.u16(2).tag("latn").offset16(std::move(Table{}.u16(0).u16(0))).tag(scriptTag).offset16(std::move(script));
  Table features;
  features.u16(3)
      .tag("vert").offset16(feature({0, 2}))
      .tag("vert").offset16(feature({1}))
      .tag("liga").offset16(feature({3}));
  Table lookups;
  lookups.u16(4)
      .offset16(lookup(1, {singleDelta(coverageList({10, 11}), 100)}))
      .offset16(lookup(1, {singleList(coverageList({10}), {999})}))
      .offset16(lookup(7, {extension(singleList(coverageRange(20, 21), {220, 221}))}))
      .offset16(lookup(1, {singleDelta(coverageList({30}), 1)}));
  return gsubOf(std::move(scripts), std::move(features), std::move(lookups));
}

const GlyphSubstitutions kJapanese{{10, 110}, {11, 111}, {20, 220}, {21, 221}};
const GlyphSubstitutions kDefault{{10, 999}};

TEST(VerticalSubstitutions, TakesTheJapaneseLanguageSystemOfTheJapaneseScripts) {
  struct Case {
    const char* name;
    std::string gsub;
    GlyphSubstitutions expected;
  };
  const Case cases[] = {
      {"kana, JAN", gsubTable("kana", "JAN "), kJapanese},
      {"hani, JAN", gsubTable("hani", "JAN "), kJapanese},
      {"DFLT, JAN", gsubTable("DFLT", "JAN "), kJapanese},
      {"no JAN: the script's default", gsubTable("kana", "KOR "), kDefault},
      {"no Japanese script", gsubTable("cyrl", "JAN "), {}},
      {"empty", "", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(readVerticalSubstitutions(c.gsub), c.expected) << c.name;
}

TEST(VerticalSubstitutions, PrefersKanaOverHaniOverDflt) {
  // kana's JAN takes lookup 2 only, hani's JAN lookup 1, DFLT's JAN lookup 0.
  Table scripts;
  scripts.u16(3);
  const std::pair<const char*, std::uint16_t> order[] = {{"DFLT", 0}, {"hani", 1}, {"kana", 2}};
  for (const auto& [tag, feat] : order) {
    Table script;
    script.u16(0).u16(1).tag("JAN ").offset16(langSys({feat}));
    scripts.bytes.append(tag, 4);
    scripts.offset16(std::move(script));
  }
  const auto gsubWithout = [&](std::size_t scriptCount) {
    Table s = scripts;
    s.bytes[1] = static_cast<char>(scriptCount);
    Table features;
    features.u16(3).tag("vert").offset16(feature({0})).tag("vert").offset16(feature({1})).tag("vert").offset16(feature({2}));
    Table lookups;
    lookups.u16(3)
        .offset16(lookup(1, {singleDelta(coverageList({5}), 1)}))
        .offset16(lookup(1, {singleDelta(coverageList({5}), 2)}))
        .offset16(lookup(1, {singleDelta(coverageList({5}), 3)}));
    return gsubOf(std::move(s), std::move(features), std::move(lookups));
  };
  EXPECT_EQ(readVerticalSubstitutions(gsubWithout(3)), (GlyphSubstitutions{{5, 8}}));
  EXPECT_EQ(readVerticalSubstitutions(gsubWithout(2)), (GlyphSubstitutions{{5, 7}}));
  EXPECT_EQ(readVerticalSubstitutions(gsubWithout(1)), (GlyphSubstitutions{{5, 6}}));
}

TEST(VerticalSubstitutions, LaterLookupsApplyToEarlierResultsAndFirstSubtableWins) {
  Table scripts = kanaWithDefaultFeature0();
  Table features;
  features.u16(1).tag("vert").offset16(feature({1, 0}));
  Table lookups;
  lookups.u16(2)
      .offset16(lookup(1, {singleList(coverageList({1, 2}), {2, 50}),
                           singleList(coverageList({1, 3}), {77, 60})}))
      .offset16(lookup(1, {singleList(coverageList({2, 4}), {40, 41})}));
  EXPECT_EQ(readVerticalSubstitutions(gsubOf(std::move(scripts), std::move(features), std::move(lookups))),
            (GlyphSubstitutions{{1, 40}, {2, 50}, {3, 60}, {4, 41}}));
}

bool contains(const GlyphSubstitutions& whole, const GlyphSubstitutions& part) {
  for (const auto& [glyph, substitute] : part) {
    const auto it = whole.find(glyph);
    if (it == whole.end() || it->second != substitute) return false;
  }
  return true;
}

TEST(VerticalSubstitutions, TruncatedTablesGiveOnlyWhatWasRead) {
  const std::string full = gsubTable("kana", "JAN ");
  for (std::size_t length = 0; length < full.size(); ++length) {
    const GlyphSubstitutions read = readVerticalSubstitutions(std::string_view(full).substr(0, length));
    EXPECT_TRUE(contains(kJapanese, read)) << "length " << length;
  }
}

TEST(VerticalSubstitutions, CorruptBytesNeverCrash) {
  const std::string full = gsubTable("kana", "JAN ");
  for (std::size_t at = 0; at < full.size(); ++at) {
    for (char value : {'\0', '\x01', '\x7F', '\xFF'}) {
      std::string corrupt = full;
      corrupt[at] = value;
      readVerticalSubstitutions(corrupt);
    }
  }
}

TEST(VerticalSubstitutions, HugeCoverageRangesStayBounded) {
  // A thousand lookups, each covering every glyph: the reader gives up rather than work
  // through them all.
  constexpr std::uint16_t kLookups = 1000;
  Table scripts = kanaWithDefaultFeature0();
  Table vert;
  vert.u16(0).u16(kLookups);
  for (std::uint16_t i = 0; i < kLookups; ++i) vert.u16(i);
  Table features;
  features.u16(1).tag("vert").offset16(std::move(vert));
  Table lookups;
  lookups.u16(kLookups);
  const std::size_t lookupStart = 2 + 2 * kLookups;
  for (std::uint16_t i = 0; i < kLookups; ++i) lookups.u16(static_cast<std::uint16_t>(lookupStart));
  lookups.bytes += lookup(1, {singleDelta(coverageRange(0, 0xFFFF), 1)}).serialized();
  const GlyphSubstitutions read =
      readVerticalSubstitutions(gsubOf(std::move(scripts), std::move(features), std::move(lookups)));
  EXPECT_FALSE(read.empty());
}

}  // namespace
}  // namespace wabunko
