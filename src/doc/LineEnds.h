#pragma once
// Line ends of a plain-text file, remembered line by line so that a file opened and saved
// unchanged keeps its bytes (CR LF, LF, CR or a mix of them).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wabunko {

enum class LineEnd : std::uint8_t { None = 0, CrLf = 1, Lf = 2, Cr = 3 };

struct SplitLines {
  std::u16string text;         // the lines joined by u'\n'
  std::vector<LineEnd> ends;   // one per line; the last line's is always None
};

// Splits at CR LF, LF and CR, remembering which one ended each line.
SplitLines splitLines(std::u16string_view text);

// Joins lines given as text joined by u'\n': line i ends in ends[i]; a line whose entry is
// missing or None takes `fallback`; the last line gets no line end.
std::u16string joinLines(std::u16string_view joinedByLf, std::span<const LineEnd> ends,
                         LineEnd fallback);

// The line end used most often (ties: CR LF, then LF, then CR); CR LF when there is none.
LineEnd mostCommonLineEnd(std::span<const LineEnd> ends);

std::u16string_view lineEndText(LineEnd end);

}  // namespace wabunko
