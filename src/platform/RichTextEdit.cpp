#include "RichTextEdit.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace wabunko {

RichTextEdit::RichTextEdit(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setTabChangesFocus(false);
}

void RichTextEdit::getSel(int& start, int& end) const {
  const QTextCursor c = textCursor();
  start = c.selectionStart();
  end = c.selectionEnd();
}

void RichTextEdit::setSel(int start, int end) {
  const int length = textLength();
  const auto clamp = [length](int p) { return p < 0 || p > length ? length : p; };
  QTextCursor c(document());
  c.setPosition(clamp(start));
  c.setPosition(clamp(end), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

QString RichTextEdit::selectedText() const {
  QString text = textCursor().selectedText();
  // QTextCursor gives paragraph breaks as U+2029.
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  return text;
}

void RichTextEdit::replaceSel(const QString& text, bool canUndo) {
  QString normalized = text;
  normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  // A replacement that cannot be undone also forgets the earlier steps, whose positions
  // would no longer fit the text.
  const bool undo = document()->isUndoRedoEnabled();
  if (!canUndo) document()->setUndoRedoEnabled(false);
  QTextCursor c = textCursor();
  c.insertText(normalized);
  setTextCursor(c);
  if (!canUndo) document()->setUndoRedoEnabled(undo);
}

int RichTextEdit::textLength() const {
  // characterCount() includes the final paragraph separator that is not part of the text.
  return document()->characterCount() - 1;
}

bool RichTextEdit::isModified() const { return document()->isModified(); }

void RichTextEdit::setModified(bool modified) { document()->setModified(modified); }

}  // namespace wabunko
