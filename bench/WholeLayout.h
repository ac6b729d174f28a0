#pragma once
// Lays out every paragraph of a document, whichever layout it has: Qt's lays out up to a
// paragraph asked about, the edit controls' lays out the paragraph alone.

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

namespace wabunko::bench {

inline void layOutEveryParagraph(const QTextDocument& document) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) layout->blockBoundingRect(block);
}

}  // namespace wabunko::bench
