#include "RichTextEdit.h"

#include "OnDemandDocumentLayout.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace wabunko {

RichTextEdit::RichTextEdit(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setTabChangesFocus(false);
  watchDocument(document());
}

void RichTextEdit::setDocument(QTextDocument* document) {
  // Our layout before QTextEdit's first look, which would lay the text out in Qt's.
  if (document) OnDemandDocumentLayout::install(*document);
  QTextEdit::setDocument(document);
  watchDocument(this->document());
}

bool RichTextEdit::layoutWraps() const { return lineWrapMode() != NoWrap; }

int RichTextEdit::lineScrollOffset() const { return verticalScrollBar()->value(); }

void RichTextEdit::setLineScrollOffset(int offset) { verticalScrollBar()->setValue(offset); }

void RichTextEdit::setWrap(Wrap wrap, int printWidthPixels) {
  switch (wrap) {
    case Wrap::None: setLineWrapMode(NoWrap); break;
    case Wrap::WindowEdge: setLineWrapMode(WidgetWidth); break;
    case Wrap::PrintWidth:
      setLineWrapMode(FixedPixelWidth);
      // The page QTextEdit sets includes the document margin on both sides.
      setLineWrapColumnOrWidth(printWidthPixels + static_cast<int>(std::lround(2 * document()->documentMargin())));
      break;
  }
}

void RichTextEdit::setTextMargins(const QMargins& margins) { setViewportMargins(margins); }

}  // namespace wabunko


namespace wabunko {

void RichTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  handleInputMethodEvent(event, [this](QInputMethodEvent* styled) { QTextEdit::inputMethodEvent(styled); });
}

// QTextEdit answers in its viewport's coordinates, but the input method places the
// candidate window from the widget's: the frame and the gutter would shift it.
QVariant RichTextEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  const QVariant answer = QTextEdit::inputMethodQuery(query);
  if (query != Qt::ImCursorRectangle && query != Qt::ImAnchorRectangle) return answer;
  return answer.toRectF().translated(viewport()->pos());
}

QRect RichTextEdit::rangeRectOnScreen(int start, int end) const {
  QTextCursor at(document());
  const int length = textLength();
  at.setPosition(std::clamp(start, 0, length));
  const QRect first = cursorRect(at);
  at.setPosition(std::clamp(end, 0, length));
  const QRect last = cursorRect(at);
  QRect range = first.united(last);
  if (last.top() != first.top()) {
    range.setLeft(0);
    range.setRight(viewport()->width() - 1);
  }
  return {viewport()->mapToGlobal(range.topLeft()), range.size()};
}

}  // namespace wabunko
