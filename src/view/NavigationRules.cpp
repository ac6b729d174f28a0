#include "view/NavigationRules.h"

#include <algorithm>

namespace wabunko {

namespace {
constexpr int kEnd = -1;
constexpr int kSelectionLine = -1;
}  // namespace

Selection NavigationRules::selectFromTop() const { return {0, model_.selection().end}; }

Selection NavigationRules::selectToEnd() const { return {model_.selection().start, kEnd}; }

Selection NavigationRules::selectFromLineStart() const {
  return {model_.lineStart(kSelectionLine), model_.selection().end};
}

Selection NavigationRules::selectToLineEnd() const {
  return {model_.selection().start, model_.lineStart(model_.lineOf(kSelectionLine) + 1)};
}

Selection NavigationRules::selectLine() const {
  const int line = model_.lineOf(kSelectionLine);
  return {model_.lineStart(line), model_.lineStart(line + 1)};
}

Selection NavigationRules::jumpToLine(int number) const {
  // Only 0 names the selection's line; the other negative numbers name no line at all.
  if (number < 0) return {kEnd, kEnd};
  const int start = model_.lineStart(number - 1);
  return {start, start};
}

Selection NavigationRules::moveCaretHorizontal(CaretStep step) const {
  const Selection now = model_.selection();
  switch (step) {
    case CaretStep::Forward:
      if (now.end >= model_.textLength()) return now;
      return {nextPosition(now.start), nextPosition(now.end)};
    case CaretStep::Backward:
      if (now.start <= 0) return now;
      return {previousPosition(now.start), previousPosition(now.end)};
    case CaretStep::LineEnd: {
      const int end = lineEnd(model_.lineOf(kSelectionLine));
      return {end, end};
    }
    case CaretStep::LineStart: break;
  }
  const int start = model_.lineStart(kSelectionLine);
  return {start, start};
}

Selection NavigationRules::moveCaretVertical(CaretLine direction) const {
  const int line = model_.lineOf(kSelectionLine);
  const int lineStart = model_.lineStart(kSelectionLine);
  const int column = model_.selection().start - lineStart;
  if (direction == CaretLine::Up) {
    if (line <= 0) return {lineStart, lineStart};
    const int caret = columnOf(line - 1, column);
    return {caret, caret};
  }
  if (model_.lineStart(line + 1) < 0) return {kEnd, kEnd};
  const int caret = columnOf(line + 1, column);
  return {caret, caret};
}

int NavigationRules::lineEnd(int line) const {
  const int start = model_.lineStart(line);
  const int end = start + model_.lineLength(line);
  if (end > start && end < model_.textLength() && model_.lineOf(end) != line) return previousPosition(end);
  return end;
}

int NavigationRules::nextPosition(int pos) const {
  const int length = model_.textLength();
  int next = pos + 1;
  if (next < length && model_.isSecondHalfOfPair(next)) ++next;
  return std::min(next, length);
}

int NavigationRules::previousPosition(int pos) const {
  int previous = pos - 1;
  if (previous > 0 && model_.isSecondHalfOfPair(previous)) --previous;
  return std::max(previous, 0);
}

int NavigationRules::columnOf(int line, int column) const {
  const int start = model_.lineStart(line);
  int pos = start + std::min(column, lineEnd(line) - start);
  if (pos > start && model_.isSecondHalfOfPair(pos)) --pos;
  return pos;
}

}  // namespace wabunko
