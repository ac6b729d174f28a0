#include "TextBridge.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <unordered_set>

#include "doc/Cp932Table.h"

namespace wabunko {
namespace {

constexpr bool isInvalidByteChar(char32_t c) {
  return c >= TextBridge::kInvalidByteBase && c <= TextBridge::kInvalidByteBase + 0xFF;
}
constexpr bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The side table's codes: lead bytes code page 932 leaves unassigned, each with its 188
// valid trail bytes.
constexpr std::array<unsigned char, 5> kSideLeads{0x85, 0x86, 0xEB, 0xEC, 0xEF};
constexpr unsigned kTrailsPerLead = 188;
static_assert(TextBridge::kSideCapacity == kSideLeads.size() * kTrailsPerLead);
constexpr int kNotSideLead = -1;

constexpr std::array<int, 256> makeSideLeadSlots() {
  std::array<int, 256> slots{};
  slots.fill(kNotSideLead);
  for (std::size_t i = 0; i < kSideLeads.size(); ++i) slots[kSideLeads[i]] = static_cast<int>(i);
  return slots;
}
constexpr std::array<int, 256> kSideLeadSlot = makeSideLeadSlots();

std::uint16_t sideCode(std::size_t index) {
  const unsigned trail = index % kTrailsPerLead;
  return static_cast<std::uint16_t>(kSideLeads[index / kTrailsPerLead] << 8 |
                                    (trail < 0x3F ? 0x40 + trail : 0x41 + trail));
}

// Side-table index of lead/trail, or -1 when the pair is not a side-table code.
long sideIndex(unsigned lead, unsigned trail) {
  const int slot = kSideLeadSlot[lead];
  if (slot == kNotSideLead || trail < 0x40 || trail > 0xFC || trail == 0x7F) return -1;
  return static_cast<long>(slot) * kTrailsPerLead + (trail < 0x7F ? trail - 0x40 : trail - 0x41);
}

char16_t* putChar(char16_t* out, char32_t c) {
  if (c < 0x10000) {
    *out++ = static_cast<char16_t>(c);
  } else {
    *out++ = static_cast<char16_t>(0xD7C0 + (c >> 10));
    *out++ = static_cast<char16_t>(0xDC00 | (c & 0x3FF));
  }
  return out;
}

// Conversions write through a small buffer appended to a reserved string: pre-sizing the
// string instead would zero (and fault in) twice the memory the text needs.
constexpr std::size_t kChunk = 4096;
constexpr std::size_t kChunkSlack = 72;  // the most one step writes past its chunk

// Decoding goes 64 bytes at a time: finding where characters start is the serial part, and
// doing it with bit operations on a block keeps it off the path of each character.
constexpr std::size_t kBlock = 64;
constexpr std::uint64_t kEvenBits = 0x5555555555555555u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;
constexpr std::uint64_t kEachByte = 0x0101010101010101u;

static_assert(std::endian::native == std::endian::little, "byte k of a word is bits 8k..8k+7");

std::uint64_t load64(const unsigned char* in) {
  std::uint64_t word;
  std::memcpy(&word, in, 8);
  return word;
}

bool isAsciiBlock(const unsigned char* in) {
  std::uint64_t any = 0;
  for (std::size_t k = 0; k < kBlock; k += 8) any |= load64(in + k);
  return (any & kHighBits) == 0;
}

// Bit k is set when in[k] is a lead byte. Flipping bit 5 puts the leads at 0xA1-0xDC; the
// additions test the low seven bits against 0x21 and 0x5D without carrying between bytes.
std::uint64_t leadBits(const unsigned char* in) {
  std::uint64_t bits = 0;
  for (std::size_t k = 0; k < kBlock; k += 8) {
    const std::uint64_t x = load64(in + k) ^ (0x20 * kEachByte);
    const std::uint64_t low = x & ~kHighBits;
    const std::uint64_t lead = x & (low + 0x5F * kEachByte) & ~(low + 0x23 * kEachByte) & kHighBits;
    bits |= (((lead >> 7) * 0x0102040810204080u) >> 56) << k;
  }
  return bits;
}

// Bit k is set when in[k] is the trail of a pair, given the lead bits of a block that starts
// a character. A run of lead-range bytes alternates lead, trail, lead, ... from its first
// byte, so the trails are the odd places of each run and the byte after a run of odd
// length. Adding the run starts at even places clears exactly the runs that start there.
// `trailAfter` tells whether the byte after the block is a trail.
std::uint64_t trailBits(std::uint64_t lead, bool& trailAfter) {
  const std::uint64_t runStarts = lead & ~(lead << 1);
  const std::uint64_t evenRuns = lead & ~(lead + (runStarts & kEvenBits));
  const std::uint64_t oddRuns = lead ^ evenRuns;
  trailAfter = (oddRuns >> 63) != 0;
  return ((evenRuns << 1) & ~kEvenBits) | ((oddRuns << 1) & kEvenBits);
}

// Where each byte's row starts in kDouble.
constexpr std::array<std::uint16_t, 256> makeRowStarts() {
  std::array<std::uint16_t, 256> starts{};
  for (unsigned b = 0; b < 256; ++b) starts[b] = static_cast<std::uint16_t>(cp932::rowOf(b) << 8);
  return starts;
}
constexpr std::array<std::uint16_t, 256> kRowStart = makeRowStarts();

// The character byte b starts when `trail` follows it: a lead byte reads its pair and 0 as
// its single, any other byte the empty row and its single, so nothing branches on single
// versus double bytes, which Japanese text mixes at random. 0 means a NUL byte or a lead
// byte whose pair is not assigned.
[[gnu::always_inline]] inline unsigned charAt(unsigned b, unsigned trail) {
  return cp932::kDouble[kRowStart[b] | trail] | cp932::kSingle[b];
}

// Decodes code page 932 bytes. A lead byte whose pair is not in the table is offered to
// `unmapped(lead, trail, out)` first (the side table), which returns the new output
// position, or nullptr when it does not know the pair; a byte nobody decodes becomes an
// invalid-byte character and decoding goes on with the next byte.
template <class Unmapped>
class Decoder {
public:
  Decoder(std::string_view bytes, Unmapped& unmapped)
      : in_(reinterpret_cast<const unsigned char*>(bytes.data())), size_(bytes.size()),
        unmapped_(unmapped) {}

  std::u16string run() {
    std::u16string text;
    text.reserve(size_);  // never more units than bytes
    char16_t buffer[kChunk + kChunkSlack];
    std::size_t i = 0;
    while (i < size_) {
      const std::size_t stop = std::min(size_, i + kChunk);
      char16_t* out = buffer;
      while (i < stop) i += size_ - i > kBlock ? block(i, out) : character(i, out);
      text.append(buffer, out);
    }
    return text;
  }

private:
  // Decodes the block at i and the trail of a pair it ends in; returns the bytes taken. It
  // stops after an unassigned pair, whose second byte starts the next character.
  std::size_t block(std::size_t i, char16_t*& out) {
    const unsigned char* in = in_ + i;
    if (isAsciiBlock(in)) {
      for (std::size_t k = 0; k < kBlock; ++k) out[k] = in[k];
      out += kBlock;
      return kBlock;
    }
    bool trailAfter = false;
    std::uint64_t starts = ~trailBits(leadBits(in), trailAfter);
    while (starts != 0) {
      const auto k = static_cast<std::size_t>(std::countr_zero(starts));
      starts &= starts - 1;
      const unsigned c = charAt(in[k], in[k + 1]);
      if (c == 0 && in[k] != 0) return k + unassigned(in[k], in[k + 1], out);
      *out++ = static_cast<char16_t>(c);
    }
    return kBlock + trailAfter;
  }

  std::size_t character(std::size_t i, char16_t*& out) {
    const unsigned b = in_[i];
    const unsigned trail = i + 1 < size_ ? in_[i + 1] : 0;
    const unsigned c = charAt(b, trail);
    if (c == 0 && b != 0) return unassigned(b, trail, out);
    *out++ = static_cast<char16_t>(c);
    return cp932::isLead(b) ? 2 : 1;
  }

  std::size_t unassigned(unsigned lead, unsigned trail, char16_t*& out) {
    if (char16_t* after = unmapped_(lead, trail, out)) {
      out = after;
      return 2;
    }
    *out++ = static_cast<char16_t>(TextBridge::kInvalidByteBase + lead);
    return 1;
  }

  const unsigned char* in_;
  std::size_t size_;
  Unmapped& unmapped_;
};

// Encodes text to code page 932, at most two bytes per UTF-16 unit. Every character the
// table cannot hold goes to `sink.other(c, out, next, end)` whole: an invalid-byte
// character, a surrogate pair as one code point, an unpaired surrogate as itself. The sink
// may take one more character from `next`.
template <class Sink>
std::string encode(std::u16string_view text, Sink& sink) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  char buffer[2 * kChunk + kChunkSlack];
  const char16_t* in = text.data();
  const char16_t* const end = in + text.size();
  while (in < end) {
    const char16_t* const stop = in + std::min<std::size_t>(end - in, kChunk);
    char* out = buffer;
    while (in < stop) {
      const char16_t c = *in++;
      const unsigned code = cp932::kEncode[c];
      if (code == 0 && c != 0) {
        if (isHighSurrogate(c) && in < end && isLowSurrogate(*in)) {
          const char32_t pair = 0x10000 + ((c - 0xD800) << 10) + (in[0] - 0xDC00);
          out = sink.other(pair, out, ++in, end);
        } else {
          out = sink.other(c, out, in, end);
        }
        continue;
      }
      // Both bytes are written always; a single byte's second one is overwritten next.
      const bool two = code >= 0x100;
      out[0] = static_cast<char>(two ? code >> 8 : code);
      out[1] = static_cast<char>(code);
      out += 1 + two;
    }
    bytes.append(buffer, out);
  }
  return bytes;
}

unsigned firstByte(unsigned code) { return code >= 0x100 ? code >> 8 : code; }

char* putCode(char* out, unsigned code) {
  if (code >= 0x100) *out++ = static_cast<char>(code >> 8);
  *out++ = static_cast<char>(code);
  return out;
}

bool formsPair(unsigned lead, unsigned trail) {
  return cp932::kDouble[cp932::rowOf(lead) << 8 | trail] != 0;
}

const cp932::Duplicate* duplicateOf(char16_t c) {
  const cp932::Duplicate* end = cp932::kDuplicates + cp932::kDuplicateCount;
  const cp932::Duplicate* found = std::lower_bound(
      cp932::kDuplicates, end, c, [](const cp932::Duplicate& d, char16_t x) { return d.c < x; });
  return found != end && found->c == c ? found : nullptr;
}

// The bytes written for a file. An invalid lead byte stood alone in the file because the
// code after it did not pair with it; when that code was a duplicate, its preferred code
// might pair with it and swallow it, so the first code of the character that does not is
// written instead.
struct FileSink {
  std::size_t unencodable = 0;

  char* other(char32_t c, char* out, const char16_t*& next, const char16_t* end) {
    if (!isInvalidByteChar(c)) {
      *out++ = '?';
      ++unencodable;
      return out;
    }
    const unsigned byte = c - TextBridge::kInvalidByteBase;
    *out++ = static_cast<char>(byte);
    if (next == end || !cp932::isLead(byte)) return out;
    const cp932::Duplicate* duplicate = duplicateOf(*next);
    if (!duplicate) return out;
    ++next;
    for (const unsigned code : duplicate->codes)
      if (code != 0 && !formsPair(byte, firstByte(code))) return putCode(out, code);
    return putCode(out, duplicate->codes[0]);
  }
};

constexpr std::size_t unitsOf(char32_t c) { return c > 0xFFFF ? 2 : 1; }

// A character that reaches the side table: one code page 932 cannot hold, or an
// invalid-byte character; `at` is where it starts in the text.
struct SideChar {
  std::size_t at;
  char32_t c;
};

std::vector<SideChar> sideCharsOf(std::u16string_view text) {
  struct Finder {
    const char16_t* begin;
    std::vector<SideChar> found;
    char* other(char32_t c, char* out, const char16_t*& next, const char16_t*) {
      found.push_back({static_cast<std::size_t>(next - begin) - unitsOf(c), c});
      return out;
    }
  } finder{text.data(), {}};
  encode(text, finder);
  return std::move(finder.found);
}

// Where the line that starts at `from` ends.
std::size_t lineEnd(std::u16string_view text, std::size_t from) {
  const std::size_t end = text.find_first_of(u"\r\n", from);
  if (end == std::u16string_view::npos) return text.size();
  return end + (text.substr(end, 2) == u"\r\n" ? 2 : 1);
}

}  // namespace

std::u16string TextBridge::toUnicode(std::string_view bytes) {
  auto none = [](unsigned, unsigned, char16_t*) -> char16_t* { return nullptr; };
  return Decoder(bytes, none).run();
}

std::string TextBridge::toShiftJis(std::u16string_view text, std::size_t* unencodable) {
  FileSink sink;
  std::string bytes = encode(text, sink);
  if (unencodable) *unencodable = sink.unencodable;
  return bytes;
}

std::size_t TextBridge::countUnencodable(std::u16string_view text) {
  std::size_t unencodable = 0;
  toShiftJis(text, &unencodable);
  return unencodable;
}

std::string TextBridge::toBytes(std::u16string_view text) {
  struct SideSink {
    TextBridge& bridge;
    char* other(char32_t c, char* out, const char16_t*&, const char16_t*) {
      auto found = bridge.codeOf_.find(c);
      if (found == bridge.codeOf_.end()) {
        if (bridge.charOf_.size() == TextBridge::kSideCapacity) {
          ++bridge.lost_;
          *out++ = '?';
          return out;
        }
        found = bridge.codeOf_.emplace(c, sideCode(bridge.charOf_.size())).first;
        bridge.charOf_.push_back(c);
      }
      *out++ = static_cast<char>(found->second >> 8);
      *out++ = static_cast<char>(found->second);
      return out;
    }
  } sink{*this};
  return encode(text, sink);
}

std::u16string TextBridge::fromBytes(std::string_view bytes) const {
  auto sideChar = [this](unsigned lead, unsigned trail, char16_t* out) -> char16_t* {
    const long index = sideIndex(lead, trail);
    if (index < 0 || static_cast<std::size_t>(index) >= charOf_.size()) return nullptr;
    return putChar(out, charOf_[static_cast<std::size_t>(index)]);
  };
  return Decoder(bytes, sideChar).run();
}

std::optional<std::vector<std::u16string_view>> TextBridge::lineRuns(std::u16string_view text,
                                                                     std::u16string_view shared) {
  std::unordered_set<char32_t> sharedChars;
  for (const SideChar& s : sideCharsOf(shared)) sharedChars.insert(s.c);
  if (sharedChars.size() > kSideCapacity) return std::nullopt;
  const std::vector<SideChar> sideChars = sideCharsOf(text);
  auto next = sideChars.begin();
  std::unordered_set<char32_t> inRun = sharedChars;
  std::vector<std::u16string_view> runs;
  std::size_t runStart = 0;
  for (std::size_t line = 0; line < text.size();) {
    const std::size_t end = lineEnd(text, line);
    const auto first = next;
    next = std::find_if(first, sideChars.end(), [end](const SideChar& s) { return s.at >= end; });
    const auto fits = [&] {
      for (auto s = first; s != next; ++s) inRun.insert(s->c);
      return inRun.size() <= kSideCapacity;
    };
    if (!fits()) {
      inRun = sharedChars;
      if (line == runStart || !fits()) return std::nullopt;
      runs.push_back(text.substr(runStart, line - runStart));
      runStart = line;
    }
    line = end;
  }
  runs.push_back(text.substr(runStart));
  return runs;
}

std::u16string TextBridge::decodeFileBytes(std::u16string_view text, const Decoding& decode) {
  std::u16string out;
  std::size_t from = 0;
  const auto decodeUpTo = [&](std::size_t to) {
    if (to > from) out += toUnicode(decode(toShiftJis(text.substr(from, to - from))));
  };
  for (const SideChar& s : sideCharsOf(text)) {
    if (isInvalidByteChar(s.c)) continue;
    decodeUpTo(s.at);
    from = s.at + unitsOf(s.c);
    out += text.substr(s.at, from - s.at);
  }
  decodeUpTo(text.size());
  return out;
}

}  // namespace wabunko
