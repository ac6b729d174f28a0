#pragma once
// EditControl over QTextEdit: the document laid out in rows.

#include "DocumentEditControl.h"

#include <QTextEdit>

namespace wabunko {

class RichTextEdit : public QTextEdit, public DocumentEditControl {
  Q_OBJECT
public:
  explicit RichTextEdit(QWidget* parent = nullptr);

  QWidget* widget() override { return this; }
  const QWidget* widget() const override { return this; }
  QTextDocument* textDocument() const override { return document(); }
  QTextCursor textCursor() const override { return QTextEdit::textCursor(); }
  void setTextCursor(const QTextCursor& cursor) override { QTextEdit::setTextCursor(cursor); }
  bool isReadOnly() const override { return QTextEdit::isReadOnly(); }
  void setReadOnly(bool readOnly) override { QTextEdit::setReadOnly(readOnly); }
  bool isOverwriteMode() const override { return overwriteMode(); }
  void setOverwriteMode(bool overwrite) override { QTextEdit::setOverwriteMode(overwrite); }
  void undo() override { QTextEdit::undo(); }
  void redo() override { QTextEdit::redo(); }
  void cut() override { QTextEdit::cut(); }
  void copy() override { QTextEdit::copy(); }
  void paste() override { QTextEdit::paste(); }
  bool canPaste() const override { return QTextEdit::canPaste(); }
  QScrollBar* lineScrollBar() const override { return verticalScrollBar(); }
  bool isVertical() const override { return false; }
  void setWrap(Wrap wrap, int printWidthPixels = 0) override;
  void setTextMargins(const QMargins& margins) override;
  QRect textArea() const override { return viewport()->geometry(); }
  QRect rangeRectOnScreen(int start, int end) const override;

  // Shows another document (through this class: QTextEdit's own does not tell the line
  // count to follow the new one); nullptr gives the control an empty one of its own.
  void setDocument(QTextDocument* document) override;

protected:
  bool layoutWraps() const override;
  int lineScrollOffset() const override;
  void setLineScrollOffset(int offset) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};

}  // namespace wabunko
