#include "LayoutPlaces.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace wabunko {

QPointF layoutOrigin(const QTextBlock& block) {
  // The block's rectangle stands where its layout does; its lines keep their own places
  // in the layout (a margin or a first-line indent moves them right of it).
  return block.document()->documentLayout()->blockBoundingRect(block).topLeft();
}

int withComposition(const QTextLayout& layout, int offset) {
  const int length = static_cast<int>(layout.preeditAreaText().size());
  return length > 0 && offset >= layout.preeditAreaPosition() ? offset + length : offset;
}

// A line starting inside the composition starts where it is.
int withoutComposition(const QTextLayout& layout, int offset) {
  const int at = layout.preeditAreaPosition();
  const int length = static_cast<int>(layout.preeditAreaText().size());
  return length == 0 || offset <= at ? offset : std::max(at, offset - length);
}

std::optional<ParagraphChange> changedParagraphs(const QTextDocument& document, int from, int added, int known) {
  const int count = document.blockCount();
  const auto numberAt = [&](int pos) {
    const QTextBlock block = document.findBlock(pos);
    return block.isValid() ? block.blockNumber() : count - 1;
  };
  const int first = numberAt(from);
  const int inserted = numberAt(from + added) - first + 1;
  const int removed = inserted - (count - known);
  if (removed < 0 || first + removed > known) return std::nullopt;
  return ParagraphChange{first, removed, inserted};
}

}  // namespace wabunko
