#include "RichTextEdit.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

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

namespace wabunko {
namespace {
// Lines of a block as laid out; a block not laid out yet counts as one line.
int linesOf(const QTextBlock& block) {
  const QTextLayout* layout = block.layout();
  return layout && layout->lineCount() > 0 ? layout->lineCount() : 1;
}
}  // namespace

int RichTextEdit::selectionStart() const { return textCursor().selectionStart(); }

int RichTextEdit::lineCount() const {
  int lines = 0;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) lines += linesOf(b);
  return lines;
}

int RichTextEdit::lineFromChar(int pos) const {
  if (pos < 0) pos = selectionStart();
  pos = std::min(pos, textLength());
  const QTextBlock target = document()->findBlock(pos);
  int lines = 0;
  for (QTextBlock b = document()->begin(); b.isValid() && b != target; b = b.next()) lines += linesOf(b);
  const QTextLayout* layout = target.layout();
  if (layout && layout->lineCount() > 0) lines += layout->lineForTextPosition(pos - target.position()).lineNumber();
  return lines;
}

int RichTextEdit::lineIndex(int line) const {
  if (line < 0) line = lineFromChar(-1);
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    const int n = linesOf(b);
    if (line < n) {
      const QTextLayout* layout = b.layout();
      return b.position() + (layout && layout->lineCount() > 0 ? layout->lineAt(line).textStart() : 0);
    }
    line -= n;
  }
  return -1;
}

int RichTextEdit::lineLength(int pos) const {
  const int line = lineFromChar(pos);
  const int start = lineIndex(line);
  const int next = lineIndex(line + 1);
  const QTextBlock block = document()->findBlock(start);
  const int end = next < 0 || document()->findBlock(next) != block ? block.position() + block.length() - 1 : next;
  return end - start;
}

QString RichTextEdit::lineText(int line) const {
  const int start = lineIndex(line);
  if (start < 0) return {};
  QTextCursor c(document());
  c.setPosition(start);
  c.setPosition(start + lineLength(start), QTextCursor::KeepAnchor);
  return c.selectedText();
}

int RichTextEdit::firstVisibleLine() const {
  const QTextCursor top = cursorForPosition(QPoint(0, 0));
  return lineFromChar(top.position());
}

void RichTextEdit::lineScroll(int lines) {
  const int pitch = fontMetrics().lineSpacing();
  verticalScrollBar()->setValue(verticalScrollBar()->value() + lines * pitch);
}

QTextCharFormat RichTextEdit::selectionCharFormat() const { return textCursor().charFormat(); }

void RichTextEdit::setSelectionCharFormat(const QTextCharFormat& format) { mergeCurrentCharFormat(format); }

QTextCharFormat RichTextEdit::defaultCharFormat() const {
  QTextCharFormat format;
  format.setFont(document()->defaultFont());
  format.setForeground(palette().color(QPalette::Text));
  return format;
}

void RichTextEdit::setDefaultCharFormat(const QTextCharFormat& format) {
  document()->setDefaultFont(format.font());
  if (format.hasProperty(QTextFormat::ForegroundBrush)) {
    QPalette p = palette();
    p.setColor(QPalette::Text, format.foreground().color());
    setPalette(p);
  }
}

QTextBlockFormat RichTextEdit::selectionParaFormat() const { return textCursor().blockFormat(); }

void RichTextEdit::setSelectionParaFormat(const QTextBlockFormat& format) { textCursor().mergeBlockFormat(format); }

void RichTextEdit::setBackgroundColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Base, color);
  setPalette(p);
}

void RichTextEdit::setCompositionStyles(const std::array<CompositionStyle, 4>& styles) { compositionStyles_ = styles; }

void RichTextEdit::setWrap(Wrap wrap, int printWidthPixels) {
  switch (wrap) {
    case Wrap::None: setLineWrapMode(NoWrap); break;
    case Wrap::WindowEdge: setLineWrapMode(WidgetWidth); break;
    case Wrap::PrintWidth:
      setLineWrapMode(FixedPixelWidth);
      setLineWrapColumnOrWidth(printWidthPixels);
      break;
  }
}

void RichTextEdit::setTextMargins(const QMargins& margins) { setViewportMargins(margins); }

}  // namespace wabunko
