#include "DisplayLineIndex.h"

#include <algorithm>

namespace wabunko {
namespace {

constexpr char16_t kLineBreak = u'\u2028';
constexpr char16_t kParagraphBreak = u'\u2029';

std::size_t at(int i) { return static_cast<std::size_t>(i); }

}  // namespace

void DisplayLineIndex::reset(int paragraphs) {
  counts_.assign(at(std::max(paragraphs, 0)), 0);
  lines_.assign(counts_.size(), 1);
  knownBelow_ = 0;
}

void DisplayLineIndex::replace(int first, int removed, int inserted) {
  knownBelow_ = std::min(knownBelow_, first);
  const auto begin = counts_.begin() + first;
  counts_.insert(counts_.erase(begin, begin + removed), at(inserted), 0);
  lines_.replace(at(first), at(removed), at(inserted), 1);
}

int DisplayLineIndex::firstUnknown() const {
  const auto found = std::find(counts_.begin() + knownBelow_, counts_.end(), 0);
  knownBelow_ = static_cast<int>(found - counts_.begin());
  return found == counts_.end() ? -1 : knownBelow_;
}

int DisplayLineIndex::unknownRunEnd(int first, int limit) const {
  limit = std::min(limit, paragraphCount() - 1);
  int last = first;
  while (last < limit && counts_[at(last + 1)] == 0) ++last;
  return last;
}

void DisplayLineIndex::setLines(int first, std::span<const int> lines) {
  std::vector<int> counts(lines.begin(), lines.end());
  for (int& count : counts) count = std::max(count, 1);
  std::copy(counts.begin(), counts.end(), counts_.begin() + first);
  lines_.set(at(first), std::span<const int>(counts));
}

int DisplayLineIndex::linesBefore(int paragraph) const {
  return lines_.sumBefore(at(std::clamp(paragraph, 0, paragraphCount())));
}

DisplayLineIndex::Place DisplayLineIndex::locate(int line) const {
  // The longest run of paragraphs from the start whose lines do not pass `line`.
  const auto place = lines_.locate(line);
  return {static_cast<int>(place.index), place.rest};
}

int unwrappedLineCount(std::u16string_view paragraph) {
  return 1 + static_cast<int>(std::count(paragraph.begin(), paragraph.end(), kLineBreak));
}

std::vector<int> unwrappedLineStarts(std::u16string_view paragraph) {
  std::vector<int> starts{0};
  for (std::size_t i = 0; i < paragraph.size(); ++i)
    if (paragraph[i] == kLineBreak) starts.push_back(static_cast<int>(i + 1));
  return starts;
}

std::vector<int> unwrappedLineCounts(std::u16string_view text) {
  std::vector<int> counts{1};
  for (const char16_t c : text) {
    if (c == kParagraphBreak) counts.push_back(1);
    else if (c == kLineBreak) ++counts.back();
  }
  return counts;
}

}  // namespace wabunko
