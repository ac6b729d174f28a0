#include "LayoutPlaces.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace wabunko {

QPointF layoutOrigin(const QTextBlock& block) {
  const QRectF bounds = block.document()->documentLayout()->blockBoundingRect(block);
  return bounds.topLeft() - block.layout()->boundingRect().topLeft();
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
