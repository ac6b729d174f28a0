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

}  // namespace wabunko
