#pragma once
// The code page 932 table, generated at build time by tools/gencp932 from glibc iconv.
// Internal to TextBridge.cpp; the rest of the program converts through TextBridge.

#include <cstdint>

namespace wabunko::cp932 {

// Lead bytes 0x81-0x9F and 0xE0-0xFC make 60 rows of 256 trail bytes; only trails
// 0x40-0x7E and 0x80-0xFC can be assigned. One more row, all 0, serves every other byte.
inline constexpr unsigned kRowCount = 60;
inline constexpr unsigned kEmptyRow = kRowCount;

// Row of a lead byte; kEmptyRow for any other byte. Flipping bit 5 makes the two lead
// ranges one (0xA1-0xDC).
constexpr unsigned rowOf(unsigned byte) {
  const unsigned row = ((byte ^ 0x20) - 0xA1) & 0xFF;
  return row < kRowCount ? row : kEmptyRow;
}

constexpr bool isLead(unsigned byte) { return rowOf(byte) != kEmptyRow; }

// Byte -> character; 0 for a lead byte (and for 0x00, which is U+0000).
extern const char16_t kSingle[256];

// [rowOf(lead) << 8 | trail] -> character; 0 where the pair is not assigned.
extern const char16_t kDouble[(kRowCount + 1) << 8];

// BMP character -> its preferred code (a single byte below 0x100, else lead << 8 | trail);
// 0 where code page 932 has none. U+0000 is the byte 0x00, the one real zero.
extern const std::uint16_t kEncode[0x10000];

// A character with more than one code (the duplicate codes), its codes in the order
// Windows prefers them, unused places 0.
inline constexpr unsigned kMaxCodesPerChar = 3;
struct Duplicate {
  char16_t c;
  std::uint16_t codes[kMaxCodesPerChar];
};

// Every such character, ordered by character.
extern const Duplicate kDuplicates[];
extern const unsigned kDuplicateCount;

}  // namespace wabunko::cp932
