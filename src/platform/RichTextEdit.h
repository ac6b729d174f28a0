#pragma once
// EditControl over QTextEdit.
//
// Lines are the display lines of the document's own layout. QTextDocumentLayout lays a
// document out lazily: the part in view at once, the rest from a timer in growing steps,
// and a paragraph not laid out yet has no lines. The control keeps a running count of
// lines per paragraph (DisplayLineIndex) and measures a paragraph when a question first
// needs it: with wrapping, by asking the layout to lay out up to that paragraph (which it
// does only where it has not done so already); without wrapping, from the text alone
// (one line, plus one per forced line break), so no question ever waits for the layout.
// Edits forget the paragraphs they touch; a change of the layout's width, font or text
// options forgets them all. A question about a line or position therefore lays out the
// document only up to there, and once that part is laid out it costs O(log n); with
// wrapping, the line count (or a line past the end) needs the whole text laid out. A
// control never shown has no page width yet and shows paragraphs as they are.

#include "EditControl.h"
#include "doc/DisplayLineIndex.h"
#include "view/CompositionStates.h"

#include <QFont>
#include <QList>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextOption>
#include <functional>
#include <vector>

namespace wabunko {

class RichTextEdit : public QTextEdit, public EditControl {
  Q_OBJECT
public:
  explicit RichTextEdit(QWidget* parent = nullptr);

  QWidget* widget() override { return this; }
  QTextDocument* textDocument() const override { return document(); }
  void getSel(int& start, int& end) const override;
  void setSel(int start, int end) override;
  QString selectedText() const override;
  void replaceSel(const QString& text, bool canUndo) override;
  int textLength() const override;
  bool isReadOnly() const override { return QTextEdit::isReadOnly(); }
  void setReadOnly(bool readOnly) override { QTextEdit::setReadOnly(readOnly); }
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

  bool isOverwriteMode() const override { return overwriteMode(); }
  void setOverwriteMode(bool overwrite) override { QTextEdit::setOverwriteMode(overwrite); }
  void setBackgroundColor(const QColor& color) override;
  void setCompositionStyles(const std::array<CompositionStyle, 4>& styles) override;
  void setWrap(Wrap wrap, int printWidthPixels = 0) override;
  void setTextMargins(const QMargins& margins) override;

  // Shows another document (through this class: QTextEdit's own does not tell the line
  // count to follow the new one).
  void setDocument(QTextDocument* document);

  // Replaces the whole text by what `fill` puts into the document (a file read in),
  // leaving the caret at the start as the rich-edit control's stream-in does. Filling the
  // document directly would carry the caret to the end of the new text, and the next
  // caret move or the first show would then lay out the whole text.
  void streamIn(const std::function<void(QTextDocument&)>& fill);

private:
  // What the layout's line breaks depend on besides the text; the counts are forgotten
  // when it changes.
  struct LayoutKey {
    bool wraps = false;
    qreal width = 0;
    QFont font;
    QTextOption::WrapMode wrapMode = QTextOption::NoWrap;
    QTextOption::Flags flags;
    qreal tabStop = 0;
    QList<QTextOption::Tab> tabs;
    qreal margin = 0;
    qreal indentWidth = 0;
    bool designMetrics = false;
    bool operator==(const LayoutKey&) const = default;
  };
  // A display line: its paragraph and its start and end inside it (the end is the start
  // of the next line, or the paragraph's length).
  struct LinePlace {
    QTextBlock block;
    int line = 0;  // inside the paragraph
    int start = 0;
    int end = 0;
  };

  int selectionStart() const;
  void onContentsChange(int from, int removed, int added);
  LayoutKey layoutKey() const;
  bool wraps() const;
  // Forgets every count when the layout changed underneath them.
  void checkLayout() const;
  // Makes the counts of paragraphs [0, last] exact.
  void measureThrough(int last) const;
  void measureRun(int first, int last) const;
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
  mutable LayoutKey layoutKey_;
  mutable int composedParagraph_ = -1;  // holding the composition at the last question

  std::array<CompositionStyle, 4> compositionStyles_{};

  // ---- Input method: the composition string's states and the candidate window ----
protected:
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
  QTextCharFormat compositionFormat(CompositionState state) const;

  Composition composition_;
  // ---- end of the input method ----
};

}  // namespace wabunko
