#include "DisplayLineIndex.h"

#include <algorithm>
#include <bit>

namespace wabunko {
namespace {

constexpr char16_t kLineBreak = u'\u2028';
constexpr char16_t kParagraphBreak = u'\u2029';

std::size_t at(int i) { return static_cast<std::size_t>(i); }

}  // namespace

void DisplayLineIndex::reset(int paragraphs) {
  counts_.assign(at(std::max(paragraphs, 0)), 0);
  stale_ = true;
  knownBelow_ = 0;
}

void DisplayLineIndex::replace(int first, int removed, int inserted) {
  knownBelow_ = std::min(knownBelow_, first);
  const auto begin = counts_.begin() + first;
  if (removed == inserted && !stale_ && removed < 64) {
    // The usual edit inside paragraphs: the tree follows point by point.
    for (int i = first; i < first + removed; ++i) add(i, 1 - lines(i));
    std::fill(begin, begin + removed, 0);
    return;
  }
  counts_.insert(counts_.erase(begin, begin + removed), at(inserted), 0);
  stale_ = true;
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
  // Point updates cost log n each; past a point rebuilding the whole tree is cheaper.
  const bool rebuildLater = stale_ || lines.size() > counts_.size() / 16;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int paragraph = first + static_cast<int>(i);
    const int count = std::max(lines[i], 1);
    if (!rebuildLater) add(paragraph, count - this->lines(paragraph));
    counts_[at(paragraph)] = count;
  }
  if (rebuildLater) stale_ = true;
}

int DisplayLineIndex::linesBefore(int paragraph) const {
  if (stale_) rebuild();
  int sum = 0;
  for (int i = std::clamp(paragraph, 0, paragraphCount()); i > 0; i &= i - 1) sum += tree_[at(i)];
  return sum;
}

DisplayLineIndex::Place DisplayLineIndex::locate(int line) const {
  if (stale_) rebuild();
  // Descend the tree: the longest prefix of paragraphs whose lines do not pass `line`.
  int paragraph = 0;
  int rest = std::max(line, 0);
  const int n = paragraphCount();
  for (int step = n > 0 ? static_cast<int>(std::bit_floor(static_cast<unsigned>(n))) : 0; step > 0; step >>= 1) {
    const int next = paragraph + step;
    if (next <= n && tree_[at(next)] <= rest) {
      paragraph = next;
      rest -= tree_[at(next)];
    }
  }
  return {paragraph, rest};
}

void DisplayLineIndex::rebuild() const {
  const std::size_t n = counts_.size();
  tree_.assign(n + 1, 0);
  for (std::size_t i = 1; i <= n; ++i) {
    tree_[i] += valueOf(counts_[i - 1]);
    const std::size_t parent = i + (i & (~i + 1));
    if (parent <= n) tree_[parent] += tree_[i];
  }
  stale_ = false;
}

void DisplayLineIndex::add(int paragraph, int delta) {
  if (delta == 0) return;
  const std::size_t n = counts_.size();
  for (std::size_t i = at(paragraph) + 1; i <= n; i += i & (~i + 1)) tree_[i] += delta;
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
