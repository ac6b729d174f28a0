#include "doc/TextBridge.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

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

}  // namespace
}  // namespace wabunko
