#pragma once
// What the edit controls have in common: the EditControl operations answered from the
// QTextDocument, its layout and a cursor, whichever way the control shows the layout's
// lines (rows, or columns turned a quarter).
//
// Lines are the display lines of the document's layout (OnDemandDocumentLayout, which the
// control gives its document), which lays out a paragraph only when asked about it. The
// control keeps a running count of lines per paragraph (DisplayLineIndex) and measures a
// paragraph when a question first needs it: with wrapping, by having the layout lay it
// out; without wrapping, from the text alone (one line, plus one per forced line break).
// Edits forget the paragraphs they touch; when the layout forgets every paragraph's lines
// (a new width, font or text option) the counts are all forgotten too. A question about a
// line or position therefore measures the paragraphs up to there, and once they are
// measured it costs O(log n); with wrapping, the line count (or a line past the end)
// needs every paragraph measured. A control never shown has no page width yet and shows
// paragraphs as they are.

#include "EditControl.h"
#include "doc/DisplayLineIndex.h"
#include "view/CompositionStates.h"

#include <QInputMethodEvent>
#include <QList>
#include <QMetaObject>
#include <QTextBlock>
#include <QTextCursor>
#include <functional>
#include <utility>
#include <vector>

namespace wabunko {

class DocumentEditControl : public EditControl {
public:
  // Shows `document`, which stays its owner's; nullptr lets the current one go. One
  // document is laid out for one control at a time.
  virtual void setDocument(QTextDocument* document) = 0;

  void getSel(int& start, int& end) const override;
  void setSel(int start, int end) override;
  QString selectedText() const override;
  void replaceSel(const QString& text, bool canUndo) override;
  void replaceRanges(const std::vector<int>& starts, int length, const QString& text) override;
  int textLength() const override;
  bool isModified() const override;
  void setModified(bool modified) override;

  int lineCount() const override;
  int lineFromChar(int pos) const override;
  int lineIndex(int line) const override;
  int lineLength(int pos) const override;
  QString lineText(int line) const override;
  int firstVisibleLine() const override;
  int firstVisibleLineOffset() const override;
  void lineScroll(int lines) override;

  QTextCharFormat selectionCharFormat() const override;
  void setSelectionCharFormat(const QTextCharFormat& format) override;
  QTextCharFormat defaultCharFormat() const override;
  void setDefaultCharFormat(const QTextCharFormat& format) override;
  QTextBlockFormat selectionParaFormat() const override;
  void setSelectionParaFormat(const QTextBlockFormat& format) override;
  void setBackgroundColor(const QColor& color) override;
  void setCompositionStyles(const std::array<CompositionStyle, 4>& styles) override;

  // Replaces the whole text by what `fill` puts into the document (a file read in),
  // leaving the caret at the start as the rich-edit control's stream-in does. Filling the
  // document directly would carry the caret to the end of the new text, and the next
  // caret move or the first show would then lay out the whole text.
  void streamIn(const std::function<void(QTextDocument&)>& fill);

protected:
  // Hands the input method's `event` to `handle` with its composition drawn in the
  // configured styles.
  void handleInputMethodEvent(QInputMethodEvent* event, const std::function<void(QInputMethodEvent*)>& handle);
  // Follows the edits of `document`, the control's from now on (nullptr: none).
  void watchDocument(QTextDocument* document);
  // Whether the layout breaks paragraphs into several lines.
  virtual bool layoutWraps() const = 0;
  // How far the view is scrolled across the lines, in the layout's line direction (its y).
  virtual int lineScrollOffset() const = 0;
  virtual void setLineScrollOffset(int offset) = 0;

private:
  // A display line: its paragraph and its start and end inside it (the end is the start
  // of the next line, or the paragraph's length).
  struct LinePlace {
    QTextBlock block;
    int line = 0;  // inside the paragraph
    int start = 0;
    int end = 0;
  };

  bool wraps() const;
  int selectionStart() const;
  void onContentsChange(int from, int removed, int added);
  // Forgets every count when the layout changed underneath them.
  void checkLayout() const;
  // Makes the counts of paragraphs [0, last] exact.
  void measureThrough(int last) const;
  void measureRun(int first, int last) const;
  // The layout of `block`, laid out.
  const QTextLayout* laidOutLines(const QTextBlock& block) const;
  // Where the lines of `block` start, as offsets inside it.
  std::vector<int> lineStarts(const QTextBlock& block) const;
  LinePlace placeOfLine(const QTextBlock& block, int line) const;
  LinePlace placeOfPosition(int pos) const;
  // The place of display line `line`; an invalid block past the last line.
  LinePlace placeOfDisplayLine(int line) const;
  int lengthOf(const LinePlace& place) const;
  // The top of a display line in document coordinates.
  qreal lineTop(const LinePlace& place) const;

  mutable DisplayLineIndex lines_;
  // The layout's generation and the wrapping the counts were taken with.
  mutable std::pair<int, bool> measuredWith_{-1, false};
  mutable int composedParagraph_ = -1;  // holding the composition at the last question
  QMetaObject::Connection watching_;

  QTextCharFormat compositionFormat(CompositionState state) const;
  std::array<CompositionStyle, 4> compositionStyles_{};
  Composition composition_;
};

}  // namespace wabunko
