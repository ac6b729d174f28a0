// libFuzzer target for the find matchers: findText and sameText over the edit control's
// text, the byte forms of the letter-case rule, the find-in-files matcher over code page
// 932 bytes (FileHits) and the upward search (UpwardSearch). Each is checked against a
// plain walk written from the rules in its header, for any text, find string, starting
// place and match-case setting; the byte matcher is also checked to find what findText
// finds where the text is plain code page 932, and the byte fold to be the text fold.
//
// Input: a flag byte (bit 0 match case, bit 1 characters from a small alphabet of the
// places where the rules change instead of raw UTF-16 units), then the starting place,
// the find string's length, the caret's line and offset and the width lines wrap at, then
// the characters: the find string first, the text after it.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "doc/TextBridge.h"
#include "search/FileHits.h"
#include "search/TextMatch.h"
#include "search/UpwardSearch.h"

namespace {

using namespace wabunko;

constexpr auto npos = std::string_view::npos;

void check(bool condition) {
  if (!condition) std::abort();
}

// The rules, one character at a time.
namespace plain {

char16_t fold(char16_t c) {
  const bool upper = (c >= u'A' && c <= u'Z') || (c >= u'Ａ' && c <= u'Ｚ');
  return upper ? static_cast<char16_t>(c + 0x20) : c;
}

bool same(std::u16string_view a, std::u16string_view b, bool matchCase) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (matchCase ? a[i] != b[i] : fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::size_t find(std::u16string_view haystack, std::u16string_view needle, std::size_t from, bool matchCase) {
  if (needle.empty()) return npos;
  for (std::size_t at = from; at + needle.size() <= haystack.size(); ++at) {
    if (same(haystack.substr(at, needle.size()), needle, matchCase)) return at;
  }
  return npos;
}

bool isLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Where the characters of code page 932 bytes start: a lead byte takes the byte after it.
std::vector<std::size_t> characterStarts(std::string_view bytes) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < bytes.size(); at += isLead(byteAt(bytes, at)) ? 2 : 1) starts.push_back(at);
  return starts;
}

bool isStart(std::string_view bytes, std::size_t at) {
  const std::vector<std::size_t> starts = characterStarts(bytes);
  return at == bytes.size() || std::ranges::binary_search(starts, at);
}

// A-Z as single bytes, Ａ-Ｚ as 82 60-82 79, become a-z and ａ-ｚ (82 81-82 9A).
std::string foldBytes(std::string_view bytes) {
  std::string out(bytes);
  for (const std::size_t at : characterStarts(bytes)) {
    const unsigned char c = byteAt(bytes, at);
    if (at + 1 < bytes.size() && isLead(c)) {
      const unsigned char trail = byteAt(bytes, at + 1);
      if (c == 0x82 && trail >= 0x60 && trail <= 0x79) out[at + 1] = static_cast<char>(trail + 0x21);
    } else if (c >= 'A' && c <= 'Z') {
      out[at] = static_cast<char>(c + 0x20);
    }
  }
  return out;
}

// Every character start of a paragraph where the (folded) needle stands.
std::vector<std::size_t> matches(std::string_view paragraph, std::string_view needle, bool matchCase) {
  if (needle.empty() || needle.find_first_of("\r\n") != npos) return {};
  const std::string text = matchCase ? std::string(paragraph) : foldBytes(paragraph);
  const std::string what = matchCase ? std::string(needle) : foldBytes(needle);
  std::vector<std::size_t> found;
  for (const std::size_t at : characterStarts(paragraph)) {
    if (text.compare(at, what.size(), what) == 0 && at + what.size() <= text.size()) found.push_back(at);
  }
  return found;
}

std::string excerpt(std::string_view paragraph, std::size_t match) {
  if (paragraph.size() <= kMaxExcerptBytes) return std::string(paragraph);
  std::size_t end = match;
  for (std::size_t at = match; at < paragraph.size();) {
    const std::size_t next = std::min(at + (isLead(byteAt(paragraph, at)) ? 2 : 1), paragraph.size());
    if (next - match > kMaxExcerptBytes) break;
    end = at = next;
  }
  return std::string(paragraph.substr(match, end - match));
}

std::vector<FileHit> findInText(std::string_view text, std::string_view needle, bool matchCase) {
  std::vector<FileHit> hits;
  int number = 1;
  for (std::size_t start = 0;; ++number) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    const std::string_view paragraph = text.substr(start, end - start);
    for (const std::size_t at : matches(paragraph, needle, matchCase)) hits.push_back({number, excerpt(paragraph, at)});
    if (end == text.size()) break;
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return hits;
}

std::size_t lastWholeCharacters(std::string_view stretch, std::string_view needle) {
  std::size_t found = npos;
  if (needle.empty()) return found;
  for (const std::size_t at : characterStarts(stretch)) {
    if (stretch.substr(at, needle.size()) == needle) found = at;
  }
  return found;
}

std::size_t tailStart(std::string_view line, std::size_t n) {
  if (n >= line.size()) return 0;
  for (const std::size_t at : characterStarts(line)) {
    if (at >= line.size() - n) return at;
  }
  return line.size();
}

bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Whether a character of UTF-16 text starts at `at`: not between the halves of a pair.
bool startsCharacter(std::u16string_view text, std::size_t at) {
  return at == 0 || at >= text.size() || !(isHigh(text[at - 1]) && isLow(text[at]));
}

}  // namespace plain

// The fold's forms agree with the rule and with one another over all of code page 932.
void checkFoldsOnce() {
  for (unsigned c = 0; c <= 0xFFFF; ++c)
    check(foldLetterCase(static_cast<char16_t>(c)) == plain::fold(static_cast<char16_t>(c)));
  for (unsigned lead = 0; lead < 256; ++lead) {
    const auto b = static_cast<unsigned char>(lead);
    check(foldLetterCaseByte(b) == (b >= 'A' && b <= 'Z' ? b + 0x20 : b));
    for (unsigned trail = 0; trail < 256; ++trail) {
      const auto t = static_cast<unsigned char>(trail);
      check(foldLetterCaseTrail(b, t) == (b == 0x82 && t >= 0x60 && t <= 0x79 ? t + 0x21 : t));
      const char pair[2] = {static_cast<char>(b), static_cast<char>(t)};
      const char folded[2] = {static_cast<char>(b), static_cast<char>(foldLetterCaseTrail(b, t))};
      const std::u16string text = TextBridge::toUnicode(std::string_view(pair, 2));
      if (plain::isLead(b) && text.size() == 1)
        check(TextBridge::toUnicode(std::string_view(folded, 2)) == std::u16string(1, plain::fold(text[0])));
    }
    const char single = static_cast<char>(foldLetterCaseByte(b));
    const std::u16string text = TextBridge::toUnicode(std::string_view(reinterpret_cast<const char*>(&b), 1));
    if (!plain::isLead(b))
      check(TextBridge::toUnicode(std::string_view(&single, 1)) == std::u16string(1, plain::fold(text[0])));
  }
}

void checkTextMatch(std::u16string_view haystack, std::u16string_view needle, std::size_t from, bool matchCase) {
  const std::size_t found = findText(haystack, needle, from, matchCase);
  check(found == plain::find(haystack, needle, from, matchCase));
  if (found != npos) check(sameText(haystack.substr(found, needle.size()), needle, matchCase));
  check(sameText(haystack, needle, matchCase) == plain::same(haystack, needle, matchCase));
  const std::u16string_view prefix = haystack.substr(0, std::min(needle.size(), haystack.size()));
  check(sameText(prefix, needle, matchCase) == plain::same(prefix, needle, matchCase));
}

void checkFileHits(std::string_view text, std::string_view needle, bool matchCase) {
  const std::string_view paragraph = text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
  check(matchesInParagraph(paragraph, needle, matchCase) == plain::matches(paragraph, needle, matchCase));
  const std::vector<FileHit> hits = findInText(text, needle, matchCase);
  check(hits == plain::findInText(text, needle, matchCase));
  if (!text.starts_with("{\\rtf")) {
    check(findInFile(text, needle, matchCase) == hits);
    return;
  }
  int lastParagraph = 1;
  for (const FileHit& hit : findInFile(text, needle, matchCase)) {
    check(hit.paragraph >= lastParagraph && hit.excerpt.size() <= std::max(kMaxExcerptBytes, text.size()));
    lastParagraph = hit.paragraph;
  }
}

// Where the text is plain code page 932, the byte matcher's matches are the places where
// the text matches as findText matches it, overlapping ones included.
void checkBytesFindWhatTextFinds(std::u16string_view haystack, std::u16string_view needle, bool matchCase) {
  const auto plainText = [](std::u16string_view text) {
    return TextBridge::countUnencodable(text) == 0 && std::ranges::none_of(text, [](char16_t c) {
             return c == u'\r' || c == u'\n' ||
                    (c >= TextBridge::kInvalidByteBase && c <= TextBridge::kInvalidByteBase + 0xFF);
           });
  };
  if (needle.empty() || !plainText(haystack) || !plainText(needle)) return;
  std::vector<std::size_t> want;
  for (std::size_t at = 0; at + needle.size() <= haystack.size(); ++at) {
    if (plain::same(haystack.substr(at, needle.size()), needle, matchCase)) want.push_back(at);
  }
  const std::string bytes = TextBridge::toShiftJis(haystack);
  const std::vector<std::size_t> starts = plain::characterStarts(bytes);
  check(starts.size() == haystack.size());
  std::vector<std::size_t> got;
  for (const std::size_t at : matchesInParagraph(bytes, TextBridge::toShiftJis(needle), matchCase))
    got.push_back(static_cast<std::size_t>(std::ranges::lower_bound(starts, at) - starts.begin()));
  check(got == want);
}

void checkUpwardParts(std::string_view stretch, std::string_view needle, std::size_t n) {
  check(findLastWholeCharacters(stretch, needle) == plain::lastWholeCharacters(stretch, needle));
  const std::size_t tail = tailStart(stretch, n);
  check(tail == plain::tailStart(stretch, n));
  check(tail <= stretch.size() && plain::isStart(stretch, tail));
}

// Display lines made from a text: paragraphs at LF, each wrapped at a width (never between
// the halves of a pair), a paragraph break taking one position as in the edit control.
class Lines : public UpwardLines {
public:
  Lines(std::u16string_view text, std::size_t width) {
    int position = 0;
    for (std::size_t start = 0;;) {
      const std::size_t end = std::min(text.find(u'\n', start), text.size());
      std::size_t at = start;
      do {
        std::size_t cut = std::min(at + width, end);
        if (cut < end && !plain::startsCharacter(text, cut)) ++cut;
        texts_.emplace_back(text.substr(at, cut - at));
        starts_.push_back(position + static_cast<int>(at - start));
        at = cut;
      } while (at < end);
      paragraphs_.push_back({position, text.substr(start, end - start), texts_.size()});
      if (end == text.size()) break;
      position += static_cast<int>(end - start) + 1;
      start = end + 1;
    }
  }
  int count() const { return static_cast<int>(texts_.size()); }
  std::u16string text(int line) const override { return texts_.at(static_cast<std::size_t>(line)); }
  int start(int line) const override { return starts_.at(static_cast<std::size_t>(line)); }

  // The rule: the last occurrence before the caret in the caret's paragraph, else in the
  // nearest paragraph above that holds one; an occurrence starts and ends on characters.
  std::optional<int> lastBefore(int caretLine, int caret, std::u16string_view needle) const {
    std::size_t paragraph = 0;
    while (paragraphs_[paragraph].lineEnd <= static_cast<std::size_t>(caretLine)) ++paragraph;
    const int lineStart = start(caretLine);
    const int cut = std::clamp(caret, lineStart, lineStart + static_cast<int>(text(caretLine).size()));
    for (std::size_t p = paragraph + 1; p-- > 0;) {
      std::u16string_view whole = paragraphs_[p].text;
      if (p == paragraph) whole = whole.substr(0, static_cast<std::size_t>(cut - paragraphs_[p].start));
      for (std::size_t at = whole.size() + 1; at-- > 0;) {
        if (at + needle.size() <= whole.size() && whole.substr(at, needle.size()) == needle &&
            plain::startsCharacter(whole, at) && plain::startsCharacter(whole, at + needle.size()))
          return paragraphs_[p].start + static_cast<int>(at);
      }
    }
    return std::nullopt;
  }

private:
  struct Paragraph {
    int start;
    std::u16string_view text;
    std::size_t lineEnd;  // one past its last display line
  };
  std::vector<std::u16string> texts_;
  std::vector<int> starts_;
  std::vector<Paragraph> paragraphs_;
};

void checkUpward(std::u16string_view text, std::u16string_view needle, std::size_t width, unsigned lineByte,
                 int caretOffset) {
  const Lines lines(text, width);
  const int caretLine = static_cast<int>(lineByte % static_cast<unsigned>(lines.count()));
  const int caret = lines.start(caretLine) + caretOffset;
  const std::optional<int> found = findUpward(lines, caretLine, caret, needle);
  check(found == (needle.empty() ? std::nullopt : lines.lastBefore(caretLine, caret, needle)));
  check(!findUpward(lines, -1, caret, needle));
}

// Characters at the edges of the rules: around A-Z, a-z and their full-width forms, kana
// of both widths, a kanji, a character code page 932 cannot hold, pair halves, invalid-byte
// characters standing for a lead byte and a single byte, and the line ends.
constexpr std::array<std::u16string_view, 32> kAlphabet = {
    u"A",  u"B",  u"Z",  u"a",  u"b",      u"z",      u"@",      u"[",      u"`",  u"{",  u"Ａ",
    u"Ｂ", u"Ｚ", u"ａ", u"ｂ", u"ｚ",     u"＠",     u"［",     u"｀",     u"｛", u"あ", u"ア",
    u"ｱ",  u"日", u"é",  u"😀",  u"\xD83D", u"\xDE00", u"\xF782", u"\xF780", u"\n", u"\r"};

class Input {
public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  unsigned byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string_view rest() const { return {reinterpret_cast<const char*>(data_ + at_), size_ - at_}; }
  std::u16string units(bool fromAlphabet) {
    std::u16string out;
    while (at_ < size_) {
      if (fromAlphabet) {
        out += kAlphabet[byte() % kAlphabet.size()];
      } else {
        const unsigned low = byte();
        out += static_cast<char16_t>(low | byte() << 8);
      }
    }
    return out;
  }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool foldsChecked = (checkFoldsOnce(), true);
  (void)foldsChecked;
  Input in(data, size);
  const unsigned flags = in.byte();
  const bool matchCase = flags & 1;
  const std::size_t from = in.byte();
  const std::size_t needleLength = in.byte() % 24;
  const unsigned lineByte = in.byte();
  const int caretOffset = static_cast<int>(in.byte()) - 4;
  const std::size_t width = 1 + in.byte() % 12;

  // The bytes as they stand, for the byte matchers.
  const std::string_view bytes = in.rest();
  const std::string_view byteNeedle = bytes.substr(0, std::min(needleLength, bytes.size()));
  const std::string_view byteText = bytes.substr(byteNeedle.size());
  checkFileHits(byteText, byteNeedle, matchCase);
  checkUpwardParts(byteText, byteNeedle, needleLength);

  // The characters, kept below what one side table holds.
  std::u16string units = in.units(flags & 2);
  units.resize(std::min<std::size_t>(units.size(), 600));
  const std::u16string_view needle = std::u16string_view(units).substr(0, std::min(needleLength, units.size()));
  const std::u16string_view haystack = std::u16string_view(units).substr(needle.size());
  checkTextMatch(haystack, needle, from, matchCase);
  checkBytesFindWhatTextFinds(haystack, needle, matchCase);
  checkFileHits(TextBridge::toShiftJis(haystack), TextBridge::toShiftJis(needle), matchCase);
  checkUpward(haystack, needle, width, lineByte, caretOffset);
  return 0;
}
