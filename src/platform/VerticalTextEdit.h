#pragma once
// EditControl that shows its document in vertical writing: columns run top to bottom and
// follow each other from the right edge leftwards.
//
// The document keeps its own (horizontal) layout, with the column length as its text
// width: every line of the layout is a column. Layout x runs down the column and layout y
// leftwards, so the layout point (x, y) shows at (W + s − y, x − t) in the viewport, W
// being the viewport's width, s how far the text is scrolled across the columns (0 at the
// start) and t how far down them (when columns may be longer than the window). Lines,
// caret, hit testing and selection all come from that layout, and lines are the columns
// counted from the right.
//
// One document is laid out for one control at a time: attach it here after taking it
// from the other control, and the text, formats, undo steps, modify flag and caret travel
// with it.

#include "DocumentEditControl.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPointer>
#include <QTextCursor>

namespace wabunko {

class VerticalTextEdit : public QAbstractScrollArea, public DocumentEditControl {
  Q_OBJECT
public:
  explicit VerticalTextEdit(QWidget* parent = nullptr);
  ~VerticalTextEdit() override;

  void setDocument(QTextDocument* document) override;  // nullptr: shows nothing
  QTextDocument* document() const { return document_; }

  QWidget* widget() override { return this; }
  const QWidget* widget() const override { return this; }
  QTextDocument* textDocument() const override { return document_; }
  bool isVertical() const override { return true; }
  QTextCursor textCursor() const override { return cursor_; }
  void setTextCursor(const QTextCursor& cursor) override;
  bool isReadOnly() const override { return readOnly_; }
  void setReadOnly(bool readOnly) override;
  bool isOverwriteMode() const override { return overwrite_; }
  void setOverwriteMode(bool overwrite) override { overwrite_ = overwrite; }
  void undo() override;
  void redo() override;
  void cut() override;
  void copy() override;
  void paste() override;
  bool canPaste() const override;
  QScrollBar* lineScrollBar() const override { return horizontalScrollBar(); }
  void setWrap(Wrap wrap, int printWidthPixels = 0) override;
  void setTextMargins(const QMargins& margins) override;
  QRect textArea() const override { return viewport()->geometry(); }
  QRect rangeRectOnScreen(int start, int end) const override;

  // Where a layout point shows in the viewport, and back.
  QPointF toViewport(const QPointF& layoutPoint) const;
  QPointF toLayout(const QPointF& viewportPoint) const;
  // The cell of the character at `position` in viewport coordinates: across the whole
  // column, and along it from the character's top to the next one's.
  QRectF characterRect(int position) const;
  // The caret: a bar across its column, in viewport coordinates.
  QRect cursorRect() const;
  QRect cursorRect(const QTextCursor& cursor) const;
  // The position nearest to a viewport point.
  int positionAt(const QPointF& viewportPoint) const;
  // Scrolls the caret into view.
  void ensureCursorVisible();

Q_SIGNALS:
  void cursorPositionChanged();
  void selectionChanged();

protected:
  bool layoutWraps() const override;
  int lineScrollOffset() const override;
  void setLineScrollOffset(int offset) override;

  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab is typed into the text, not used to leave the control.
  bool focusNextPrevChild(bool next) override;
  void timerEvent(QTimerEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
  // Lays the document out for the current viewport and wrap mode.
  void relayout();
  // Scroll ranges for the extent of the text the layout last reported.
  void updateScrollBars();
  void onDocumentSizeChanged(const QSizeF& size);
  // Moves the caret and the selection to `cursor`'s, reports the move and scrolls to it.
  void moveCursor(const QTextCursor& cursor);
  bool moveByKey(QKeyEvent* event);
  bool editByKey(QKeyEvent* event);
  void insertTyped(const QString& text);
  void restartBlink();
  // A caret bar at `at` in the layout's text of `block` (the composition included).
  QRect caretBar(const QTextBlock& block, int at) const;
  // Across the whole column, from `at` down to `at` + `length` (within the line), in
  // viewport coordinates; a place past the paragraph's lines stands in its last line.
  QRectF columnSpan(const QTextBlock& block, int at, int length) const;
  // The input method's composition: laid into the caret's paragraph so the column makes
  // room for it, drawn with its formats, with a caret of its own inside it.
  void applyComposition(const QInputMethodEvent& event);
  void clearComposition();

  QPointer<QTextDocument> document_;
  QTextCursor cursor_;
  Wrap wrap_ = Wrap::WindowEdge;
  int printLength_ = 0;
  bool readOnly_ = false;
  bool overwrite_ = false;
  bool caretShown_ = true;
  QBasicTimer blink_;
  int dragAnchor_ = -1;  // while the mouse selects
  // The composition: its paragraph and the caret inside it (from the paragraph's start).
  QTextBlock preeditBlock_;
  int preeditCaret_ = -1;
  QSizeF extent_;
  QList<QMetaObject::Connection> documentWatch_;
};

}  // namespace wabunko
