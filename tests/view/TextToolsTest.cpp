#include "view/TextTools.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace wabunko {
namespace {

// Shift-JIS characters used below. Adjacent literals keep a hex escape from running into
// the next character.
#define FW_A "\x82\x60"      // full-width A
#define FW_B "\x82\x61"      // full-width B
#define FW_C "\x82\x62"      // full-width C
#define FW_SMALL_A "\x82\x81"  // full-width a: its trail byte is also a lead byte
#define FW_SPACE "\x81\x40"  // full-width space
#define FW_STOP "\x81\x42"   // full-width full stop
#define KANJI_E0 "\xE0\x40"  // JIS level-2 kanji
#define KANJI_EA "\xEA\xA4"
#define KANJI_9F "\x88\x9F"  // trail byte inside the lead range

struct BreakCase {
  const char* name;
  int lineLength;
  std::string text;
  std::string expected;
};

TEST(BreakLines, BreaksAfterTheLineLengthWithoutSplittingCharacters) {
  const BreakCase cases[] = {
      {"double-byte ending at the length takes one more single byte", 4, FW_A FW_B "ab",
       FW_A FW_B "a\r\nb"},
      {"double-byte starting at the length moves down", 4, FW_A FW_B FW_C, FW_A FW_B "\r\n" FW_C},
      {"one short of the length stays", 4, "abc\r\nd", "abc\r\nd"},
      {"exactly the length is followed by an empty line", 4, "abcd\r\nx", "abcd\r\n\r\nx"},
      {"line ends restart the count", 3, "ab\r\nab\r\nabc", "ab\r\nab\r\nabc\r\n"},
      {"level-2 kanji", 3, KANJI_E0 KANJI_E0 KANJI_E0, KANJI_E0 "\r\n" KANJI_E0 "\r\n" KANJI_E0},
      {"level-2 kanji after an odd column", 4, "a" KANJI_EA KANJI_EA, "a" KANJI_EA "\r\n" KANJI_EA},
      {"trail bytes in the lead range", 4, KANJI_9F KANJI_9F KANJI_9F,
       KANJI_9F KANJI_9F "\r\n" KANJI_9F},
      {"empty text", 4, "", ""},
      {"length 0 breaks after every single byte", 0, "ab", "a\r\nb\r\n"},
      {"length 0 puts no empty line before a double-byte character", 0, FW_A FW_B,
       FW_A "\r\n" FW_B},
  };
  for (const BreakCase& c : cases) EXPECT_EQ(breakLines(c.text, c.lineLength), c.expected) << c.name;
}

// Every line of `text` ends on a character boundary.
bool linesEndOnCharacters(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      i += 2;
      continue;
    }
    i += (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
    if (i > text.size() || (i < text.size() && text[i] == '\n')) return false;
  }
  return true;
}

std::string withoutCrLf(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 2);
  return text;
}

TEST(BreakLines, OnlyAddsLineEndsBetweenWholeCharacters) {
  const std::string text = "a" FW_A "b" KANJI_9F KANJI_E0 "cd" FW_SMALL_A "@" KANJI_EA "e" FW_B;
  for (int length = 0; length <= 10; ++length) {
    const std::string broken = breakLines(text, length);
    EXPECT_EQ(withoutCrLf(broken), text) << length;
    EXPECT_TRUE(linesEndOnCharacters(broken)) << length;
  }
}

struct TrimCase {
  const char* name;
  std::string text;
  std::string expected;
  bool startsText = true;
};

TEST(RemoveTrailingBlanks, RemovesTheBlanksBeforeEachLineEnd) {
  const TrimCase cases[] = {
      {"spaces and tabs", "abc  \r\ndef\t\r\n", "abc\r\ndef\r\n"},
      {"a run of all three blanks", "x \t" FW_SPACE " \r\ny", "x\r\ny"},
      {"full-width space after a double-byte character", FW_A FW_SPACE "\r\n", FW_A "\r\n"},
      {"last line without a line end", "abc \t", "abc"},
      {"no line end is added", "abc", "abc"},
      {"a final line end is kept", "abc \r\n", "abc\r\n"},
      {"blank lines become empty", "x\r\n  \r\n\t" FW_SPACE "\r\n", "x\r\n\r\n\r\n"},
      {"blanks inside a line stay", " a b" FW_SPACE "c\td", " a b" FW_SPACE "c\td"},
      {"full-width full stop stays", "a" FW_STOP "\r\n", "a" FW_STOP "\r\n"},
      {"at sign stays", "a@\r\n", "a@\r\n"},
      {"at sign after a trail byte 0x81 stays", FW_SMALL_A "@\r\n", FW_SMALL_A "@\r\n"},
      {"space as the first byte stays", " ", " "},
      {"tab as the first byte stays, the rest goes", "\t \t\r\nx", "\t\r\nx"},
      {"full-width space as the first character goes", FW_SPACE, ""},
      {"empty text", "", ""},
      {"later lines of a text: a space as their first byte goes", " \r\nx ", "\r\nx", false},
      {"later lines of a text: so does a tab", "\t \t\r\nx", "\r\nx", false},
  };
  for (const TrimCase& c : cases)
    EXPECT_EQ(removeTrailingBlanks(c.text, c.startsText), c.expected) << c.name;
}

TEST(RemoveTrailingBlanks, ASecondUseChangesNothing) {
  const std::string once = removeTrailingBlanks("a \r\nb" FW_SPACE "\r\n\r\n");
  EXPECT_EQ(removeTrailingBlanks(once), once);
}

struct PrefixCase {
  const char* name;
  std::string text;
  std::size_t selStart;
  std::size_t selEnd;
  std::string prefix;
  std::string expected;
};

TEST(PrefixLines, MarksEveryLineOfTheSelection) {
  const PrefixCase cases[] = {
      {"selection ending at a line start marks that line", "a\r\nb\r\nc", 0, 3, ">",
       ">a\r\n>b\r\nc"},
      {"caret inside a line marks that line", "ab\r\ncd", 1, 1, "> ", "> ab\r\ncd"},
      {"from the middle of one line to the middle of another", "ab\r\ncd\r\nef\r\ngh", 5, 9, ">",
       "ab\r\n>cd\r\n>ef\r\ngh"},
      {"selection after the final line end", "a\r\n", 3, 3, ">", "a\r\n>"},
      {"empty text", "", 0, 0, ">", ">"},
      {"double-byte prefix and text", FW_A "\r\n" FW_B, 0, 4, FW_C, FW_C FW_A "\r\n" FW_C FW_B},
      {"lone LF and CR end lines too", "a\nb\rc", 0, 4, ">", ">a\n>b\r>c"},
      {"empty prefix", "a\r\nb", 0, 3, "", "a\r\nb"},
      // Each clipboard line ends up in front of the old line, and the lines the inserted
      // text makes are not marked again.
      {"prefix of two lines", "L0\r\nL1\r\nL2", 0, 4, "c1\r\nc2",
       "c1\r\nc2L0\r\nc1\r\nc2L1\r\nL2"},
      {"prefix ending in a line end", "L0\r\nL1", 0, 4, "c\r\n", "c\r\nL0\r\nc\r\nL1"},
      {"prefix with a lone CR", "L0\r\nL1", 0, 4, "c\r", "c\rL0\r\nc\rL1"},
  };
  for (const PrefixCase& c : cases)
    EXPECT_EQ(prefixLines(c.text, c.selStart, c.selEnd, c.prefix), c.expected) << c.name;
}

TEST(SignatureText, EndsAtTheFirstNul) {
  using namespace std::string_literals;
  EXPECT_EQ(signatureText("--\r\nName"), "--\r\nName");
  EXPECT_EQ(signatureText("--\r\nName\0junk"s), "--\r\nName");
  EXPECT_EQ(signatureText("\0junk"s), "");
  EXPECT_EQ(signatureText(""), "");
}

TEST(ClipRecord, HoldsPathCommandPositionAndText) {
  EXPECT_EQ(clipRecord("/home/u/memo.txt", 12, "cut" FW_A "\r\n"),
            "\\WabunkoClipFormat/home/u/memo.txt\tCut\t12\tcut" FW_A "\r\n");
  EXPECT_EQ(clipRecord("", 0, ""), "\\WabunkoClipFormat\tCut\t0\t");
}

}  // namespace
}  // namespace wabunko
