#pragma once
// Display lines of a text held as paragraphs: how many lines each paragraph shows, with
// running totals, for an edit control that learns a paragraph's count only once the
// paragraph is laid out. Lookups in both directions (paragraph -> first line, line ->
// paragraph) take O(log n) over running sums; paragraphs inserted or changed become
// "unknown" until measured again.
//
// An unknown paragraph counts as one line, the least it can show. So a line looked up
// over unknown paragraphs lands at or after the paragraph that really holds it, and the
// caller knows how far it must measure before the answer is exact (see locate()).

#include "RunningSums.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace wabunko {

class DisplayLineIndex {
public:
  explicit DisplayLineIndex(int paragraphs = 1) { reset(paragraphs); }

  // `paragraphs` paragraphs, none measured.
  void reset(int paragraphs);
  // Paragraphs [first, first + removed) are replaced by `inserted` unmeasured ones.
  void replace(int first, int removed, int inserted);

  int paragraphCount() const { return static_cast<int>(counts_.size()); }
  // The first unmeasured paragraph, or -1 when all are measured.
  int firstUnknown() const;
  // The last paragraph of the unmeasured run that starts at `first`, at most `limit`.
  int unknownRunEnd(int first, int limit) const;
  // Records the measured counts of paragraphs first, first + 1, ... (each at least 1).
  void setLines(int first, std::span<const int> lines);

  // Lines of the paragraphs before `paragraph` (an unmeasured one counts 1).
  int linesBefore(int paragraph) const;
  int totalLines() const { return linesBefore(paragraphCount()); }

  // The paragraph showing display line `line` and the line's number inside it; past the
  // last line the paragraph is paragraphCount().
  struct Place {
    int paragraph = 0;
    int lineInParagraph = 0;
    bool operator==(const Place&) const = default;
  };
  Place locate(int line) const;

private:
  std::vector<int> counts_;  // 0: unknown
  // The lines each paragraph counts: its own, or 1 while unknown.
  RunningSums<int> lines_;
  // Every paragraph before this one is measured.
  mutable int knownBelow_ = 0;
};

// Lines of a paragraph that does not wrap: one, plus one for each forced line break
// (U+2028) in it.
int unwrappedLineCount(std::u16string_view paragraph);
// The offsets where the lines of a paragraph that does not wrap begin (the first is 0).
std::vector<int> unwrappedLineStarts(std::u16string_view paragraph);
// Line counts of each paragraph of `text`, whose paragraphs are separated by U+2029.
std::vector<int> unwrappedLineCounts(std::u16string_view text);

// Length of the display line [start, end) of a paragraph without the forced line break
// (U+2028) that may end it; `lastChar` is the character at end - 1.
inline int lengthWithoutBreak(int start, int end, char16_t lastChar) {
  return end - start - (end > start && lastChar == u'\u2028' ? 1 : 0);
}

}  // namespace wabunko
