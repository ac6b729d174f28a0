#include "doc/CharCodes.h"

#include "doc/ByteBlocks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <cstddef>
#include <cstring>

namespace wabunko {
namespace {

using namespace blocks;

constexpr Byte kEsc = 0x1B;
constexpr Byte kVoicedMark = 0xDE;
constexpr Byte kSemiVoicedMark = 0xDF;

constexpr BytePair jisToShiftJis(unsigned c1, unsigned c2) {
  const unsigned s1 = ((c1 + 1) >> 1) + (c1 < 0x5F ? 0x70 : 0xB0);
  const unsigned s2 = (c1 & 1) ? c2 + (c2 > 0x5F ? 0x20 : 0x1F) : c2 + 0x7E;
  return {static_cast<std::uint8_t>(s1), static_cast<std::uint8_t>(s2)};
}

constexpr BytePair shiftJisToJis(unsigned s1, unsigned s2) {
  const unsigned row = (s1 - (s1 < 0xA0 ? 0x70 : 0xB0)) * 2;
  if (s2 < 0x9F)
    return {static_cast<std::uint8_t>(row - 1),
            static_cast<std::uint8_t>(s2 - (s2 > 0x7F ? 0x20 : 0x1F))};
  return {static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(s2 - 0x7E)};
}

// The half-width katakana ｦ (0xA6) to ﾝ (0xDD) and their full-width forms: each row covers
// `first`..`last`, the letter c maps to base + step * (c - first), plus 1 for a voicing mark
// after a letter that takes one, plus 2 for a semi-voicing mark likewise.
struct KanaRow {
  Byte first, last;
  unsigned base, step;
  bool voiced, semiVoiced;
};
constexpr KanaRow kKanaRows[] = {
    {0xA6, 0xA6, 0x8392, 0, false, false}, {0xA7, 0xAB, 0x8340, 2, false, false},
    {0xAC, 0xAE, 0x8383, 2, false, false}, {0xAF, 0xAF, 0x8362, 0, false, false},
    {0xB0, 0xB0, 0x815B, 0, false, false}, {0xB1, 0xB5, 0x8341, 2, false, false},
    {0xB6, 0xC1, 0x834A, 2, true, false},  {0xC2, 0xC4, 0x8363, 2, true, false},
    {0xC5, 0xC9, 0x8369, 1, false, false}, {0xCA, 0xCE, 0x836E, 3, true, true},
    {0xCF, 0xD0, 0x837D, 1, false, false}, {0xD1, 0xD3, 0x8380, 1, false, false},
    {0xD4, 0xD6, 0x8384, 2, false, false}, {0xD7, 0xDB, 0x8389, 1, false, false},
    {0xDC, 0xDC, 0x838F, 0, false, false}, {0xDD, 0xDD, 0x8393, 0, false, false},
};
constexpr Byte kFirstKana = 0xA6;
constexpr Byte kLastKana = 0xDD;

// The double-byte code of the full-width form of `c`, or `c` itself when it has none.
constexpr unsigned fullWidthCode(Byte c, Byte next) {
  if (c >= '0' && c <= '9') return 0x824F + (c - '0');
  if (c >= 'A' && c <= 'Z') return 0x8260 + (c - 'A');
  if (c >= 'a' && c <= 'z') return 0x8281 + (c - 'a');
  for (const KanaRow& row : kKanaRows) {
    if (c < row.first || c > row.last) continue;
    const unsigned mark = (row.voiced && next == kVoicedMark)           ? 1
                          : (row.semiVoiced && next == kSemiVoicedMark) ? 2
                                                                        : 0;
    return row.base + row.step * (c - row.first) + mark;
  }
  return c;
}

constexpr BytePair toEuc(BytePair jis) {
  return {static_cast<std::uint8_t>(jis.first ^ 0x80),
          static_cast<std::uint8_t>(jis.second ^ 0x80)};
}

// EUC bytes of every widened half-width katakana: [letter - ｦ][0 bare, 1 ﾞ, 2 ﾟ follows].
constexpr auto kEucKana = [] {
  std::array<std::array<BytePair, 3>, kLastKana - kFirstKana + 1> table{};
  constexpr Byte nextFor[3] = {0, kVoicedMark, kSemiVoicedMark};
  for (unsigned c = kFirstKana; c <= kLastKana; ++c)
    for (unsigned m = 0; m < 3; ++m) {
      const unsigned code = fullWidthCode(static_cast<Byte>(c), nextFor[m]);
      table[c - kFirstKana][m] = toEuc(shiftJisToJis(code >> 8, code & 0xFF));
    }
  return table;
}();

void putPair(Byte*& out, BytePair pair) {
  out[0] = pair.first;
  out[1] = pair.second;
  out += 2;
}

void putEscape(Byte*& out, Byte intermediate) {
  out[0] = kEsc;
  out[1] = intermediate;
  out[2] = 'B';
  out += 3;
}

// ---------------------------------------------------------------------------------------------
// The converters. Each handles the one character at `p` in operator(): it writes its bytes
// through `out` and returns how many input bytes it took, reading at most kMaxRead bytes at p.
// bulk() handles one block at a character boundary the same way: it reads from p[-1] up to
// p[kBulkRead - 1] and returns how far it got: at least one byte, at most kBlock + 2.
// Neither writes more than maxOutput(n) for n bytes taken, though bulk() may scribble up to
// kBlock bytes past what it reports.

struct JisDecoder {
  static constexpr std::size_t kMaxRead = 4;  // ESC $ ( x
  static constexpr std::size_t kBulkRead = kBlock + kLanes;
  static constexpr std::size_t maxOutput(std::size_t n) { return n + 1; }
  bool doubleByte = false;

  std::size_t operator()(const Byte* p, Byte*& out) {
    if (p[0] == kEsc) return escape(p);
    if (!doubleByte) {
      *out++ = p[0];
      return 1;
    }
    putPair(out, jisToShiftJis(p[0], p[1]));
    return 2;
  }

  // The final byte of a designation is not looked at: ESC $ B and ESC $ @ both mean kanji,
  // ESC ( B, ESC ( J and ESC ( I all mean single bytes, anything else changes nothing.
  std::size_t escape(const Byte* p) {
    if (p[1] == '$') {
      doubleByte = true;
      return p[2] == '(' ? 4 : 3;
    }
    if (p[1] == '(') doubleByte = false;
    return 3;
  }

  // The block is cut at its escapes into runs of one mode, converted sixteen bytes at a time.
  std::size_t bulk(const Byte* p, Byte*& out) {
    std::uint64_t escapes = bytesWhere(p, [](Lanes c) { return c == kEsc; });
    std::size_t at = 0;  // where the current run starts
    for (;;) {
      const std::size_t esc = escapes ? std::countr_zero(escapes) : kBlock;
      escapes &= escapes - 1;
      const std::size_t length = esc - at;
      if (doubleByte && (length & 1) && esc < kBlock) continue;  // an ESC in second place is paired
      const std::size_t whole = doubleByte ? length & ~std::size_t{1} : length;  // a cut pair waits
      putRun(p + at, whole, out);
      if (esc == kBlock || esc + kMaxRead > kBlock) return at + whole;
      at = esc + escape(p + esc);
      escapes &= ~bitsBelow(at);
    }
  }

  // Reads from p[-1] to p[length + 15] and writes sixteen bytes even for an empty run.
  void putRun(const Byte* p, std::size_t length, Byte*& out) const {
    constexpr Lanes kFirstOfPair = {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0,
                                    0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0};
    const Lanes kanji = splat(doubleByte ? 0xFF : 0);
    std::size_t k = 0;
    do {
      const Lanes c = loadLanes(p + k);
      const Lanes pairs =
          select(kFirstOfPair, shiftJisLeads(c), shiftJisTrails(loadLanes(p + k - 1), c));
      storeLanes(out + k, select(kanji, pairs, c));
      k += kLanes;
    } while (k < length);
    out += length;
  }
};

struct EucDecoder {
  static constexpr std::size_t kMaxRead = 2;
  static constexpr std::size_t kBulkRead = kBlock;
  static constexpr std::size_t maxOutput(std::size_t n) { return n + 1; }

  std::size_t operator()(const Byte* p, Byte*& out) {
    const Byte c = p[0];
    if (c < 0xA0 && c != 0x80) {
      *out++ = c;
      return 1;
    }
    putPair(out, jisToShiftJis(c ^ 0x80, p[1] ^ 0x80));
    return 2;
  }

  // Every byte gives one byte, so the block converts in place, lane by lane.
  std::size_t bulk(const Byte* p, Byte*& out) {
    const std::uint64_t starts =
        pairStarts(bytesWhere(p, [](Lanes c) { return (c >= 0xA0) | (c == 0x80); }));
    const std::uint64_t paired = starts | starts << 1;
    for (std::size_t k = 0; k < kBlock; k += kLanes) {
      const Lanes c = loadLanes(p + k);
      const Lanes c1 = c ^ 0x80;
      const Lanes pairs = select(lanesOf(starts >> k), shiftJisLeads(c1),
                                 shiftJisTrails(loadLanes(p + k - 1) ^ 0x80, c1));
      storeLanes(out + k, select(lanesOf(paired >> k), pairs, c));
    }
    const std::size_t taken = kBlock - (starts >> 63);  // a pair cut by the block end waits
    out += taken;
    return taken;
  }
};

// A web form body: name=value fields joined by "&", bytes escaped as %XX.
struct FormDecoder {
  static constexpr std::size_t kMaxRead = 3;  // % X X
  static constexpr std::size_t kBulkRead = kBlock + kMaxRead - 1;
  static constexpr std::size_t maxOutput(std::size_t n) { return 2 * n; }

  std::size_t operator()(const Byte* p, Byte*& out) {
    if (p[0] == '%') {
      *out++ = escapedByte(p[1], p[2]);
      return 3;
    }
    if (p[0] == '&') {
      out[0] = '\r';
      out[1] = '\n';
      out += 2;
      return 1;
    }
    *out++ = p[0];
    return 1;
  }

  // The first digit accepts every capital letter; what is not a digit there stands for "%"
  // itself. A second byte that is no digit is dropped along with it.
  static Byte escapedByte(Byte first, Byte second) {
    const Byte high = isDigit(first, 'Z') ? digitValue(first) : '%';
    return isDigit(second, 'F') ? static_cast<Byte>(high * 16 + digitValue(second)) : high;
  }
  static bool isDigit(Byte c, Byte lastLetter) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= lastLetter);
  }
  static Byte digitValue(Byte c) { return c <= '9' ? c - '0' : c - 0x37; }

  // The same on every lane.
  static Lanes escapedBytes(Lanes first, Lanes second) {
    const Lanes high = select(areDigits(first, 'Z'), digitValues(first), splat('%'));
    return select(areDigits(second, 'F'), (high << 4) + digitValues(second), high);
  }
  static Lanes areDigits(Lanes c, Byte lastLetter) {
    return inRange(c, '0', '9') | inRange(c, 'A', lastLetter);
  }
  static Lanes digitValues(Lanes c) { return select(c <= '9', c - '0', c - 0x37); }

  // With no "%" inside another's digits every "%" starts an escape, and what is left of the
  // block is one byte per character (two for "&").
  std::size_t bulk(const Byte* p, Byte*& out) {
    const std::uint64_t percents = bytesWhere(p, [](Lanes c) { return c == '%'; });
    const std::uint64_t digits = percents << 1 | percents << 2;
    if (percents & digits) return walk(p, out);
    const std::uint64_t cut = percents >> (kBlock - 2);  // escapes running past the block wait
    const std::size_t taken = cut ? kBlock - 2 + std::countr_zero(cut) : kBlock;
    Byte first[kBlock];
    for (std::size_t k = 0; k < kBlock; k += kLanes) {
      const Lanes c = loadLanes(p + k);
      storeLanes(first + k,
                 select(c == '%', escapedBytes(loadLanes(p + k + 1), loadLanes(p + k + 2)),
                        select(c == '&', splat('\r'), c)));
    }
    const std::uint64_t ampersands = bytesWhere(p, [](Lanes c) { return c == '&'; });
    for (std::uint64_t chars = ~digits & bitsBelow(taken); chars; chars &= chars - 1) {
      const int j = std::countr_zero(chars);
      out[0] = first[j];
      out[1] = '\n';
      out += 1 + (ampersands >> j & 1);
    }
    return taken;
  }

  std::size_t walk(const Byte* p, Byte*& out) {
    std::size_t i = 0;
    while (i < kBlock) i += (*this)(p + i, out);
    return i;
  }
};

struct JisEncoder {
  static constexpr std::size_t kMaxRead = 2;
  static constexpr std::size_t kBulkRead = kBlock + 1;
  // A single byte after a kanji costs 4 bytes (ESC ( B and itself), a kanji after a single
  // byte 5 (ESC $ B and its pair); alternating them gives the worst case of 3 per byte.
  static constexpr std::size_t maxOutput(std::size_t n) { return 3 * n + 3; }
  bool doubleByte = false;

  static bool isLead(Byte c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFB); }
  static Lanes areLeads(Lanes c) { return inRange(c, 0x81, 0x9F) | inRange(c, 0xE0, 0xFB); }

  std::size_t operator()(const Byte* p, Byte*& out) {
    const Byte c = p[0];
    const bool lead = isLead(c);
    if (lead != doubleByte) {
      putEscape(out, lead ? '$' : '(');
      doubleByte = lead;
    }
    if (!lead) {
      *out++ = c;
      return 1;
    }
    putPair(out, shiftJisToJis(c, p[1]));
    return 2;
  }

  // The block converts in place, lane by lane, and is copied out in runs between the
  // characters that switch the mode, each of those getting its escape. A character switches
  // when it is a pair and the one before it is not, or the other way round; the one before a
  // character is a pair exactly when its last byte is a second byte.
  std::size_t bulk(const Byte* p, Byte*& out) {
    const std::uint64_t pairs = pairStarts(bytesWhere(p, areLeads));
    const std::uint64_t seconds = pairs << 1;
    const std::uint64_t cut = pairs >> 63;  // a pair cut by the block end waits
    const std::uint64_t chars = ~seconds & ~(cut << 63);
    const std::uint64_t switches = chars & (pairs ^ (seconds << 1 | doubleByte));
    Byte converted[2 * kBlock];
    for (std::size_t k = 0; k < kBlock; k += kLanes) {
      const Lanes s1 = loadLanes(p + k), s2 = loadLanes(p + k + 1);
      storeLanes(converted + k, select(lanesOf(pairs >> k), jisFirsts(s1, s2),
                                       select(lanesOf(seconds >> k), jisSeconds(s1), s1)));
    }
    std::size_t from = 0;
    for (std::uint64_t left = switches; left; left &= left - 1) {
      const std::size_t j = std::countr_zero(left);
      std::memcpy(out, converted + from, kBlock);
      out += j - from;
      putEscape(out, pairs >> j & 1 ? '$' : '(');
      from = j;
    }
    const std::size_t taken = kBlock - cut;
    std::memcpy(out, converted + from, kBlock);
    out += taken - from;
    doubleByte = pairs >> (63 - std::countl_zero(chars)) & 1;
    return taken;
  }
};

// Half-width katakana letters are widened first (EUC has no room for them without 0x8E,
// which the files this writes never contain); the rest of 0xA1-0xDF stays raw.
struct EucEncoder {
  static constexpr std::size_t kMaxRead = 2;
  static constexpr std::size_t kBulkRead = kBlock + 1;
  static constexpr std::size_t maxOutput(std::size_t n) { return 2 * n; }

  static bool isKana(Byte c) { return c >= kFirstKana && c <= kLastKana; }
  static bool isMark(Byte c) { return c == kVoicedMark || c == kSemiVoicedMark; }
  static bool isLead(Byte c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF); }

  // The letter at p with the mark after it, if any.
  static BytePair kana(const Byte* p) {
    return kEucKana[p[0] - kFirstKana][p[1] == kVoicedMark ? 1 : p[1] == kSemiVoicedMark ? 2 : 0];
  }

  std::size_t operator()(const Byte* p, Byte*& out) {
    const Byte c = p[0];
    if (isKana(c)) {
      putPair(out, kana(p));
      return isMark(p[1]) ? 2 : 1;
    }
    if (isLead(c)) {
      putPair(out, toEuc(shiftJisToJis(c, p[1])));
      return 2;
    }
    *out++ = c;
    return 1;
  }

  // Two-byte units are the pairs and the letters followed by a mark. The block converts in
  // place, lane by lane, the letters then come from the table, and it is copied out in runs
  // between the letters without a mark, each of which grows by a byte.
  std::size_t bulk(const Byte* p, Byte*& out) {
    const std::uint64_t letters =
        bytesWhere(p, [](Lanes c) { return inRange(c, kFirstKana, kLastKana); });
    const std::uint64_t marked =
        bytesWhere(p + 1, [](Lanes c) { return (c == kVoicedMark) | (c == kSemiVoicedMark); });
    const std::uint64_t leads =
        bytesWhere(p, [](Lanes c) { return inRange(c, 0x81, 0x9F) | inRange(c, 0xE0, 0xEF); });
    const std::uint64_t units = pairStarts(leads | (letters & marked));
    const std::uint64_t cut = units >> 63;  // a unit cut by the block end waits
    const std::uint64_t chars = ~(units << 1) & ~(cut << 63);
    Byte converted[2 * kBlock];
    for (std::size_t k = 0; k < kBlock; k += kLanes) {
      const Lanes s1 = loadLanes(p + k), s2 = loadLanes(p + k + 1);
      storeLanes(converted + k,
                 select(lanesOf(units >> k), jisFirsts(s1, s2) ^ 0x80,
                        select(lanesOf(units << 1 >> k), jisSeconds(s1) ^ 0x80, s1)));
    }
    std::size_t from = 0;
    for (std::uint64_t left = letters & chars; left; left &= left - 1) {
      const std::size_t j = std::countr_zero(left);
      const BytePair wide = kana(p + j);
      converted[j] = wide.first;
      if (marked >> j & 1) {
        converted[j + 1] = wide.second;  // in place of the mark
        continue;
      }
      std::memcpy(out, converted + from, kBlock);
      out += j + 1 - from;
      *out++ = wide.second;
      from = j + 1;
    }
    const std::size_t taken = kBlock - cut;
    std::memcpy(out, converted + from, kBlock);
    out += taken - from;
    return taken;
  }
};

// Runs `convert` over the whole input. The result reserves the worst case once; output is
// staged in a small buffer that stays in cache and appended a chunk at a time, so only the
// memory actually used is ever touched. Blocks go through bulk() while a whole one is left,
// then characters through the step; the last few bytes are walked in a zero-padded copy, so a
// character cut off by the end of the input reads its missing bytes as 0.
template <class Converter>
std::string convertAll(std::string_view input, Converter convert) {
  constexpr std::size_t kMaxRead = Converter::kMaxRead;
  constexpr std::size_t kChunk = 4096;  // input bytes per stage, give or take a block
  const auto* const in = reinterpret_cast<const Byte*>(input.data());
  const std::size_t n = input.size();
  std::string result;
  result.reserve(Converter::maxOutput(n));
  Byte stage[Converter::maxOutput(kChunk + 2 * kBlock) + kBlock];
  auto flush = [&](const Byte* end) {
    result.append(reinterpret_cast<const char*>(stage), end - stage);
  };

  std::size_t i = 0;
  auto walk = [&](std::size_t reads, auto advance) {  // while `reads` bytes are left at i
    const std::size_t end = n >= reads ? n - reads + 1 : 0;
    while (i < end) {
      Byte* out = stage;
      for (const std::size_t stop = std::min(end, i + kChunk); i < stop;) i += advance(in + i, out);
      flush(out);
    }
  };
  auto step = [&](const Byte* p, Byte*& out) { return convert(p, out); };
  // bulk() looks at the byte before its block, so the first character always takes a step.
  if (n >= kMaxRead) {
    Byte* out = stage;
    i = convert(in, out);
    flush(out);
  }
  walk(Converter::kBulkRead, [&](const Byte* p, Byte*& out) { return convert.bulk(p, out); });
  walk(kMaxRead, step);
  if (i < n) {
    Byte tail[2 * kMaxRead] = {};
    std::memcpy(tail, in + i, n - i);
    Byte* out = stage;
    for (std::size_t j = 0; j < n - i;) j += convert(tail + j, out);
    flush(out);
  }
  return result;
}

std::bitset<65536> pairsThatRoundTrip(CharCode code) {
  std::bitset<65536> table;
  for (unsigned pair = 0; pair < 65536; ++pair) {
    const char bytes[2] = {static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
    const std::string_view original(bytes, 2);
    table[pair] = DecodeToShiftJis(code, EncodeFromShiftJis(code, original)) == original;
  }
  return table;
}

}  // namespace

std::string DecodeToShiftJis(CharCode code, std::string_view bytes) {
  switch (code) {
    case CharCode::Jis:
      return convertAll(bytes, JisDecoder{});
    case CharCode::Euc:
      return convertAll(bytes, EucDecoder{});
    case CharCode::InternetForm:
      return convertAll(bytes, FormDecoder{});
    default:
      return {};
  }
}

std::string EncodeFromShiftJis(CharCode code, std::string_view shiftJis) {
  switch (code) {
    case CharCode::Jis:
      return convertAll(shiftJis, JisEncoder{});
    case CharCode::Euc:
      return convertAll(shiftJis, EucEncoder{});
    default:
      return {};
  }
}

BytePair JisPairToShiftJis(unsigned c1, unsigned c2) { return jisToShiftJis(c1, c2); }

BytePair ShiftJisPairToJis(unsigned s1, unsigned s2) { return shiftJisToJis(s1, s2); }

std::string HalfToFullChar(std::uint8_t c, std::uint8_t next) {
  const unsigned code = fullWidthCode(c, next);
  if (code <= 0xFF) return std::string(1, static_cast<char>(c));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

bool IsRichTextFile(std::string_view head) { return head.starts_with("{\\rtf"); }

bool IsRichTextFile(std::istream& file) {
  char head[5] = {};
  file.seekg(0);
  file.read(head, sizeof head);
  const bool rich =
      file.gcount() == sizeof head && IsRichTextFile(std::string_view(head, sizeof head));
  // A file shorter than the test leaves the stream failed; the caller still reads it whole.
  if (!file.bad()) {
    file.clear();
    file.seekg(0);
  }
  return rich;
}

bool RoundTripsPair(CharCode code, std::uint8_t lead, std::uint8_t trail) {
  const unsigned pair = (unsigned{lead} << 8) | trail;
  switch (code) {
    case CharCode::Jis: {
      static const std::bitset<65536> jis = pairsThatRoundTrip(CharCode::Jis);
      return jis[pair];
    }
    case CharCode::Euc: {
      static const std::bitset<65536> euc = pairsThatRoundTrip(CharCode::Euc);
      return euc[pair];
    }
    default:
      return true;
  }
}

// ---- What survives a round trip through JIS or EUC ----

namespace {
bool isShiftJisLead(std::uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
}  // namespace

std::size_t CountUnrepresentable(CharCode code, std::string_view shiftJis) {
  if (code != CharCode::Jis && code != CharCode::Euc) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(shiftJis[i]); };
  std::size_t count = 0;
  for (std::size_t i = 0; i < shiftJis.size();) {
    const std::uint8_t c = byte(i);
    if (isShiftJisLead(c)) {
      if (i + 1 >= shiftJis.size() || !RoundTripsPair(code, c, byte(i + 1))) ++count;
      i += 2;
      continue;
    }
    if (code == CharCode::Jis) {
      // An ESC in the text would be read back as the start of a mode switch.
      if (c == 0x1B) ++count;
    } else if (c >= 0xA6 && c <= 0xDD) {
      // Widened to full width, taking a following voicing mark with it.
      if (i + 1 < shiftJis.size() && (byte(i + 1) == 0xDE || byte(i + 1) == 0xDF)) ++i;
    } else if (c == 0x80 || c >= 0xA0) {
      // Written as a raw 8-bit byte, which EUC reads back as the start of a pair.
      ++count;
    }
    ++i;
  }
  return count;
}
std::string EndJisDoubleByteMode(std::string_view jis) {
  // The last mode switch decides: ESC $ x turns double-byte mode on, ESC ( x off.
  for (std::size_t i = jis.size(); i-- > 0;) {
    if (jis[i] != '\x1b' || i + 1 >= jis.size()) continue;
    return jis[i + 1] == '$' ? std::string("\x1b(B") : std::string();
  }
  return {};
}

}  // namespace wabunko
