#include "doc/TextConversions.h"

#include "doc/CharCodes.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace wabunko {
namespace {

using Byte = std::uint8_t;

constexpr Byte kVoicedMark = 0xDE;
constexpr Byte kSemiVoicedMark = 0xDF;

// The punctuation conversion hands control back to its caller this often.
constexpr std::size_t kProgressStep = 1000;

constexpr bool isLeadByte(Byte b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

Byte byteAt(std::string_view s, std::size_t i) { return static_cast<Byte>(s[i]); }

// 2 for a lead byte with a byte after it, else 1.
std::size_t charLength(std::string_view s, std::size_t i) {
  return isLeadByte(byteAt(s, i)) && i + 1 < s.size() ? 2 : 1;
}

// The character at i as a number: the byte, or lead << 8 | trail.
unsigned charCode(std::string_view s, std::size_t i, std::size_t length) {
  return length == 2 ? unsigned{byteAt(s, i)} << 8 | byteAt(s, i + 1) : byteAt(s, i);
}

void appendCode(std::string& out, unsigned code) {
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

// ---------------------------------------------------------------------------------------------
// Case

enum class Case { Upper, Lower };

// Trail bytes run 0x40-0x7E and 0x80-0xFC; counting them without the hole at 0x7F lets one
// offset move a letter between its cases even where a row of letters spans the hole.
constexpr unsigned kNoTrail = 0xFFFF;

constexpr unsigned trailIndex(Byte trail) {
  if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return kNoTrail;
  return trail < 0x7F ? trail - 0x40u : trail - 0x41u;
}

constexpr Byte trailAt(unsigned index) {
  return static_cast<Byte>(index < 0x3F ? index + 0x40 : index + 0x41);
}

// A row of double-byte letters: the first upper-case and first lower-case trail, in the same
// alphabetical order.
struct CaseRow {
  Byte lead;
  unsigned upper;  // trail index
  unsigned lower;  // trail index
  unsigned count;
};

constexpr CaseRow kCaseRows[] = {
    {0x82, trailIndex(0x60), trailIndex(0x81), 26},  // Ａ-Ｚ, ａ-ｚ
    {0x83, trailIndex(0x9F), trailIndex(0xBF), 24},  // Α-Ω, α-ω
    {0x84, trailIndex(0x40), trailIndex(0x70), 33},  // А-Я, а-я
};

Byte caseTrail(Byte lead, Byte trail, Case to) {
  const unsigned index = trailIndex(trail);
  if (index == kNoTrail) return trail;
  for (const CaseRow& row : kCaseRows) {
    if (row.lead != lead) continue;
    const unsigned from = to == Case::Upper ? row.lower : row.upper;
    const unsigned target = to == Case::Upper ? row.upper : row.lower;
    if (index >= from && index - from < row.count) return trailAt(target + (index - from));
  }
  return trail;
}

Byte caseByte(Byte c, Case to) {
  if (to == Case::Upper && c >= 'a' && c <= 'z') return static_cast<Byte>(c - 'a' + 'A');
  if (to == Case::Lower && c >= 'A' && c <= 'Z') return static_cast<Byte>(c - 'A' + 'a');
  return c;
}

std::string convertCase(std::string_view shiftJis, Case to) {
  std::string out(shiftJis);
  for (std::size_t i = 0, length = 0; i < out.size(); i += length) {
    length = charLength(out, i);
    const std::size_t changed = length == 2 ? i + 1 : i;
    const Byte b = byteAt(out, changed);
    const Byte converted = length == 2 ? caseTrail(byteAt(out, i), b, to) : caseByte(b, to);
    out[changed] = static_cast<char>(converted);
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Width

// The ASCII symbols and the half-width punctuation, and their full-width forms in the same
// order. Digits, letters and katakana are left to HalfToFullChar.
constexpr std::string_view kHalfSymbols =
    " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~\xA1\xA2\xA3\xA4\xA5";
constexpr std::uint16_t kFullSymbols[] = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A,
    0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E, 0x8146, 0x8147, 0x8183, 0x8181,
    0x8184, 0x8148, 0x8197, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151, 0x8165, 0x816F,
    0x8162, 0x8170, 0x8160, 0x8142, 0x8175, 0x8176, 0x8141, 0x8145};
static_assert(std::size(kFullSymbols) == kHalfSymbols.size());

constexpr auto kFullSymbolOf = [] {
  std::array<std::uint16_t, 256> table{};
  for (std::size_t i = 0; i < kHalfSymbols.size(); ++i)
    table[static_cast<Byte>(kHalfSymbols[i])] = kFullSymbols[i];
  return table;
}();

constexpr bool isVoicingMark(Byte b) { return b == kVoicedMark || b == kSemiVoicedMark; }

// The full-width code of the single-byte character c (looking at `next` for a voicing mark),
// or 0 when it has none.
unsigned fullWidthOf(Byte c, Byte next) {
  if (const unsigned symbol = kFullSymbolOf[c]) return symbol;
  const std::string full = HalfToFullChar(c, next);
  return full.size() == 2 ? charCode(full, 0, 2) : 0;
}

// Full-width code -> its half-width bytes: the inverse of ToFullWidth, plus the full-width
// characters that no half-width one widens to.
const std::unordered_map<unsigned, std::string>& halfWidthForms() {
  static const auto forms = [] {
    std::unordered_map<unsigned, std::string> table;
    for (unsigned c = 0; c < 0x100; ++c) {
      const Byte b = static_cast<Byte>(c);
      if (isLeadByte(b) || isVoicingMark(b)) continue;
      const unsigned plain = fullWidthOf(b, 0);
      if (plain != 0) table.try_emplace(plain, 1, static_cast<char>(b));
      for (const Byte mark : {kVoicedMark, kSemiVoicedMark}) {
        const unsigned marked = fullWidthOf(b, mark);
        if (marked != plain)
          table.try_emplace(marked, std::string{static_cast<char>(b), static_cast<char>(mark)});
      }
    }
    table.try_emplace(0x814A, "\xDE");      // ゛
    table.try_emplace(0x814B, "\xDF");      // ゜
    table.try_emplace(0x814C, "'");         // ´
    table.try_emplace(0x838E, "\xDC");      // ヮ
    table.try_emplace(0x8394, "\xB3\xDE");  // ヴ
    table.try_emplace(0x8395, "\xB6");      // ヵ
    table.try_emplace(0x8396, "\xB9");      // ヶ
    return table;
  }();
  return forms;
}

// ---------------------------------------------------------------------------------------------
// Punctuation

enum class Mark { Comma, Period };

struct Punctuation {
  Mark mark;
  bool fullWidth;
};

std::optional<Punctuation> punctuationOf(unsigned code) {
  switch (code) {
    case ',': case 0xA4: return Punctuation{Mark::Comma, false};
    case '.': case 0xA1: return Punctuation{Mark::Period, false};
    case 0x8141: case 0x8143: return Punctuation{Mark::Comma, true};
    case 0x8142: case 0x8144: return Punctuation{Mark::Period, true};
    default: return std::nullopt;
  }
}

unsigned convertedPunctuation(Punctuation p, const PunctuationChoices& choices) {
  const bool full = choices.width == PunctuationWidth::Full ||
                    (choices.width == PunctuationWidth::Original && p.fullWidth);
  if (p.mark == Mark::Comma) {
    if (choices.japaneseComma) return full ? 0x8141 : 0xA4;  // 、 ､
    return full ? 0x8143 : ',';                              // ，
  }
  if (choices.japanesePeriod) return full ? 0x8142 : 0xA1;  // 。 ｡
  return full ? 0x8144 : '.';                               // ．
}

}  // namespace

std::string ToUpperCase(std::string_view shiftJis) { return convertCase(shiftJis, Case::Upper); }

std::string ToLowerCase(std::string_view shiftJis) { return convertCase(shiftJis, Case::Lower); }

std::string ToFullWidth(std::string_view shiftJis) {
  std::string out;
  out.reserve(shiftJis.size() * 2);
  for (std::size_t i = 0, length = 0; i < shiftJis.size(); i += length) {
    length = charLength(shiftJis, i);
    const Byte c = byteAt(shiftJis, i);
    if (length == 2) {
      out += shiftJis.substr(i, 2);
    } else if (!isVoicingMark(c)) {
      const Byte next = i + 1 < shiftJis.size() ? byteAt(shiftJis, i + 1) : 0;
      const unsigned full = fullWidthOf(c, next);
      appendCode(out, full != 0 ? full : c);
    }
  }
  return out;
}

std::string ToHalfWidth(std::string_view shiftJis) {
  const auto& forms = halfWidthForms();
  std::string out;
  out.reserve(shiftJis.size());
  for (std::size_t i = 0, length = 0; i < shiftJis.size(); i += length) {
    length = charLength(shiftJis, i);
    const auto half = length == 2 ? forms.find(charCode(shiftJis, i, 2)) : forms.end();
    if (half != forms.end()) out += half->second;
    else out += shiftJis.substr(i, length);
  }
  return out;
}

std::optional<std::string> ConvertPunctuation(std::string_view shiftJis,
                                              const PunctuationChoices& choices,
                                              const ConversionProgress& progress) {
  const auto keepGoing = [&](std::size_t done) {
    return !progress || progress(done, shiftJis.size());
  };
  std::string out;
  out.reserve(shiftJis.size() * 2);
  std::size_t nextReport = 0;
  for (std::size_t i = 0, length = 0; i < shiftJis.size(); i += length) {
    // A double-byte character may step over a multiple of the step; report on the next one.
    if (i >= nextReport) {
      if (!keepGoing(i)) return std::nullopt;
      nextReport = (i / kProgressStep + 1) * kProgressStep;
    }
    length = charLength(shiftJis, i);
    const unsigned code = charCode(shiftJis, i, length);
    const std::optional<Punctuation> p = punctuationOf(code);
    appendCode(out, p ? convertedPunctuation(*p, choices) : code);
  }
  if (!keepGoing(shiftJis.size())) return std::nullopt;
  return out;
}

}  // namespace wabunko
