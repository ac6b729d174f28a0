#pragma once
// The display lines of a document as Qt's own document layout breaks them, the reference
// the edit controls' layout is held to, and as the document's own layout breaks them.

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>
#include <vector>

namespace wabunko {

// Where each line starts, in order, in the layout of `document` as it stands.
inline std::vector<int> lineStartsOf(const QTextDocument& document) {
  std::vector<int> starts;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    document.documentLayout()->blockBoundingRect(block);  // lays the paragraph out
    for (int i = 0; i < block.layout()->lineCount(); ++i) starts.push_back(block.position() + block.layout()->lineAt(i).textStart());
  }
  return starts;
}

// The same for Qt's layout of the same text, formats, font and page: a copy of a document
// is laid out by Qt's layout.
inline std::vector<int> referenceLineStarts(const QTextDocument& document) {
  const std::unique_ptr<QTextDocument> copy(document.clone());
  copy->documentLayout()->documentSize();  // lays the whole text out
  return lineStartsOf(*copy);
}

}  // namespace wabunko
