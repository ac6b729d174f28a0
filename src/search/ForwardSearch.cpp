#include "search/ForwardSearch.h"

#include "search/TextMatch.h"

#include <QTextBlock>
#include <QTextDocument>

#include <climits>

namespace wabunko {
namespace {

std::u16string_view view(const QString& s) { return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())}; }

// The first occurrence starting at or after `from` and before `startBefore` that ends at
// or before `endBy`. Occurrences never span a paragraph break: the find string holds none.
std::optional<int> findInBlocks(const QTextDocument& document, const QString& what, int from, int startBefore,
                                int endBy, bool matchCase) {
  for (QTextBlock block = document.findBlock(std::max(from, 0)); block.isValid() && block.position() < startBefore;
       block = block.next()) {
    const QString text = block.text();
    const int offset = std::max(0, from - block.position());
    const std::size_t at = findText(view(text), view(what), static_cast<std::size_t>(offset), matchCase);
    if (at == std::u16string_view::npos) continue;
    const int position = block.position() + static_cast<int>(at);
    if (position >= startBefore || position + what.size() > endBy) return std::nullopt;
    return position;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> ForwardSearch::find(const QTextDocument& document, int from, const QString& what, bool matchCase) {
  if (what.isEmpty()) return std::nullopt;
  if (!running_) begin(from);
  if (!wrapped_) {
    if (const auto found = findInBlocks(document, what, from, INT_MAX, INT_MAX, matchCase)) {
      if (firstMatch_ < 0) firstMatch_ = *found;
      return found;
    }
    wrapped_ = true;
    from = 0;
  }
  return findInBlocks(document, what, from, start_, firstMatch_ < 0 ? INT_MAX : firstMatch_, matchCase);
}

void ForwardSearch::begin(int start, int firstMatch) {
  running_ = true;
  wrapped_ = false;
  start_ = start;
  firstMatch_ = firstMatch;
}

void ForwardSearch::shift(int at, int delta) {
  if (at < start_) start_ += delta;
  if (firstMatch_ >= 0 && at < firstMatch_) firstMatch_ += delta;
}

}  // namespace wabunko
