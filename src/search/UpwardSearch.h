#pragma once
// Searching upward from the caret over code page 932 bytes, one display line at a time.
//
// For each line, going up from the caret's, the stretch searched is the tail of the text
// above (as many bytes as the find string has, from as many lines up as that takes, so an
// occurrence that wraps split is found) followed by the line itself, for the caret's line
// only the part before the caret. The last occurrence in the first stretch that holds one
// is the match. A paragraph break between two lines is not part of either line's text, so
// the tail is taken only from lines that wrap into this one: an occurrence never spans a
// paragraph break.
// Matching is case-sensitive and by whole characters: an occurrence never starts on the
// trail byte of a double-byte character.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wabunko {

// A lead byte of code page 932: it and the byte after it are one character.
inline bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The start of the last occurrence of `needle` in `stretch` that begins on a character
// boundary (the stretch itself begins on one); npos when there is none.
std::size_t findLastWholeCharacters(std::string_view stretch, std::string_view needle);

// Where the last `n` bytes of `line` begin, moved forward to the next character boundary
// when that place is a trail byte.
std::size_t tailStart(std::string_view line, std::size_t n);

class UpwardLines {
public:
  virtual ~UpwardLines() = default;
  // The text of a display line without its line break, and the position of its first
  // character in the whole text.
  virtual std::u16string text(int line) const = 0;
  virtual int start(int line) const = 0;
};

// The position of the match for `needle`, searching upward from `caret` (a position in
// `caretLine`); nothing when there is none or `needle` is empty.
std::optional<int> findUpward(const UpwardLines& lines, int caretLine, int caret, std::u16string_view needle);

}  // namespace wabunko
