// libFuzzer target for the character-code module. The first byte picks the code (4 and up
// stand for a code the module does not know), the rest is the input. Checks, for any input:
// the size bounds of every conversion, that RoundTripsPair agrees with running the two
// conversions, HalfToFullChar's shape, both IsRichTextFile forms, and that well-formed text
// survives JIS and EUC unchanged.

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
  const bool expected = !(code == CharCode::Jis || code == CharCode::Euc) ||
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

  checkDecodeSize(code, in, wabunko::DecodeToShiftJis(code, in).size());
  checkEncodeSize(code, in.size(), wabunko::EncodeFromShiftJis(code, in).size());
  if (in.size() >= 2) {
    checkRoundTripsPair(code, static_cast<std::uint8_t>(in[0]), static_cast<std::uint8_t>(in[1]));
    checkHalfToFull(static_cast<std::uint8_t>(in[0]), static_cast<std::uint8_t>(in[1]));
  }
  checkRichText(in);
  checkWellFormedRoundTrips(in);
  return 0;
}
