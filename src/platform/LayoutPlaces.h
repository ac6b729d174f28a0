#pragma once
// Places in the layout of a paragraph of a QTextDocument.

#include <QPointF>

class QTextBlock;
class QTextLayout;

namespace wabunko {

// Where the layout of `block` stands in the document: layout coordinates plus this are
// document coordinates.
QPointF layoutOrigin(const QTextBlock& block);

// A paragraph's layout holds the input method's composition in its text; the document
// does not. From an offset in the paragraph to one in the layout's text (characters from
// the composition's place on stand after it), and back (an offset inside the composition
// stands where the composition does).
int withComposition(const QTextLayout& layout, int offset);
int withoutComposition(const QTextLayout& layout, int offset);

}  // namespace wabunko
