#include "frame/FontRecord.h"

#include <string_view>

#include "doc/TextBridge.h"

namespace wabunko {
namespace {

// The face-name field of a logical font holds 32 bytes including the terminating zero.
constexpr std::size_t kFaceNameBytes = 31;

struct Utf8Char {
  std::size_t length;  // bytes in the UTF-8 text
  char32_t code;
};

// The character at the start of `s` (not empty). A byte that starts no well-formed
// sequence is a character of its own, U+FFFD, so every byte is counted.
Utf8Char nextChar(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  if (lead < 0x80) return {1, lead};
  const std::size_t length =
      lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  constexpr Utf8Char invalid{1, 0xFFFD};
  if (length == 0 || s.size() < length) return invalid;
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto trail = static_cast<unsigned char>(s[i]);
    if ((trail & 0xC0) != 0x80) return invalid;
    code = (code << 6) | (trail & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < kSmallest[length] || code > 0x10FFFF || surrogate) return invalid;
  return {length, code};
}

std::u16string toUtf16(char32_t code) {
  if (code < 0x10000) return std::u16string(1, static_cast<char16_t>(code));
  code -= 0x10000;
  return {static_cast<char16_t>(0xD800 + (code >> 10)),
          static_cast<char16_t>(0xDC00 + (code & 0x3FF))};
}

}  // namespace

std::string truncateFaceName(const std::string& utf8) {
  const std::string_view text = utf8;
  std::size_t kept = 0;       // UTF-8 bytes kept
  std::size_t sjisBytes = 0;  // their length in code page 932
  while (kept < text.size()) {
    const Utf8Char c = nextChar(text.substr(kept));
    sjisBytes += TextBridge::toShiftJis(toUtf16(c.code)).size();
    if (sjisBytes > kFaceNameBytes) break;
    kept += c.length;
  }
  return utf8.substr(0, kept);
}

}  // namespace wabunko
