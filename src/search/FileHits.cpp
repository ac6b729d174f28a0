#include "search/FileHits.h"

#include "doc/CharCodes.h"
#include "doc/TextBridge.h"
#include "doc/rtf/RtfReader.h"
#include "search/TextMatch.h"
#include "search/UpwardSearch.h"

#include <algorithm>
#include <cstring>

// A search covers whole folder trees, so the work per byte is kept to the library's own
// scans (memmem, memchr): candidates are found on the raw bytes, and only then is it
// checked that a candidate starts on a character and which paragraph holds it, each by
// going on from where the last check stopped.

namespace wabunko {
namespace {

constexpr std::size_t npos = std::string_view::npos;

unsigned char byteAt(std::string_view text, std::size_t at) { return static_cast<unsigned char>(text[at]); }

std::size_t find(std::string_view text, std::string_view bytes, std::size_t from) {
  if (from >= text.size()) return npos;
  const void* found = memmem(text.data() + from, text.size() - from, bytes.data(), bytes.size());
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : npos;
}

// The one other spelling, under the letter-case rule, of a character already folded
// (`folded` is its one or two bytes); empty when it has none.
std::string otherCase(std::string_view folded) {
  std::string other(folded);
  if (folded.size() == 1) {
    other[0] = static_cast<char>(byteAt(folded, 0) ^ 0x20);  // a-z sit 0x20 above A-Z
    if (foldLetterCaseByte(byteAt(other, 0)) != byteAt(folded, 0)) return {};
  } else {
    other[1] = static_cast<char>(byteAt(folded, 1) - 0x21);  // ａ-ｚ sit 0x21 above Ａ-Ｚ
    if (foldLetterCaseTrail(byteAt(folded, 0), byteAt(other, 1)) != byteAt(folded, 1)) return {};
  }
  return other == folded ? std::string() : other;
}

// Where a needle's bytes stand in one text, under the letter-case rule, whether or not
// the place starts a character. Asked with places that never go back.
class NeedleScan {
public:
  NeedleScan(std::string_view needle, bool matchCase) {
    if (needle.empty() || needle.find_first_of("\r\n") != npos) return;
    std::size_t firstLetter = npos;  // where the first letter with two cases starts
    std::string firstLetterOther;    // that letter in its other case
    for (std::size_t at = 0; at < needle.size();) {
      const bool pair = isLeadByte(byteAt(needle, at)) && at + 1 < needle.size();
      std::string character(needle.substr(at, pair ? 2 : 1));
      if (pair)
        character[1] = static_cast<char>(foldLetterCaseTrail(byteAt(character, 0), byteAt(character, 1)));
      else
        character[0] = static_cast<char>(foldLetterCaseByte(byteAt(character, 0)));
      if (firstLetter == npos && !matchCase) {
        firstLetterOther = otherCase(character);
        if (!firstLetterOther.empty()) firstLetter = at;
      }
      pairStarts_.push_back(pair);
      if (pair) pairStarts_.push_back(false);
      folded_ += character;
      at += character.size();
    }
    fold_ = firstLetter != npos;
    if (!fold_) {
      folded_ = needle;
      keys_.push_back({folded_});
    } else if (firstLetter > 0) {
      keys_.push_back({folded_.substr(0, firstLetter)});  // the text before the letters
    } else {
      keys_.push_back({folded_.substr(0, firstLetterOther.size())});
      keys_.push_back({firstLetterOther});
    }
  }

  // The first place at or after `from`; npos when there is none.
  std::size_t next(std::string_view text, std::size_t from) {
    if (keys_.empty()) return npos;
    for (;;) {
      std::size_t at = npos;
      for (Key& key : keys_) {
        if (!key.started || key.next < from) key.next = find(text, key.bytes, from);
        key.started = true;
        at = std::min(at, key.next);
      }
      if (at == npos || !fold_ || sameAt(text, at)) return at;
      from = at + 1;
    }
  }

private:
  struct Key {
    std::string bytes;
    std::size_t next = npos;  // its first place at or after the last place asked; npos: none
    bool started = false;
  };

  // Whether the needle stands at `at`, taking `at` as the start of a character: a
  // double-byte character of the needle then lies over one of the text's.
  bool sameAt(std::string_view text, std::size_t at) const {
    if (text.size() - at < folded_.size()) return false;
    for (std::size_t i = 0; i < folded_.size(); ++i) {
      const unsigned char c = byteAt(text, at + i);
      if (pairStarts_[i]) {
        if (c != byteAt(folded_, i) || foldLetterCaseTrail(c, byteAt(text, at + i + 1)) != byteAt(folded_, i + 1))
          return false;
        ++i;
      } else if (foldLetterCaseByte(c) != byteAt(folded_, i)) {
        return false;
      }
    }
    return true;
  }

  std::string folded_;             // the needle, its letters folded when case does not count
  std::vector<bool> pairStarts_;   // by byte of the needle: a double-byte character starts here
  bool fold_ = false;
  std::vector<Key> keys_;          // none: the needle matches nowhere
};

// Whether places of a text start a character, asked in ascending order: each answer
// goes on from the last character start found.
class CharacterStarts {
public:
  explicit CharacterStarts(std::string_view text) : text_(text) {}
  // `at` is known to start a character (a paragraph does).
  void knownAt(std::size_t at) { known_ = std::max(known_, at); }
  bool startsCharacter(std::size_t at) {
    while (known_ < at) known_ += isLeadByte(byteAt(text_, known_)) ? 2 : 1;
    return known_ == at;
  }

private:
  std::string_view text_;
  std::size_t known_ = 0;
};

// The paragraph that holds a place of a text, asked in ascending order of places that
// are no line ends. CR and LF are never the trail byte of a double-byte character.
class Paragraphs {
public:
  explicit Paragraphs(std::string_view text) : text_(text), cr_(findByte('\r', 0)), lf_(findByte('\n', 0)) {}

  void reach(std::size_t at) {
    for (std::size_t end = this->end(); end < at; end = this->end()) {
      start_ = end + (byteAt(text_, end) == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1);
      ++number_;
      if (cr_ < start_) cr_ = findByte('\r', start_);
      if (lf_ < start_) lf_ = findByte('\n', start_);
    }
  }
  int number() const { return number_; }
  std::size_t start() const { return start_; }
  std::size_t end() const { return std::min(cr_, lf_); }

private:
  std::size_t findByte(char c, std::size_t from) const {
    const void* found = std::memchr(text_.data() + from, c, text_.size() - from);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data()) : text_.size();
  }

  std::string_view text_;
  std::size_t cr_, lf_;  // the next of each at or after start_; the text's size when none
  std::size_t start_ = 0;
  int number_ = 1;
};

std::string excerpt(std::string_view paragraph, std::size_t match) {
  if (paragraph.size() <= kMaxExcerptBytes) return std::string(paragraph);
  std::size_t end = match;
  while (end < paragraph.size()) {
    const std::size_t next = std::min(end + (isLeadByte(byteAt(paragraph, end)) ? 2 : 1), paragraph.size());
    if (next - match > kMaxExcerptBytes) break;
    end = next;
  }
  return std::string(paragraph.substr(match, end - match));
}

// Offers `accept` every place of `text` where the needle's bytes stand; it says whether
// the place starts a character. The next search starts one character after each match,
// so overlapping matches all count.
template <typename Accept>
void forEachMatch(std::string_view text, NeedleScan& scan, Accept&& accept) {
  for (std::size_t at = scan.next(text, 0); at != npos;) {
    const bool match = accept(at);
    at = scan.next(text, at + (match && isLeadByte(byteAt(text, at)) ? 2 : 1));
  }
}

}  // namespace

std::vector<std::size_t> matchesInParagraph(std::string_view paragraph, std::string_view needle, bool matchCase) {
  NeedleScan scan(needle, matchCase);
  CharacterStarts starts(paragraph);
  std::vector<std::size_t> matches;
  forEachMatch(paragraph, scan, [&](std::size_t at) {
    if (!starts.startsCharacter(at)) return false;
    matches.push_back(at);
    return true;
  });
  return matches;
}

std::vector<FileHit> findInText(std::string_view text, std::string_view needle, bool matchCase) {
  NeedleScan scan(needle, matchCase);
  CharacterStarts starts(text);
  Paragraphs paragraphs(text);
  std::vector<FileHit> hits;
  forEachMatch(text, scan, [&](std::size_t at) {
    paragraphs.reach(at);
    starts.knownAt(paragraphs.start());
    if (!starts.startsCharacter(at)) return false;
    const std::size_t start = paragraphs.start();
    hits.push_back({paragraphs.number(), excerpt(text.substr(start, paragraphs.end() - start), at - start)});
    return true;
  });
  return hits;
}

std::vector<FileHit> findInFile(std::string_view bytes, std::string_view needle, bool matchCase) {
  if (!IsRichTextFile(bytes)) return findInText(bytes, needle, matchCase);
  // The paragraphs one to a line. A line break inside a paragraph stays one character, a
  // space, and so do the rare line ends an escape puts into a run: paragraphs are
  // numbered and searched as the view shows them.
  const rtf::RtfReadResult read = rtf::readRtf(bytes);
  std::u16string text;
  for (const rtf::Paragraph& paragraph : read.document.paragraphs) {
    for (const rtf::Run& run : paragraph.runs) {
      const std::size_t start = text.size();
      text += run.text;
      std::replace_if(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                      [](char16_t c) { return c == rtf::kLineBreak || c == u'\r' || c == u'\n'; }, u' ');
    }
    text += u'\n';
  }
  return findInText(TextBridge::toShiftJis(text), needle, matchCase);
}

}  // namespace wabunko
