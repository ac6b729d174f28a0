#include "JapaneseCorpus.h"

#include <map>
#include <random>

namespace wabunko::bench {
namespace {

void appendPair(std::string& out, unsigned code) {
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

// Valid trail bytes of code page 932 are 0x40-0x7E and 0x80-0xFC.
unsigned trailFromIndex(unsigned i) { return i < 63 ? 0x40 + i : 0x80 + (i - 63); }

std::string makeText(std::size_t bytes) {
  std::mt19937 rng(932);
  auto pick = [&](unsigned n) { return static_cast<unsigned>(rng() % n); };
  std::string out;
  out.reserve(bytes + 256);
  while (out.size() < bytes) {
    const unsigned lineChars = 20 + pick(61);
    for (unsigned c = 0; c < lineChars; ++c) {
      const unsigned kind = pick(100);
      if (kind < 35) {
        appendPair(out, 0x829F + pick(0x53));  // hiragana
      } else if (kind < 65) {
        appendPair(out, ((0x88 + pick(0x10)) << 8) | trailFromIndex(pick(188)));  // kanji
        if ((out[out.size() - 2] & 0xFF) == 0x88 && (out.back() & 0xFF) < 0x9F)
          out.back() = static_cast<char>(0x9F);  // row 0x88 starts at 0x9F
      } else if (kind < 78) {
        unsigned k = 0x8340 + pick(0x56);
        if (k >= 0x837F) ++k;  // 0x7F is never a trail byte
        appendPair(out, k);  // katakana
      } else if (kind < 90) {
        out.push_back(static_cast<char>('a' + pick(26)));
      } else if (kind < 95) {
        out.push_back(static_cast<char>(0xA6 + pick(0x38)));  // half-width katakana
      } else {
        static const unsigned punct[] = {0x8141, 0x8142, 0x8175, 0x8176, 0x8148, 0x8149};
        appendPair(out, punct[pick(6)]);
      }
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace

const std::string& japaneseShiftJisText(std::size_t bytes) {
  static std::map<std::size_t, std::string> made;
  auto it = made.find(bytes);
  if (it == made.end()) it = made.emplace(bytes, makeText(bytes)).first;
  return it->second;
}

}  // namespace wabunko::bench
