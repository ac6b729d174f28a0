#include "search/ForwardSearch.h"

#include "platform/Utf16.h"
#include "search/TextMatch.h"

#include <QTextBlock>
#include <QTextDocument>

#include <climits>
#include <functional>

namespace wabunko {
namespace {

// Hands `found` each occurrence from `from` on that starts before `startBefore` and ends at
// or before `endBy`, one after the other without overlap, until `found` says to stop.
// Occurrences never span a paragraph break: the find string holds none.
void scanBlocks(const QTextDocument& document, const QString& what, int from, int startBefore, int endBy,
                bool matchCase, const std::function<bool(int)>& found) {
  for (QTextBlock block = document.findBlock(std::max(from, 0)); block.isValid() && block.position() < startBefore;
       block = block.next()) {
    const QString text = block.text();
    auto offset = static_cast<std::size_t>(std::max(0, from - block.position()));
    for (;;) {
      const std::size_t at = findText(utf16(text), utf16(what), offset, matchCase);
      if (at == std::u16string_view::npos) break;
      const int position = block.position() + static_cast<int>(at);
      if (position >= startBefore || position + what.size() > endBy || !found(position)) return;
      offset = at + static_cast<std::size_t>(what.size());
    }
  }
}

}  // namespace

std::optional<int> ForwardSearch::find(const QTextDocument& document, int from, const QString& what, bool matchCase) {
  std::optional<int> first;
  scan(document, from, what, matchCase, [&first](int at) {
    first = at;
    return false;
  });
  return first;
}

std::vector<int> ForwardSearch::findAll(const QTextDocument& document, int from, const QString& what, bool matchCase) {
  std::vector<int> all;
  scan(document, from, what, matchCase, [&all](int at) {
    all.push_back(at);
    return true;
  });
  return all;
}

void ForwardSearch::scan(const QTextDocument& document, int from, const QString& what, bool matchCase,
                         const std::function<bool(int)>& found) {
  if (what.isEmpty()) return;
  if (!running_) begin(from);
  bool more = true;
  if (!wrapped_) {
    scanBlocks(document, what, from, INT_MAX, INT_MAX, matchCase, [&](int at) {
      if (firstMatch_ < 0) firstMatch_ = at;
      return more = found(at);
    });
    if (!more) return;
    wrapped_ = true;
    from = 0;
  }
  scanBlocks(document, what, from, start_, firstMatch_ < 0 ? INT_MAX : firstMatch_, matchCase, found);
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
