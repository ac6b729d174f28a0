#pragma once
// Block tools of the code converters. Most of the text goes through them 64 bytes at a time: the bytes'
// classes become bit masks, where characters start follows from the masks without walking, and
// the converted bytes are computed sixteen lanes at a time. This avoids the per-character
// branches that mixed Japanese text makes unpredictable. The lane type is the GCC/Clang vector
// extension, which compiles to SSE2 on x86-64 and to plain code where there is no SIMD.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wabunko::blocks {

using Byte = unsigned char;

constexpr std::size_t kLanes = 16;
constexpr std::size_t kBlock = 4 * kLanes;
using Lanes = Byte __attribute__((vector_size(kLanes)));

inline Lanes loadLanes(const Byte* p) {
  Lanes v;
  std::memcpy(&v, p, kLanes);
  return v;
}

inline void storeLanes(Byte* p, Lanes v) { std::memcpy(p, &v, kLanes); }

inline Lanes splat(Byte b) { return Lanes{} + b; }

// `mask` is a lane comparison: every lane all ones or all zeros.
template <class Mask>
Lanes select(Mask mask, Lanes yes, Lanes no) {
  const auto m = std::bit_cast<Lanes>(mask);
  return (yes & m) | (no & ~m);
}

// Bit k set where lane k of the comparison `mask` is set.
template <class Mask>
unsigned bitsOf(Mask mask) {
#if defined(__SSE2__)
  return static_cast<unsigned>(_mm_movemask_epi8(std::bit_cast<__m128i>(mask)));
#else
  const auto lanes = std::bit_cast<Lanes>(mask);
  unsigned bits = 0;
  for (unsigned k = 0; k < kLanes; ++k) bits |= (lanes[k] & 1u) << k;
  return bits;
#endif
}

// The inverse of bitsOf for the low 16 bits of `bits`: eight lanes per table entry, lane k
// in the entry's k-th byte in memory.
constexpr auto kLaneMasks = [] {
  std::array<std::uint64_t, 256> table{};
  for (unsigned bits = 0; bits < 256; ++bits)
    for (unsigned k = 0; k < 8; ++k) {
      const unsigned byte = std::endian::native == std::endian::little ? k : 7 - k;
      if (bits >> k & 1) table[bits] |= std::uint64_t{0xFF} << (8 * byte);
    }
  return table;
}();

inline Lanes lanesOf(std::uint64_t bits) {
  return std::bit_cast<Lanes>(
      std::array<std::uint64_t, 2>{kLaneMasks[bits & 0xFF], kLaneMasks[bits >> 8 & 0xFF]});
}

// Bit j set where byte j of the block at `p` passes `test`, a comparison on Lanes.
template <class Test>
std::uint64_t bytesWhere(const Byte* p, Test test) {
  std::uint64_t bits = 0;
  for (std::size_t k = 0; k < kBlock; k += kLanes)
    bits |= std::uint64_t{bitsOf(test(loadLanes(p + k)))} << k;
  return bits;
}

inline Lanes inRange(Lanes c, Byte low, Byte high) {
  return std::bit_cast<Lanes>((c >= low) & (c <= high));
}

// Which of the bytes flagged in `leads` start a two-byte character, counting from a character
// boundary at bit 0: a flagged byte does unless it is itself the second byte of one, so in a
// run of flagged bytes every other byte from the run's start does. Adding the run starts at
// even bits carries through exactly those runs, which tells them from the runs at odd bits.
inline std::uint64_t pairStarts(std::uint64_t leads) {
  constexpr std::uint64_t kEven = 0x5555555555555555u;
  const std::uint64_t runStarts = leads & ~(leads << 1);
  const std::uint64_t evenRuns = leads & ~(leads + (runStarts & kEven));
  return (evenRuns & kEven) | (leads & ~evenRuns & ~kEven);
}

// jisToShiftJis and shiftJisToJis on every lane: lead bytes, trail bytes.
inline Lanes shiftJisLeads(Lanes c1) {
  return (c1 >> 1) + (c1 & 1) + select(c1 < 0x5F, splat(0x70), splat(0xB0));
}

inline Lanes shiftJisTrails(Lanes c1, Lanes c2) {
  return select((c1 & 1) != 0, c2 + select(c2 > 0x5F, splat(0x20), splat(0x1F)), c2 + 0x7E);
}

inline Lanes jisFirsts(Lanes s1, Lanes s2) {
  const Lanes row = s1 - select(s1 < 0xA0, splat(0x70), splat(0xB0));
  return row + row - select(s2 < 0x9F, splat(1), splat(0));
}

inline Lanes jisSeconds(Lanes s2) {
  return select(s2 < 0x9F, s2 - select(s2 > 0x7F, splat(0x20), splat(0x1F)), s2 - 0x7E);
}

inline std::uint64_t bitsBelow(std::size_t n) {
  return n < 64 ? (std::uint64_t{1} << n) - 1 : ~std::uint64_t{0};
}

}  // namespace wabunko::blocks
