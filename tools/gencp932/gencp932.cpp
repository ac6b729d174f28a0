// Writes the code page 932 table (see src/doc/Cp932Table.h) as a C++ source file.
//
// Usage: gencp932 OUTPUT.cpp
//
// The decode direction comes from glibc iconv "CP932", which agrees with Windows on every
// pair that round-trips, plus the five single bytes iconv refuses and Windows maps. The
// encode direction is derived from the decode table rather than from iconv's encoder, so the
// duplicate codes encode to the codes Windows prefers. Any surprise in iconv's answers stops
// the build: a wrong table would silently corrupt every file the editor saves.

#include "doc/Cp932Table.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace wabunko::cp932;

[[noreturn]] void fail(const std::string& why) {
  std::fprintf(stderr, "gencp932: %s\n", why.c_str());
  std::exit(1);
}

std::string hex(unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", value);
  return buffer;
}

class Cp932Decoder {
public:
  Cp932Decoder() : cd_(iconv_open("UTF-32LE", "CP932")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) fail("iconv cannot convert from CP932");
  }
  ~Cp932Decoder() { iconv_close(cd_); }
  Cp932Decoder(const Cp932Decoder&) = delete;
  Cp932Decoder& operator=(const Cp932Decoder&) = delete;

  // The one character the bytes decode to, when iconv takes all of them as one character.
  std::optional<char32_t> decode(std::string bytes) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    unsigned char out[8];
    char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(cd_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
      if (errno == EILSEQ || errno == EINVAL) return std::nullopt;
      fail("iconv failed unexpectedly on " + hex(static_cast<unsigned char>(bytes[0])));
    }
    if (inLeft != 0 || sizeof out - outLeft != 4) return std::nullopt;
    return char32_t(out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24);
  }

private:
  iconv_t cd_;
};

struct Tables {
  std::array<char16_t, 256> single{};
  std::vector<std::array<char16_t, 256>> pairs =
      std::vector<std::array<char16_t, 256>>(kRowCount + 1);  // the last stays empty
  std::vector<std::uint16_t> encode = std::vector<std::uint16_t>(0x10000);
  std::vector<Duplicate> duplicates;  // by character

  char16_t pair(unsigned code) const {
    return pairs[rowOf(code >> 8)][code & 0xFF];
  }
};

// Single bytes iconv refuses and Windows maps.
constexpr std::array<std::pair<unsigned, char16_t>, 5> kWindowsSingles{{
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}}};

bool isTrail(unsigned byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// Characters the table may hold: BMP, not a surrogate, and not in the private-use block
// TextBridge keeps for invalid bytes.
void checkCharacter(char32_t c, unsigned code) {
  if (c == 0 && code != 0) fail(hex(code) + " decodes to U+0000");
  if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF) || (c >= 0xF700 && c <= 0xF7FF))
    fail(hex(code) + " decodes to the unusable character " + hex(c));
}

void decodeSingles(Cp932Decoder& iconv, Tables& t) {
  for (unsigned b = 0; b < 256; ++b) {
    const std::optional<char32_t> c = iconv.decode(std::string(1, static_cast<char>(b)));
    if (isLead(b)) {
      if (c) fail("lead byte " + hex(b) + " decodes on its own");
    } else if (c) {
      checkCharacter(*c, b);
      t.single[b] = static_cast<char16_t>(*c);
    }
  }
  for (auto [byte, c] : kWindowsSingles) {
    if (t.single[byte] != 0) fail("iconv now maps " + hex(byte) + "; check it against Windows");
    t.single[byte] = c;
  }
  for (unsigned b = 0; b < 256; ++b)
    if (t.single[b] == 0 && b != 0 && !isLead(b)) fail("single byte " + hex(b) + " has no character");
}

void decodePairs(Cp932Decoder& iconv, Tables& t) {
  for (unsigned lead = 0; lead < 256; ++lead) {
    if (!isLead(lead)) continue;
    for (unsigned trail = 0; trail < 256; ++trail) {
      if (!isTrail(trail)) continue;
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      if (const std::optional<char32_t> c = iconv.decode(bytes)) {
        checkCharacter(*c, lead << 8 | trail);
        t.pairs[rowOf(lead)][trail] = static_cast<char16_t>(*c);
      }
    }
  }
}

// Windows prefers JIS X 0208 and NEC row 13 (below 0xED00), then the IBM extension, and the
// NEC-selected IBM extension last; within a rank, the lowest code.
unsigned preferenceRank(unsigned code) {
  if (code >= 0xED40 && code <= 0xEEFC) return 2;
  if (code >= 0xFA40 && code <= 0xFC4B) return 1;
  return 0;
}

bool preferred(unsigned code, unsigned over) {
  const unsigned rank = preferenceRank(code), overRank = preferenceRank(over);
  return rank != overRank ? rank < overRank : code < over;
}

// Every code of the table in increasing order, with its character.
template <class F>
void forEachCode(const Tables& t, F&& f) {
  for (unsigned b = 0; b < 256; ++b)
    if (!isLead(b)) f(b, t.single[b]);
  for (unsigned lead = 0; lead < 256; ++lead) {
    if (!isLead(lead)) continue;
    for (unsigned trail = 0; trail < 256; ++trail) {
      const unsigned code = lead << 8 | trail;
      if (isTrail(trail) && t.pair(code) != 0) f(code, t.pair(code));
    }
  }
}

void deriveEncode(Tables& t) {
  std::vector<std::vector<unsigned>> codesOf(0x10000);
  forEachCode(t, [&](unsigned code, char16_t c) { codesOf[c].push_back(code); });
  for (unsigned c = 0; c < codesOf.size(); ++c) {
    std::vector<unsigned>& codes = codesOf[c];
    if (codes.empty()) continue;
    std::sort(codes.begin(), codes.end(), preferred);
    t.encode[c] = static_cast<std::uint16_t>(codes.front());
    if (codes.size() == 1) continue;
    if (codes.size() > kMaxCodesPerChar) fail(hex(c) + " has more codes than a Duplicate holds");
    Duplicate d{static_cast<char16_t>(c), {}};
    std::copy(codes.begin(), codes.end(), d.codes);
    t.duplicates.push_back(d);
  }
}

void expect(bool ok, const std::string& what) {
  if (!ok) fail("check failed: " + what);
}

void expectPair(const Tables& t, unsigned code, char16_t c) {
  expect(t.pair(code) == c, hex(code) + " decodes to " + hex(c));
}

void expectEncode(const Tables& t, char16_t c, unsigned code) {
  expect(t.encode[c] == code, hex(c) + " encodes to " + hex(code) + ", not " + hex(t.encode[c]));
}

void checkTables(const Tables& t) {
  for (unsigned b = 0; b < 256; ++b)
    expect(isLead(b) == ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)), "lead " + hex(b));
  for (unsigned b = 0; b < 0x80; ++b) expect(t.single[b] == b, "ASCII byte " + hex(b) + " is itself");
  for (unsigned b = 0xA1; b <= 0xDF; ++b)
    expect(t.single[b] == 0xFF61 + (b - 0xA1), "half-width katakana " + hex(b));

  // User-defined area: ten lead bytes of 188 codes each, in order.
  char16_t next = 0xE000;
  for (unsigned lead = 0xF0; lead <= 0xF9; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
      if (isTrail(trail)) expectPair(t, lead << 8 | trail, next++);
  expect(next == 0xE758, "user-defined area ends at U+E757");

  // TextBridge's side table takes these lead bytes because nothing is assigned to them.
  for (unsigned lead : {0x85u, 0x86u, 0xEBu, 0xECu, 0xEFu})
    for (unsigned trail = 0; trail < 256; ++trail)
      expect(t.pair(lead << 8 | trail) == 0, "lead " + hex(lead) + " is unassigned");

  expectPair(t, 0x815F, 0xFF3C);  // full-width reverse solidus, not U+005C
  expectPair(t, 0x8160, 0xFF5E);
  expectPair(t, 0x8790, 0x2252);
  expectPair(t, 0xFA40, 0x2170);
  expectPair(t, 0xFA5C, 0x7E8A);

  expectEncode(t, 0x2252, 0x81E0);
  expectEncode(t, 0x2235, 0x81E6);
  expectEncode(t, 0xFFE2, 0x81CA);
  expectEncode(t, 0x2160, 0x8754);
  expectEncode(t, 0x2170, 0xFA40);
  expectEncode(t, 0x2116, 0x8782);
  expectEncode(t, 0x7E8A, 0xFA5C);
  expectEncode(t, 0xE757, 0xF9FC);

  unsigned duplicates = 0;
  forEachCode(t, [&](unsigned code, char16_t c) {
    expect(c != 0 || code == 0, "no code but 0x00 decodes to U+0000");
    if (t.encode[c] != code) ++duplicates;
  });
  expect(duplicates == 398, "398 duplicate codes, found " + std::to_string(duplicates));
}

template <class Range>
void writeValues(std::ostream& out, const Range& values) {
  unsigned column = 0;
  for (unsigned v : values) {
    out << v << ',';
    if (++column % 24 == 0) out << '\n';
  }
  if (column % 24 != 0) out << '\n';
}

std::string render(const Tables& t) {
  std::ostringstream out;
  out << "// Generated by gencp932 from glibc iconv \"CP932\". Do not edit.\n"
         "#include \"doc/Cp932Table.h\"\n\n"
         "namespace wabunko::cp932 {\n\n"
         "const char16_t kSingle[256] = {\n";
  writeValues(out, t.single);
  out << "};\n\nconst char16_t kDouble[(kRowCount + 1) << 8] = {\n";
  for (const auto& row : t.pairs) writeValues(out, row);
  out << "};\n\nconst std::uint16_t kEncode[0x10000] = {\n";
  writeValues(out, t.encode);
  out << "};\n\nconst Duplicate kDuplicates[] = {\n";
  for (const Duplicate& d : t.duplicates) {
    out << '{' << unsigned(d.c) << ",{";
    for (unsigned code : d.codes) out << code << ',';
    out << "}},\n";
  }
  out << "};\nconst unsigned kDuplicateCount = " << t.duplicates.size() << ";\n\n"
      << "}  // namespace wabunko::cp932\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) fail("usage: gencp932 OUTPUT.cpp");
  Tables tables;
  {
    Cp932Decoder iconv;
    decodeSingles(iconv, tables);
    decodePairs(iconv, tables);
  }
  deriveEncode(tables);
  checkTables(tables);

  std::ofstream file(argv[1], std::ios::binary);
  file << render(tables);
  if (!file.flush()) fail(std::string("cannot write ") + argv[1]);
  return 0;
}
