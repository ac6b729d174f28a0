#include "doc/TextBridge.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace wabunko {
namespace {

std::string bytesOf(std::initializer_list<unsigned> values) {
  std::string bytes;
  for (unsigned v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

std::string codeBytes(unsigned code) {
  return code < 0x100 ? bytesOf({code}) : bytesOf({code >> 8, code & 0xFF});
}

std::u16string invalidByte(unsigned byte) {
  return std::u16string(1, static_cast<char16_t>(TextBridge::kInvalidByteBase + byte));
}

TEST(TextBridge, KnownMappingsConvertBothWays) {
  struct Case {
    unsigned code;
    char16_t c;
  };
  const Case cases[] = {
      {0x41, u'A'},       {0x00, 0x0000},     {0x5C, 0x005C},  // backslash, not a yen sign
      {0x7E, 0x007E},     {0x1A, 0x001A},     {0x1C, 0x001C},     {0x7F, 0x007F},
      {0xA1, 0xFF61},     {0xB1, 0xFF71},     {0xDF, 0xFF9F},  // half-width katakana
      {0x82A0, 0x3042},   {0x889F, 0x4E9C},   {0x9FFC, 0x6ECC},   {0xEAA4, 0x7199},
      {0x815F, 0xFF3C},   {0x8160, 0xFF5E},   {0x8161, 0x2225},   {0x817C, 0xFF0D},
      {0x8191, 0xFFE0},   {0x8192, 0xFFE1},   {0x81CA, 0xFFE2},
      {0x8740, 0x2460},   {0x8754, 0x2160},   {0x8782, 0x2116},   {0x8793, 0x222E},  // NEC row 13
      {0xFA40, 0x2170},   {0xFA5C, 0x7E8A},   {0xFC4B, 0x9ED1},  // IBM extension
      {0xF040, 0xE000},   {0xF9FC, 0xE757},  // user-defined area
      {0x80, 0x0080},     {0xA0, 0xF8F0},     {0xFD, 0xF8F1},     {0xFE, 0xF8F2},
      {0xFF, 0xF8F3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << c.code);
    const std::u16string text(1, c.c);
    EXPECT_EQ(TextBridge::toUnicode(codeBytes(c.code)), text);
    EXPECT_EQ(TextBridge::toShiftJis(text), codeBytes(c.code));
  }
}

TEST(TextBridge, DuplicateCodesEncodeToThePreferredCode) {
  struct Case {
    unsigned code;
    char16_t c;
    unsigned preferred;
  };
  const Case cases[] = {
      {0x8790, 0x2252, 0x81E0}, {0x879A, 0x2235, 0x81E6}, {0xFA5B, 0x2235, 0x81E6},
      {0xEEF9, 0xFFE2, 0x81CA}, {0xFA54, 0xFFE2, 0x81CA}, {0xFA4A, 0x2160, 0x8754},
      {0xEEEF, 0x2170, 0xFA40}, {0xFA59, 0x2116, 0x8782}, {0xED40, 0x7E8A, 0xFA5C},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << c.code);
    EXPECT_EQ(TextBridge::toUnicode(codeBytes(c.code)), std::u16string(1, c.c));
    EXPECT_EQ(TextBridge::toShiftJis(std::u16string(1, c.c)), codeBytes(c.preferred));
  }
}

TEST(TextBridge, InvalidAndNulBytesRoundTrip) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {bytesOf({0x85, 0x40}), invalidByte(0x85) + u"@"},  // unassigned lead
      {bytesOf({0x82, 0x40}), invalidByte(0x82) + u"@"},  // unassigned pair
      {bytesOf({0x81, 0x20}), invalidByte(0x81) + u" "},  // trail out of range
      {bytesOf({0x81, 0x7F}), invalidByte(0x81) + u"\x7F"},
      {bytesOf({0x82, 0xFD}), invalidByte(0x82) + u"\xF8F1"},  // the trail decodes alone
      {bytesOf({0x85, 0x82, 0xA0}), invalidByte(0x85) + u"\x3042"},
      {bytesOf({0x41, 0x81}), u"A" + invalidByte(0x81)},  // lead at the end
      // 0x81 0x87 is a pair, so the preferred 0x87 0x55 must not follow the lone 0x81.
      {bytesOf({0x81, 0xFA, 0x4B}), invalidByte(0x81) + u"\x2161"},
      {std::string("a\0b\0", 4), std::u16string(u"a\0b\0", 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(TextBridge::toUnicode(c.bytes), c.text);
    EXPECT_EQ(TextBridge::toShiftJis(c.text), c.bytes);
  }
}

// Every byte string comes back unchanged from a round trip, except that a duplicate code
// may come back as another code of its character.
class RoundTrip : public testing::Test {
protected:
  static void SetUpTestSuite() {
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        const std::string code = bytesOf({lead, trail});
        const std::u16string text = TextBridge::toUnicode(code);
        if (text.size() == 1 && TextBridge::toShiftJis(text) != code) duplicates_.insert(code);
      }
    }
  }

  static void expectRoundTrip(const std::string& bytes) {
    const std::u16string text = TextBridge::toUnicode(bytes);
    const std::string back = TextBridge::toShiftJis(text);
    if (back == bytes) return;
    EXPECT_EQ(TextBridge::toUnicode(back), text) << testing::PrintToString(bytes);
    EXPECT_TRUE(onlyDuplicatesDiffer(bytes, back)) << testing::PrintToString(bytes);
  }

  static std::set<std::string> duplicates_;

private:
  static bool onlyDuplicatesDiffer(const std::string& bytes, const std::string& back) {
    if (bytes.size() != back.size()) return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == back[i]) continue;
      const std::size_t start = i > 0 && sameCharacterAt(bytes, back, i - 1) ? i - 1 : i;
      if (!sameCharacterAt(bytes, back, start)) return false;
      i = start + 1;
    }
    return true;
  }

  static bool sameCharacterAt(const std::string& bytes, const std::string& back, std::size_t i) {
    const std::string code = bytes.substr(i, 2);
    return duplicates_.count(code) &&
           TextBridge::toUnicode(back.substr(i, 2)) == TextBridge::toUnicode(code);
  }
};
std::set<std::string> RoundTrip::duplicates_;

TEST_F(RoundTrip, ThereAre398DuplicateCodes) { EXPECT_EQ(duplicates_.size(), 398u); }

TEST_F(RoundTrip, EveryOneAndTwoByteString) {
  for (unsigned first = 0; first < 256; ++first) {
    expectRoundTrip(bytesOf({first}));
    for (unsigned second = 0; second < 256; ++second) expectRoundTrip(bytesOf({first, second}));
  }
}

TEST_F(RoundTrip, RandomStrings) {
  std::mt19937 rng(932);
  for (int n = 0; n < 20000; ++n) {
    std::string bytes(rng() % 200, '\0');
    for (char& b : bytes) b = static_cast<char>(rng());
    expectRoundTrip(bytes);
  }
}

// Long input is decoded in blocks; every character must come out as it does alone.
TEST(TextBridge, LongInputDecodesAsCharacterByCharacter) {
  std::mt19937 rng(5);
  auto byteIn = [&](unsigned first, unsigned last) {
    return static_cast<char>(first + rng() % (last - first + 1));
  };
  for (int n = 0; n < 500; ++n) {
    std::string bytes;
    const std::size_t length = rng() % 700;
    while (bytes.size() < length) {
      switch (rng() % 4) {
        case 0: bytes.append(rng() % 80, byteIn(0x20, 0x7E)); break;   // ASCII runs
        case 1: bytes += byteIn(0x81, 0x9F); break;                      // lead bytes
        case 2: bytes += byteIn(0x80, 0xFF); break;
        default: bytes += byteIn(0x00, 0xFF); break;
      }
    }
    std::u16string expected;
    for (std::size_t i = 0; i < bytes.size();) {
      const std::u16string pair = TextBridge::toUnicode(bytes.substr(i, 2));
      const bool isPair = i + 1 < bytes.size() && pair.size() == 1;
      expected += isPair ? pair : TextBridge::toUnicode(bytes.substr(i, 1));
      i += isPair ? 2 : 1;
    }
    ASSERT_EQ(TextBridge::toUnicode(bytes), expected) << testing::PrintToString(bytes);
  }
}

TEST(TextBridge, UnencodableCharactersAreCountedOncePerCharacter) {
  struct Case {
    std::u16string text;
    std::string bytes;
    std::size_t unencodable;
  };
  const Case cases[] = {
      {u"abc", "abc", 0},
      {u"\x3042" + invalidByte(0x81), bytesOf({0x82, 0xA0, 0x81}), 0},
      {u"\xD55C", "?", 1},                   // Hangul
      {u"\x00A5", "?", 1},                   // yen sign: 0x5C is the backslash
      {u"a\U0001F600b", "a?b", 1},           // a surrogate pair is one character
      {std::u16string(1, 0xD800) + u"x", "?x", 1},  // unpaired surrogates
      {u"x" + std::u16string(1, 0xDC00), "x?", 1},
      {std::u16string{0xDC00, 0xD800}, "??", 2},
      {u"\x3042\U0001F600\xD55C", bytesOf({0x82, 0xA0, '?', '?'}), 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    std::size_t unencodable = 99;
    EXPECT_EQ(TextBridge::toShiftJis(c.text, &unencodable), c.bytes);
    EXPECT_EQ(unencodable, c.unencodable);
    EXPECT_EQ(TextBridge::countUnencodable(c.text), c.unencodable);
  }
}

TEST(TextBridgeSideTable, RestoresWhatCodePage932CannotHold) {
  const std::u16string text = u"日本\U0001F600한글\U0001F600" + invalidByte(0x81) +
                              std::u16string(1, 0xD800) + u"\\~\xFF71\xE000";
  TextBridge bridge;
  const std::string bytes = bridge.toBytes(text);
  // Side codes in first-seen order; the second emoji reuses its code.
  EXPECT_EQ(bytes, bytesOf({0x93, 0xFA, 0x96, 0x7B, 0x85, 0x40, 0x85, 0x41, 0x85, 0x42, 0x85,
                            0x40, 0x85, 0x43, 0x85, 0x44, 0x5C, 0x7E, 0xB1, 0xF0, 0x40}));
  EXPECT_EQ(bridge.fromBytes(bytes), text);
  EXPECT_EQ(bridge.toBytes(u"글"), bytesOf({0x85, 0x42}));
  EXPECT_EQ(bridge.lost(), 0u);
}

TEST(TextBridgeSideTable, BytesThatAreNotSideCodesDecodeAsFileBytes) {
  TextBridge bridge;
  bridge.toBytes(u"한");
  for (const std::string& bytes : {bytesOf({0x85, 0x41}), bytesOf({0x86, 0x40, 0x81}),
                                   bytesOf({0x82, 0xA0, 0xEF}), bytesOf({0x85, 0x7F})}) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    EXPECT_EQ(bridge.fromBytes(bytes), TextBridge::toUnicode(bytes));
  }
}

TEST(TextBridgeSideTable, PastItsRoomFurtherCharactersAreLost) {
  std::u16string text;
  for (char16_t c = 0xAC00; c < 0xAC00 + 1000; ++c) text.push_back(c);  // Hangul syllables
  TextBridge bridge;
  const std::string bytes = bridge.toBytes(text);
  EXPECT_EQ(bridge.lost(), 60u);
  ASSERT_EQ(bytes.size(), 940u * 2 + 60);
  EXPECT_EQ(bytes.substr(939 * 2, 2), bytesOf({0xEF, 0xFC}));  // the last side code

  const std::u16string back = bridge.fromBytes(bytes);
  EXPECT_EQ(back, text.substr(0, 940) + std::u16string(60, u'?'));
  EXPECT_EQ(bridge.toBytes(text.substr(0, 940)), bytes.substr(0, 940 * 2));  // still stable
  EXPECT_EQ(bridge.lost(), 60u);
}

// `count` distinct characters code page 932 cannot hold (CJK Extension A), from the
// `first`-th on.
std::u16string unmapped(unsigned first, unsigned count) {
  std::u16string text;
  for (unsigned i = 0; i < count; ++i) text.push_back(static_cast<char16_t>(0x3400 + first + i));
  return text;
}

// Lines of 100 distinct characters each, `count` lines, joined by CR LF.
std::u16string linesOf100(unsigned count) {
  std::u16string text;
  for (unsigned i = 0; i < count; ++i) text += (i ? u"\r\n" : u"") + unmapped(100 * i, 100);
  return text;
}

TEST(TextBridgeLineRuns, CutsBetweenLinesSoEachRunFitsOneSideTable) {
  using Runs = std::vector<std::u16string>;
  const std::u16string twenty = linesOf100(20);
  const std::size_t nineLines = 9 * 102;  // 100 characters and CR LF each
  const std::u16string line940 = unmapped(0, 940);
  const std::u16string a = unmapped(0, 500), b = unmapped(500, 500), c500 = unmapped(1000, 500);
  struct Case {
    const char* name;
    std::u16string text;
    std::u16string shared;
    std::optional<Runs> runs;
  };
  const Case cases[] = {
      {"empty text", u"", u"", Runs{u""}},
      {"what fits stays whole", linesOf100(9) + u"\r\n", u"", Runs{linesOf100(9) + u"\r\n"}},
      {"2,000 characters", twenty, u"",
       Runs{twenty.substr(0, nineLines), twenty.substr(nineLines, nineLines), twenty.substr(2 * nineLines)}},
      {"a final line end stays with the last line", twenty + u"\r\n", u"",
       Runs{twenty.substr(0, nineLines), twenty.substr(nineLines, nineLines),
            twenty.substr(2 * nineLines) + u"\r\n"}},
      {"a character seen before costs nothing", line940 + u"\r\n" + line940, u"", Runs{line940 + u"\r\n" + line940}},
      {"lone CR and LF end lines, CR LF is not cut", a + u"\r" + b + u"\n" + c500 + u"\r\n" + a, u"",
       Runs{a + u"\r", b + u"\n", c500 + u"\r\n", a}},
      {"a pair of surrogates is one character", unmapped(0, 938) + u"\U0001F600" + invalidByte(0x85), u"",
       Runs{unmapped(0, 938) + u"\U0001F600" + invalidByte(0x85)}},
      {"an invalid-byte character takes room", unmapped(0, 939) + u"\U0001F600" + invalidByte(0x85), u"",
       std::nullopt},
      {"one line of 941 does not fit", unmapped(0, 941), u"", std::nullopt},
      {"nor with lines around it", u"a\r\n" + unmapped(0, 941) + u"\r\nb", u"", std::nullopt},
      {"the shared characters are in every run", line940 + u"\r\n" + line940, u"\xD55C", std::nullopt},
      {"the shared characters are counted once", u"\xD55C" + line940.substr(1) + u"\r\nx", u"\xD55C",
       Runs{u"\xD55C" + line940.substr(1) + u"\r\nx"}},
      {"shared characters alone past the room", u"", unmapped(0, 941), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto runs = TextBridge::lineRuns(c.text, c.shared);
    ASSERT_EQ(runs.has_value(), c.runs.has_value());
    if (!runs) continue;
    EXPECT_EQ(Runs(runs->begin(), runs->end()), *c.runs);
    for (const std::u16string_view run : *runs) {
      TextBridge bridge;
      bridge.toBytes(c.shared);
      EXPECT_EQ(bridge.fromBytes(bridge.toBytes(run)), run);
      EXPECT_EQ(bridge.lost(), 0u);
    }
  }
}

TEST(TextBridgeDecodeFileBytes, DecodesTheBytesAroundCharactersTheyCannotHold) {
  std::vector<std::string> parts;
  const auto upper = [&parts](std::string_view bytes) {
    parts.emplace_back(bytes);
    std::string out(bytes);
    for (char& c : out) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return out;
  };
  // Far more than one side table holds: none is needed.
  const std::u16string many = unmapped(0, 2000);
  EXPECT_EQ(TextBridge::decodeFileBytes(u"ab\U0001F600c" + many + u"d\x3042" + invalidByte(0x85) + u"e", upper),
            u"AB\U0001F600C" + many + u"D\x3042" + invalidByte(0x85) + u"E");
  EXPECT_EQ(parts, (std::vector<std::string>{"ab", "c", bytesOf({'d', 0x82, 0xA0, 0x85, 'e'})}));
  EXPECT_EQ(TextBridge::decodeFileBytes(u"", upper), u"");
  EXPECT_EQ(parts.size(), 3u);  // nothing to decode
}

}  // namespace
}  // namespace wabunko
