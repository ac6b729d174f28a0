#pragma once
// Places in the layout of a paragraph of a QTextDocument.

#include <QPointF>
#include <optional>

class QTextBlock;
class QTextDocument;
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

// The paragraphs a change of `document` replaced, for a record of its paragraphs that held
// `known` of them before the change: from paragraph `first`, `removed` old ones gave way to
// `inserted` new ones (the paragraphs from the one holding `from` to the one holding the
// end of the `added` characters stand for as many old ones as keeps the count right).
// Nothing when the record cannot have matched the document: it must start over.
struct ParagraphChange {
  int first = 0;
  int removed = 0;
  int inserted = 0;
};
std::optional<ParagraphChange> changedParagraphs(const QTextDocument& document, int from, int added, int known);

}  // namespace wabunko
