// libFuzzer target for the character-code module. The first byte picks the code (4 and up
// stand for a code the module does not know), the rest is the input. Checks, for any input:
// that every conversion gives the same bytes as a plain byte-by-byte walk written straight
// from the rules (the module's own walk works in blocks), the size bounds of every conversion,
// that RoundTripsPair agrees with running the two conversions, HalfToFullChar's shape, both
// IsRichTextFile forms, and that well-formed text survives JIS and EUC unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "doc/CharCodes.h"

namespace {

using wabunko::CharCode;

void check(bool condition) {
  if (!condition) std::abort();
}

// The rules one byte at a time, with missing bytes read as 0.
namespace plain {

unsigned at(std::string_view s, std::size_t i) {
  return i < s.size() ? static_cast<std::uint8_t>(s[i]) : 0;
}

void put(std::string& out, wabunko::BytePair pair) {
  out += static_cast<char>(pair.first);
  out += static_cast<char>(pair.second);
}

std::string decodeJis(std::string_view in) {
  std::string out;
  bool kanji = false;
  for (std::size_t i = 0; i < in.size();) {
    if (at(in, i) == 0x1B) {
      if (at(in, i + 1) == '$') kanji = true;
      if (at(in, i + 1) == '(') kanji = false;
      i += at(in, i + 1) == '$' && at(in, i + 2) == '(' ? 4 : 3;
    } else if (kanji) {
      put(out, wabunko::JisPairToShiftJis(at(in, i), at(in, i + 1)));
      i += 2;
    } else {
      out += in[i++];
    }
  }
  return out;
}

std::string decodeEuc(std::string_view in) {
  std::string out;
  for (std::size_t i = 0; i < in.size();) {
    const unsigned c = at(in, i);
    if (c == 0x80 || c >= 0xA0) {
      put(out, wabunko::JisPairToShiftJis((c + 0x80) % 256, (at(in, i + 1) + 0x80) % 256));
      i += 2;
    } else {
      out += in[i++];
    }
  }
  return out;
}

unsigned hexDigit(unsigned c, unsigned lastLetter) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= lastLetter) return c - 'A' + 10;
  return 256;
}

std::string decodeForm(std::string_view in) {
  std::string out;
  for (std::size_t i = 0; i < in.size();) {
    if (in[i] == '%') {
      const unsigned high = hexDigit(at(in, i + 1), 'Z') < 256 ? hexDigit(at(in, i + 1), 'Z') : '%';
      const unsigned low = hexDigit(at(in, i + 2), 'F');
      out += static_cast<char>(low < 256 ? (high * 16 + low) % 256 : high);
      i += 3;
    } else if (in[i] == '&') {
      out += "\r\n";
      i += 1;
    } else {
      out += in[i++];
    }
  }
  return out;
}

std::string encodeJis(std::string_view in) {
  std::string out;
  bool kanji = false;
  for (std::size_t i = 0; i < in.size();) {
    const unsigned c = at(in, i);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFB);
    if (lead != kanji) out += lead ? "\x1B$B" : "\x1B(B";
    kanji = lead;
    if (lead) {
      put(out, wabunko::ShiftJisPairToJis(c, at(in, i + 1)));
      i += 2;
    } else {
      out += in[i++];
    }
  }
  return out;
}

std::string encodeEuc(std::string_view in) {
  std::string out;
  for (std::size_t i = 0; i < in.size();) {
    unsigned c = at(in, i), next = at(in, i + 1);
    std::size_t taken = 2;
    if (c >= 0xA6 && c <= 0xDD) {
      const std::string wide = wabunko::HalfToFullChar(c, next);
      taken = next == 0xDE || next == 0xDF ? 2 : 1;
      c = static_cast<std::uint8_t>(wide[0]);
      next = static_cast<std::uint8_t>(wide[1]);
    }
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF)) {
      const wabunko::BytePair jis = wabunko::ShiftJisPairToJis(c, next);
      put(out, {static_cast<std::uint8_t>(jis.first + 0x80),
                static_cast<std::uint8_t>(jis.second + 0x80)});
      i += taken;
    } else {
      out += in[i++];
    }
  }
  return out;
}

std::string decode(CharCode code, std::string_view in) {
  switch (code) {
    case CharCode::Jis:
      return decodeJis(in);
    case CharCode::Euc:
      return decodeEuc(in);
    case CharCode::InternetForm:
      return decodeForm(in);
    default:
      return {};
  }
}

std::string encode(CharCode code, std::string_view in) {
  switch (code) {
    case CharCode::Jis:
      return encodeJis(in);
    case CharCode::Euc:
      return encodeEuc(in);
    default:
      return {};
  }
}

}  // namespace plain

// Each step of a walk emits at least one byte unless it is a JIS escape, which takes at most
// four bytes (ESC $ ( x), and at most two bytes except where an EUC or JIS pair is cut off by
// the end of the input (one byte in, two out) or a form's "&" becomes CR LF.
void checkDecodeSize(CharCode code, std::string_view in, std::size_t outSize) {
  const std::size_t n = in.size();
  switch (code) {
    case CharCode::Jis:
      check(outSize <= n + 1);
      check(outSize + 4 * static_cast<std::size_t>(std::count(in.begin(), in.end(), '\x1B')) >= n);
      break;
    case CharCode::Euc:
      check(outSize >= n && outSize <= n + 1);
      break;
    case CharCode::InternetForm:
      check(outSize <= 2 * n && 3 * outSize >= n);
      break;
    default:
      check(outSize == 0);
  }
}

// JIS: a kanji after a single byte costs 3 bytes of escape, a single byte after a kanji 3 more;
// they alternate at most every 3 input bytes, so 3 per byte (+3 for a cut-off last pair).
// EUC: nothing grows past two bytes, a bare half-width letter being the case that does.
void checkEncodeSize(CharCode code, std::size_t n, std::size_t outSize) {
  switch (code) {
    case CharCode::Jis:
      check(outSize >= n && outSize <= 3 * n + (n ? 3 : 0));
      break;
    case CharCode::Euc:
      check(outSize >= n && outSize <= 2 * n);
      break;
    default:
      check(outSize == 0);
  }
}

void checkRoundTripsPair(CharCode code, std::uint8_t lead, std::uint8_t trail) {
  const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  const std::string_view pair(bytes, 2);
  const bool expected =
      !(code == CharCode::Jis || code == CharCode::Euc) ||
      wabunko::DecodeToShiftJis(code, wabunko::EncodeFromShiftJis(code, pair)) == pair;
  check(wabunko::RoundTripsPair(code, lead, trail) == expected);
}

void checkHalfToFull(std::uint8_t c, std::uint8_t next) {
  const std::string full = wabunko::HalfToFullChar(c, next);
  if (full.size() == 1) {
    check(static_cast<std::uint8_t>(full[0]) == c);
    return;
  }
  check(full.size() == 2);
  const auto lead = static_cast<std::uint8_t>(full[0]);
  check(lead >= 0x81 && lead <= 0x83);
}

void checkRichText(std::string_view in) {
  const bool rich = wabunko::IsRichTextFile(in);
  check(rich == in.starts_with("{\\rtf"));
  std::istringstream file{std::string(in)};
  check(wabunko::IsRichTextFile(file) == rich);
  check(std::string(std::istreambuf_iterator<char>(file), {}) == in);
}

// Well-formed text from the input bytes: printable ASCII and line ends, JIS X 0208 characters
// as Shift-JIS pairs, and (for JIS only) half-width katakana. Both codes must carry it exactly.
std::string wellFormedText(std::string_view in, bool halfWidthKana) {
  std::string text;
  for (std::size_t i = 0; i + 1 < in.size(); i += 2) {
    const auto a = static_cast<std::uint8_t>(in[i]);
    const auto b = static_cast<std::uint8_t>(in[i + 1]);
    if (a < 0x80) {
      text += a >= 0x20 && a < 0x7F ? static_cast<char>(a) : a & 1 ? '\r' : '\n';
    } else if (halfWidthKana && a >= 0xF0) {
      text += static_cast<char>(0xA1 + b % 63);
    } else {
      const wabunko::BytePair s = wabunko::JisPairToShiftJis(0x21 + a % 94, 0x21 + b % 94);
      text += static_cast<char>(s.first);
      text += static_cast<char>(s.second);
    }
  }
  return text;
}

void checkWellFormedRoundTrips(std::string_view in) {
  for (const CharCode code : {CharCode::Jis, CharCode::Euc}) {
    const std::string text = wellFormedText(in, code == CharCode::Jis);
    check(wabunko::DecodeToShiftJis(code, wabunko::EncodeFromShiftJis(code, text)) == text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto code = static_cast<CharCode>(data[0] % 5);
  const std::string_view in(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::string decoded = wabunko::DecodeToShiftJis(code, in);
  const std::string encoded = wabunko::EncodeFromShiftJis(code, in);
  check(decoded == plain::decode(code, in));
  check(encoded == plain::encode(code, in));
  checkDecodeSize(code, in, decoded.size());
  checkEncodeSize(code, in.size(), encoded.size());
  if (in.size() >= 2) {
    checkRoundTripsPair(code, static_cast<std::uint8_t>(in[0]), static_cast<std::uint8_t>(in[1]));
    checkHalfToFull(static_cast<std::uint8_t>(in[0]), static_cast<std::uint8_t>(in[1]));
  }
  checkRichText(in);
  checkWellFormedRoundTrips(in);
  return 0;
}
