#include "doc/CharCodes.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <cstring>

namespace wabunko {
namespace {

using Byte = unsigned char;

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

// The pair conversions as tables over byte values, for the per-byte walks below: a lead byte
// depends on one input byte, a trail byte on the other and one bit of the first.
struct PairTables {
  Byte shiftJisLead[256];       // [c1]
  Byte shiftJisTrail[2][256];   // [c1 odd][c2]
  Byte jisFirst[2][256];        // [s2 >= 0x9F][s1]
  Byte jisSecond[256];          // [s2]
};
constexpr PairTables kPairTables = [] {
  PairTables t{};
  for (unsigned b = 0; b < 256; ++b) {
    t.shiftJisLead[b] = jisToShiftJis(b, 0).first;
    t.shiftJisTrail[0][b] = jisToShiftJis(0x22, b).second;
    t.shiftJisTrail[1][b] = jisToShiftJis(0x21, b).second;
    t.jisFirst[0][b] = shiftJisToJis(b, 0).first;
    t.jisFirst[1][b] = shiftJisToJis(b, 0x9F).first;
    t.jisSecond[b] = shiftJisToJis(0x81, b).second;
  }
  return t;
}();

BytePair shiftJisOfJisBytes(Byte c1, Byte c2) {
  return {kPairTables.shiftJisLead[c1], kPairTables.shiftJisTrail[c1 & 1][c2]};
}

BytePair jisOfShiftJisBytes(Byte s1, Byte s2) {
  return {kPairTables.jisFirst[s2 >= 0x9F][s1], kPairTables.jisSecond[s2]};
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
  return {static_cast<std::uint8_t>(jis.first ^ 0x80), static_cast<std::uint8_t>(jis.second ^ 0x80)};
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

// Each converter below handles the one character at `p`: it writes its bytes through `out`
// and returns how many input bytes it took. It may read up to kMaxRead bytes at `p`, and
// writes at most maxOutput(n) bytes for an input of n bytes.

struct JisDecoder {
  static constexpr std::size_t kMaxRead = 4;  // ESC $ ( x
  static constexpr std::size_t maxOutput(std::size_t n) { return n + 1; }
  bool doubleByte = false;

  std::size_t operator()(const Byte* p, Byte*& out) {
    if (p[0] == kEsc) return escape(p);
    if (!doubleByte) {
      *out++ = p[0];
      return 1;
    }
    putPair(out, shiftJisOfJisBytes(p[0], p[1]));
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
};

struct EucDecoder {
  static constexpr std::size_t kMaxRead = 2;
  static constexpr std::size_t maxOutput(std::size_t n) { return n + 1; }

  std::size_t operator()(const Byte* p, Byte*& out) {
    const Byte c = p[0];
    if (c < 0xA0 && c != 0x80) {
      *out++ = c;
      return 1;
    }
    putPair(out, shiftJisOfJisBytes(c ^ 0x80, p[1] ^ 0x80));
    return 2;
  }
};

// A web form body: name=value fields joined by "&", bytes escaped as %XX. The walk has no
// branches on the bytes: form bodies escape most of a Japanese text, so which of the three
// cases comes next is as good as random.
struct FormDecoder {
  static constexpr std::size_t kMaxRead = 3;  // % X X
  static constexpr std::size_t maxOutput(std::size_t n) { return 2 * n; }

  std::size_t operator()(const Byte* p, Byte*& out) {
    const bool percent = p[0] == '%';
    const bool ampersand = p[0] == '&';
    out[0] = ampersand ? '\r' : percent ? escapedByte(p[1], p[2]) : p[0];
    out[1] = '\n';
    out += 1 + ampersand;
    return percent ? 3 : 1;
  }

  // The first digit accepts every capital letter; what is not a digit there stands for "%"
  // itself. A second byte that is no digit is dropped along with it.
  static Byte escapedByte(Byte first, Byte second) {
    const unsigned high = kDigits.high[first];
    const unsigned low = kDigits.low[second];
    return static_cast<Byte>(low < 16 ? high * 16 + low : high);
  }

  struct Digits {
    Byte high[256];
    Byte low[256];  // 0xFF: not a digit
  };
  static constexpr Digits kDigits = [] {
    Digits d{};
    for (unsigned b = 0; b < 256; ++b) {
      const bool decimal = b >= '0' && b <= '9';
      d.high[b] = decimal ? b - '0' : (b >= 'A' && b <= 'Z') ? b - 0x37 : '%';
      d.low[b] = decimal ? b - '0' : (b >= 'A' && b <= 'F') ? b - 0x37 : 0xFF;
    }
    return d;
  }();
};

struct JisEncoder {
  static constexpr std::size_t kMaxRead = 2;
  // A single byte after a kanji costs 4 bytes (ESC ( B and itself), a kanji after a single
  // byte 5 (ESC $ B and its pair); alternating them gives the worst case of 3 per byte.
  static constexpr std::size_t maxOutput(std::size_t n) { return 3 * n + 3; }
  bool doubleByte = false;

  std::size_t operator()(const Byte* p, Byte*& out) {
    const Byte c = p[0];
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFB);
    if (lead != doubleByte) {
      putEscape(out, lead ? '$' : '(');
      doubleByte = lead;
    }
    if (!lead) {
      *out++ = c;
      return 1;
    }
    putPair(out, jisOfShiftJisBytes(c, p[1]));
    return 2;
  }
};

// Half-width katakana letters are widened first (EUC has no room for them without 0x8E,
// which the files this writes never contain); the rest of 0xA1-0xDF stays raw.
struct EucEncoder {
  static constexpr std::size_t kMaxRead = 2;
  static constexpr std::size_t maxOutput(std::size_t n) { return 2 * n; }

  std::size_t operator()(const Byte* p, Byte*& out) {
    const Byte c = p[0];
    if (c >= kFirstKana && c <= kLastKana) {
      const unsigned mark = p[1] == kVoicedMark ? 1 : p[1] == kSemiVoicedMark ? 2 : 0;
      putPair(out, kEucKana[c - kFirstKana][mark]);
      return mark ? 2 : 1;
    }
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF)) {
      putPair(out, toEuc(jisOfShiftJisBytes(c, p[1])));
      return 2;
    }
    *out++ = c;
    return 1;
  }
};

// Runs `convert` over the whole input. The result reserves the worst case once; output is
// staged in a small buffer that stays in cache and appended a chunk at a time, so only the
// memory actually used is ever touched. The last few bytes are walked in a zero-padded copy:
// a character cut off by the end of the input reads its missing bytes as 0.
template <class Converter>
std::string convertAll(std::string_view input, Converter convert) {
  constexpr std::size_t kMaxRead = Converter::kMaxRead;
  constexpr std::size_t kChunk = 4096;  // input bytes per stage; a step may run kMaxRead - 1 over
  const auto* const in = reinterpret_cast<const Byte*>(input.data());
  const std::size_t n = input.size();
  std::string result;
  result.reserve(Converter::maxOutput(n));
  Byte stage[Converter::maxOutput(kChunk + kMaxRead)];
  auto flush = [&](const Byte* end) { result.append(reinterpret_cast<const char*>(stage), end - stage); };

  std::size_t i = 0;
  const std::size_t fullEnd = n >= kMaxRead ? n - kMaxRead + 1 : 0;  // steps from here read past n
  while (i < fullEnd) {
    Byte* out = stage;
    for (const std::size_t end = std::min(fullEnd, i + kChunk); i < end;) i += convert(in + i, out);
    flush(out);
  }
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
    case CharCode::Jis: return convertAll(bytes, JisDecoder{});
    case CharCode::Euc: return convertAll(bytes, EucDecoder{});
    case CharCode::InternetForm: return convertAll(bytes, FormDecoder{});
    default: return {};
  }
}

std::string EncodeFromShiftJis(CharCode code, std::string_view shiftJis) {
  switch (code) {
    case CharCode::Jis: return convertAll(shiftJis, JisEncoder{});
    case CharCode::Euc: return convertAll(shiftJis, EucEncoder{});
    default: return {};
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
  const bool rich = file.gcount() == sizeof head && IsRichTextFile(std::string_view(head, sizeof head));
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
    default: return true;
  }
}

}  // namespace wabunko
