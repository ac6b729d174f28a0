#pragma once
// The editing control a view talks to, with the rich-edit semantics the views rely on:
// character positions from 0 (a paragraph break counts one), -1 meaning "the end" in a
// selection and "the selection's line" in line questions, replacement of the selection
// with or without undo, display lines (a wrapped paragraph gives several), character and
// paragraph formats, a read-only state and a modify flag.

#include <QColor>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <array>
#include <vector>

class QScrollBar;
class QTextDocument;
class QWidget;

namespace wabunko {

class EditControl {
public:
  virtual ~EditControl() = default;

  virtual QWidget* widget() = 0;
  virtual const QWidget* widget() const = 0;
  virtual QTextDocument* textDocument() const = 0;
  // Text laid out in columns, top to bottom and right to left; lines are then columns,
  // counted from the right.
  virtual bool isVertical() const = 0;

  // The caret and the selection.
  virtual QTextCursor textCursor() const = 0;
  virtual void setTextCursor(const QTextCursor& cursor) = 0;

  // Selection as [start, end); setSel(0, -1) selects everything.
  virtual void getSel(int& start, int& end) const = 0;
  virtual void setSel(int start, int end) = 0;
  // The selection's text with CR LF line ends.
  virtual QString selectedText() const = 0;
  // Replaces the selection; CR LF, CR and LF in `text` become paragraph breaks.
  virtual void replaceSel(const QString& text, bool canUndo) = 0;
  // Replaces the `length` characters at each of `starts` (ascending, not overlapping) by
  // `text`, as one step to undo. The caret and the selection move with the text around
  // them. The text is laid out again from the top as after opening, a part at a time
  // while the program waits for input, so a change that touches the whole text returns at
  // once.
  virtual void replaceRanges(const std::vector<int>& starts, int length, const QString& text) = 0;
  // Number of characters, counting each paragraph break as one.
  virtual int textLength() const = 0;

  // Display lines, counted from 0.
  virtual int lineCount() const = 0;
  // The line holding character `pos`; -1: the line of the selection's start.
  virtual int lineFromChar(int pos) const = 0;
  // First character of `line`; -1: of the line holding the selection's start; a line past
  // the end gives -1.
  virtual int lineIndex(int line) const = 0;
  // Length of the line holding character `pos`, without its line break; -1: of the line
  // holding the selection's start.
  virtual int lineLength(int pos) const = 0;
  // The text of `line` without its line break; empty past the end.
  virtual QString lineText(int line) const = 0;
  virtual int firstVisibleLine() const = 0;
  // How far, in pixels, the text is scrolled past the top of the first visible line: 0 when
  // that line stands where the first line stands with the text scrolled to the start.
  virtual int firstVisibleLineOffset() const = 0;
  // Scrolls the text up (positive) or down by whole lines.
  virtual void lineScroll(int lines) = 0;

  // Formats of the selection (of the caret when nothing is selected) and of new text.
  virtual QTextCharFormat selectionCharFormat() const = 0;
  virtual void setSelectionCharFormat(const QTextCharFormat& format) = 0;  // merged
  virtual QTextCharFormat defaultCharFormat() const = 0;
  virtual void setDefaultCharFormat(const QTextCharFormat& format) = 0;
  virtual QTextBlockFormat selectionParaFormat() const = 0;
  virtual void setSelectionParaFormat(const QTextBlockFormat& format) = 0;  // merged

  virtual bool isReadOnly() const = 0;
  virtual void setReadOnly(bool readOnly) = 0;
  virtual bool isModified() const = 0;
  virtual void setModified(bool modified) = 0;
  virtual bool isOverwriteMode() const = 0;
  virtual void setOverwriteMode(bool overwrite) = 0;

  virtual void setBackgroundColor(const QColor& color) = 0;

  virtual void undo() = 0;
  virtual void redo() = 0;
  virtual void cut() = 0;
  virtual void copy() = 0;
  virtual void paste() = 0;
  virtual bool canPaste() const = 0;
  // The scroll bar that moves the text across its lines: the vertical one for rows, the
  // horizontal one for columns.
  virtual QScrollBar* lineScrollBar() const = 0;

  // How the input method's composition string is drawn in each of its four states
  // (0 before conversion, 1 the clause being converted, 2 clauses waiting, 3 a clause
  // whose boundary is being changed).
  struct CompositionStyle {
    QColor text;
    QColor background;
    int effects = 0;  // the stored effects value
  };
  virtual void setCompositionStyles(const std::array<CompositionStyle, 4>& styles) = 0;

  enum class Wrap { None = 0, WindowEdge = 1, PrintWidth = 2 };
  // PrintWidth wraps at `printWidthPixels`, the length of a printed line (rows: the page's
  // width less the margins; columns: its height less the margins).
  virtual void setWrap(Wrap wrap, int printWidthPixels = 0) = 0;

  // Where the text from `start` to `end` shows, in screen coordinates: the cells of its
  // first and last characters and everything between them, across the whole width of the
  // text area (its height, for columns) when they stand on different lines; the caret's
  // place when the range is empty.
  virtual QRect rangeRectOnScreen(int start, int end) const = 0;

  // Keeps a strip free inside the control's text area (the line-number gutter's).
  virtual void setTextMargins(const QMargins& margins) = 0;
  // Where the text is shown, in the control's coordinates.
  virtual QRect textArea() const = 0;
};

}  // namespace wabunko
