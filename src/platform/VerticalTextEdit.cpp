#include "VerticalTextEdit.h"

#include "LayoutPlaces.h"
#include "VerticalTextAccessible.h"
#include "VerticalTextPainter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace wabunko {
namespace {

constexpr int kCaretThickness = 2;
constexpr int kWheelColumns = 3;  // a notch of the wheel scrolls this many columns

// A cursor's selected text with line feeds between its paragraphs, as it stands.
QString plainText(const QString& fromCursor) {
  QString text = fromCursor;
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

}  // namespace

VerticalTextEdit::VerticalTextEdit(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  // The text starts at the right: so does the bar. It is always there, so that the
  // columns keep their length when the text grows past the window's width.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  horizontalScrollBar()->setInvertedAppearance(true);
  horizontalScrollBar()->setInvertedControls(false);
  VerticalTextAccessibility::watch(this);
}

// The document outlives the control: it must not keep a composition in its layout.
VerticalTextEdit::~VerticalTextEdit() { clearComposition(); }

void VerticalTextEdit::setDocument(QTextDocument* document) {
  for (const QMetaObject::Connection& c : std::as_const(documentWatch_)) disconnect(c);
  documentWatch_.clear();
  clearComposition();
  document_ = document;
  cursor_ = document ? QTextCursor(document) : QTextCursor();
  VerticalTextAccessibility::watch(this);
  watchDocument(document);
  if (!document) {
    horizontalScrollBar()->setRange(0, 0);
    verticalScrollBar()->setRange(0, 0);
    viewport()->update();
    return;
  }
  QAbstractTextDocumentLayout* layout = document->documentLayout();
  documentWatch_ << connect(layout, &QAbstractTextDocumentLayout::documentSizeChanged, this,
                            &VerticalTextEdit::onDocumentSizeChanged)
                 << connect(layout, &QAbstractTextDocumentLayout::update, viewport(), [this] { viewport()->update(); })
                 << connect(document, &QTextDocument::contentsChange, this, [this] {
                      viewport()->update();
                      if (hasFocus()) restartBlink();
                    });
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  extent_ = QSizeF();
  const QSizeF page = document->pageSize();
  relayout();
  // Laid out for this size already: the layout will report nothing new.
  if (document->pageSize() == page) onDocumentSizeChanged(layout->documentSize());
}

void VerticalTextEdit::setTextCursor(const QTextCursor& cursor) {
  if (cursor.document() == document_) moveCursor(cursor);
}

void VerticalTextEdit::setReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
  viewport()->update();
}

void VerticalTextEdit::undo() {
  if (!document_ || readOnly_) return;
  QTextCursor c = cursor_;
  document_->undo(&c);
  moveCursor(c);
}

void VerticalTextEdit::redo() {
  if (!document_ || readOnly_) return;
  QTextCursor c = cursor_;
  document_->redo(&c);
  moveCursor(c);
}

void VerticalTextEdit::copy() {
  if (!cursor_.hasSelection()) return;
  const QTextDocumentFragment fragment = cursor_.selection();
  auto* data = new QMimeData;
  data->setText(plainText(cursor_.selectedText()));
  data->setHtml(fragment.toHtml());
  QGuiApplication::clipboard()->setMimeData(data);
}

void VerticalTextEdit::cut() {
  if (readOnly_ || !cursor_.hasSelection()) return;
  copy();
  QTextCursor c = cursor_;
  c.removeSelectedText();
  moveCursor(c);
}

void VerticalTextEdit::paste() {
  if (readOnly_ || !document_) return;
  const QString text = QGuiApplication::clipboard()->text();
  if (!text.isEmpty()) replaceSel(text, true);
}

bool VerticalTextEdit::canPaste() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return !readOnly_ && data && data->hasText();
}

void VerticalTextEdit::setWrap(Wrap wrap, int printWidthPixels) {
  wrap_ = wrap;
  printLength_ = printWidthPixels;
  // Columns as long as the window need no scrolling along them.
  setVerticalScrollBarPolicy(wrap == Wrap::WindowEdge ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  if (wrap == Wrap::WindowEdge) verticalScrollBar()->setValue(0);
  relayout();
}

void VerticalTextEdit::setTextMargins(const QMargins& margins) {
  setViewportMargins(margins);
  relayout();
}

bool VerticalTextEdit::layoutWraps() const { return wrap_ != Wrap::None; }

int VerticalTextEdit::lineScrollOffset() const { return horizontalScrollBar()->value(); }

void VerticalTextEdit::setLineScrollOffset(int offset) {
  QScrollBar* bar = horizontalScrollBar();
  // The layout may not have reported the text's full extent yet.
  if (offset > bar->maximum()) bar->setMaximum(offset);
  bar->setValue(offset);
}

void VerticalTextEdit::relayout() {
  if (!document_) return;
  const qreal margin = document_->documentMargin();
  qreal length = 0;  // no wrapping: paragraphs as long as they are
  if (wrap_ == Wrap::WindowEdge) length = viewport()->height();
  else if (wrap_ == Wrap::PrintWidth) length = printLength_ + 2 * margin;
  QTextOption option = document_->defaultTextOption();
  const QTextOption::WrapMode mode = wrap_ == Wrap::None ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere;
  if (option.wrapMode() != mode) {
    option.setWrapMode(mode);
    document_->setDefaultTextOption(option);
  }
  if (document_->pageSize() != QSizeF(length, -1)) document_->setPageSize(QSizeF(length, -1));
  updateScrollBars();
  viewport()->update();
}

void VerticalTextEdit::onDocumentSizeChanged(const QSizeF& size) {
  extent_ = size;
  updateScrollBars();
}

void VerticalTextEdit::updateScrollBars() {
  if (!document_) return;
  // Laid out lazily, the layout reports the extent it has reached so far.
  const QSizeF size = extent_;
  QScrollBar* across = horizontalScrollBar();
  const int columns = static_cast<int>(std::ceil(size.height()));
  across->setRange(0, std::max(0, columns - viewport()->width()));
  across->setPageStep(viewport()->width());
  across->setSingleStep(std::max(1, QFontMetrics(document_->defaultFont()).height()));
  QScrollBar* down = verticalScrollBar();
  const int length = wrap_ == Wrap::WindowEdge ? 0 : static_cast<int>(std::ceil(size.width()));
  down->setRange(0, std::max(0, length - viewport()->height()));
  down->setPageStep(viewport()->height());
  down->setSingleStep(across->singleStep());
}

QPointF VerticalTextEdit::toViewport(const QPointF& p) const {
  return {viewport()->width() + horizontalScrollBar()->value() - p.y(), p.x() - verticalScrollBar()->value()};
}

QPointF VerticalTextEdit::toLayout(const QPointF& p) const {
  return {p.y() + verticalScrollBar()->value(), viewport()->width() + horizontalScrollBar()->value() - p.x()};
}

QRectF VerticalTextEdit::characterRect(int position) const {
  if (!document_) return {};
  const QTextBlock block = document_->findBlock(position);
  if (!block.isValid()) return {};
  return columnSpan(block, withComposition(*block.layout(), position - block.position()), 1);
}

QRect VerticalTextEdit::rangeRectOnScreen(int start, int end) const {
  const int length = textLength();
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  QTextCursor at(document_);
  at.setPosition(start);
  const QRect first = start < end ? characterRect(start).toAlignedRect() : cursorRect(at);
  const QRect last = start < end ? characterRect(end - 1).toAlignedRect() : first;
  QRect range = first.united(last);
  if (last.left() != first.left()) {
    range.setTop(0);
    range.setBottom(viewport()->height() - 1);
  }
  return {viewport()->mapToGlobal(range.topLeft()), range.size()};
}

QRect VerticalTextEdit::cursorRect() const { return cursorRect(cursor_); }

QRect VerticalTextEdit::cursorRect(const QTextCursor& cursor) const {
  if (!document_ || cursor.isNull()) return {};
  const QTextBlock block = cursor.block();
  const QTextLayout* layout = block.layout();
  int at = cursor.position() - block.position();
  // The caret stands inside the composition where the input method puts it; places after
  // the composition move past it.
  if (block == preeditBlock_ && at == layout->preeditAreaPosition() && preeditCaret_ >= 0) at += preeditCaret_;
  else if (block == preeditBlock_ && at > layout->preeditAreaPosition())
    at += static_cast<int>(layout->preeditAreaText().size());
  return caretBar(block, at);
}

QRect VerticalTextEdit::caretBar(const QTextBlock& block, int at) const {
  QRectF bar = columnSpan(block, at, 0);
  bar.setHeight(kCaretThickness);
  return bar.toAlignedRect();
}

QRectF VerticalTextEdit::columnSpan(const QTextBlock& block, int at, int length) const {
  const QPointF origin = layoutOrigin(block);  // lays the paragraph out
  const QTextLayout* layout = block.layout();
  QTextLine line = layout->lineForTextPosition(at);
  if (!line.isValid()) line = layout->lineAt(std::max(0, layout->lineCount() - 1));
  if (!line.isValid()) return {};
  const qreal top = line.cursorToX(at);
  const qreal bottom = line.cursorToX(std::min(at + length, line.textStart() + line.textLength()));
  const QPointF topRight = toViewport(origin + QPointF(top, line.y()));
  return {topRight.x() - line.height(), topRight.y(), line.height(), std::max<qreal>(0, bottom - top)};
}

int VerticalTextEdit::positionAt(const QPointF& viewportPoint) const {
  if (!document_) return 0;
  const int at = document_->documentLayout()->hitTest(toLayout(viewportPoint), Qt::FuzzyHit);
  return at >= 0 ? at : textLength();
}

void VerticalTextEdit::ensureCursorVisible() {
  const QRect caret = cursorRect();
  if (caret.isNull()) return;
  // Moving the text right brings the columns after it (to the left) into view.
  QScrollBar* across = horizontalScrollBar();
  if (caret.left() < 0) setLineScrollOffset(across->value() - caret.left());
  else if (caret.right() >= viewport()->width())
    setLineScrollOffset(across->value() - (caret.right() - viewport()->width() + 1));
  QScrollBar* down = verticalScrollBar();
  if (caret.top() < 0) down->setValue(down->value() + caret.top());
  else if (caret.bottom() >= viewport()->height()) down->setValue(down->value() + caret.bottom() - viewport()->height() + 1);
}

void VerticalTextEdit::moveCursor(const QTextCursor& cursor) {
  const QTextCursor old = cursor_;
  cursor_ = cursor;
  if (hasFocus()) restartBlink();
  ensureCursorVisible();
  viewport()->update();
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImCursorPosition | Qt::ImAnchorPosition |
                                         Qt::ImSurroundingText | Qt::ImCurrentSelection);
  if (old.position() != cursor.position()) Q_EMIT cursorPositionChanged();
  if ((old.hasSelection() || cursor.hasSelection()) &&
      (old.selectionStart() != cursor.selectionStart() || old.selectionEnd() != cursor.selectionEnd()))
    Q_EMIT selectionChanged();
}

void VerticalTextEdit::restartBlink() {
  caretShown_ = true;
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  if (flash > 0) blink_.start(flash / 2, this);
  else blink_.stop();
  viewport()->update(cursorRect().adjusted(-1, -1, 1, 1));
}

void VerticalTextEdit::timerEvent(QTimerEvent* event) {
  if (event->timerId() != blink_.timerId()) return QAbstractScrollArea::timerEvent(event);
  caretShown_ = !caretShown_;
  viewport()->update(cursorRect().adjusted(-1, -1, 1, 1));
}

void VerticalTextEdit::paintEvent(QPaintEvent* event) {
  if (!document_) return;
  QPainter painter(viewport());
  const VerticalPaintArea area{static_cast<qreal>(viewport()->width() + horizontalScrollBar()->value()),
                               static_cast<qreal>(-verticalScrollBar()->value()), QRectF(event->rect())};
  QPalette colours = palette();
  if (!hasFocus()) colours.setCurrentColorGroup(QPalette::Inactive);
  paintVertical(painter, *document_, area, colours, {cursor_.selectionStart(), cursor_.selectionEnd()});
  if (hasFocus() && caretShown_ && (!preeditBlock_.isValid() || preeditCaret_ >= 0))
    painter.fillRect(cursorRect(), colours.color(QPalette::Text));
}

void VerticalTextEdit::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  relayout();
}

void VerticalTextEdit::scrollContentsBy(int, int) { viewport()->update(); }

bool VerticalTextEdit::event(QEvent* event) {
  // Keys the control handles itself are not taken as shortcuts of the menus.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool own = key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
                     key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Undo) ||
                     key->matches(QKeySequence::Redo) || key->matches(QKeySequence::SelectAll) ||
                     key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                     (!key->text().isEmpty() && key->text().at(0).isPrint() &&
                      !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
    if (own) {
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void VerticalTextEdit::keyPressEvent(QKeyEvent* event) {
  if (!document_ || moveByKey(event) || editByKey(event)) return;
  QAbstractScrollArea::keyPressEvent(event);
}

bool VerticalTextEdit::moveByKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll)) {
    QTextCursor c = cursor_;
    c.select(QTextCursor::Document);
    moveCursor(c);
    return true;
  }
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  const bool control = event->modifiers() & Qt::ControlModifier;
  // Along the column: up and down; across the columns, which follow each other leftwards.
  QTextCursor::MoveOperation op = QTextCursor::NoMove;
  int times = 1;
  switch (event->key()) {
    case Qt::Key_Up: op = control ? QTextCursor::PreviousWord : QTextCursor::PreviousCharacter; break;
    case Qt::Key_Down: op = control ? QTextCursor::NextWord : QTextCursor::NextCharacter; break;
    case Qt::Key_Left: op = QTextCursor::Down; break;
    case Qt::Key_Right: op = QTextCursor::Up; break;
    case Qt::Key_Home: op = control ? QTextCursor::Start : QTextCursor::StartOfLine; break;
    case Qt::Key_End: op = control ? QTextCursor::End : QTextCursor::EndOfLine; break;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
      op = event->key() == Qt::Key_PageDown ? QTextCursor::Down : QTextCursor::Up;
      const int pitch = std::max(1, cursorRect().width());
      times = std::max(1, viewport()->width() / pitch - 1);
      break;
    }
    default: return false;
  }
  QTextCursor c = cursor_;
  c.movePosition(op, extend ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor, times);
  moveCursor(c);
  return true;
}

bool VerticalTextEdit::editByKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) copy();
  else if (readOnly_) return false;
  else if (event->matches(QKeySequence::Cut)) cut();
  else if (event->matches(QKeySequence::Paste)) paste();
  else if (event->matches(QKeySequence::Undo)) undo();
  else if (event->matches(QKeySequence::Redo)) redo();
  else {
    QTextCursor c = cursor_;
    switch (event->key()) {
      case Qt::Key_Backspace:
        if (!c.hasSelection() && (event->modifiers() & Qt::ControlModifier))
          c.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
        c.deletePreviousChar();
        break;
      case Qt::Key_Delete:
        if (!c.hasSelection() && (event->modifiers() & Qt::ControlModifier))
          c.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        c.deleteChar();
        break;
      case Qt::Key_Return:
      case Qt::Key_Enter: c.insertBlock(); break;
      default: {
        const QString text = event->text();
        if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
        if (!text.at(0).isPrint() && text.at(0) != QLatin1Char('\t')) return false;
        insertTyped(text);
        return true;
      }
    }
    moveCursor(c);
  }
  return true;
}

void VerticalTextEdit::insertTyped(const QString& text) {
  QTextCursor c = cursor_;
  // Overwriting replaces characters up to the paragraph's end, never the break itself.
  if (overwrite_ && !c.hasSelection())
    for (int i = 0; i < text.size() && !c.atBlockEnd(); ++i) c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
  c.insertText(text);
  moveCursor(c);
}

void VerticalTextEdit::mousePressEvent(QMouseEvent* event) {
  if (!document_ || event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  if (preeditBlock_.isValid()) QGuiApplication::inputMethod()->commit();
  QTextCursor c = cursor_;
  const int at = positionAt(event->position());
  c.setPosition(at, event->modifiers() & Qt::ShiftModifier ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
  dragAnchor_ = c.anchor();
  moveCursor(c);
}

void VerticalTextEdit::mouseMoveEvent(QMouseEvent* event) {
  if (!document_ || dragAnchor_ < 0 || !(event->buttons() & Qt::LeftButton)) return;
  QTextCursor c = cursor_;
  c.setPosition(dragAnchor_);
  c.setPosition(positionAt(event->position()), QTextCursor::KeepAnchor);
  moveCursor(c);
}

void VerticalTextEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
  dragAnchor_ = -1;
  event->accept();
}

void VerticalTextEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!document_ || event->button() != Qt::LeftButton) return;
  QTextCursor c = cursor_;
  c.setPosition(positionAt(event->position()));
  c.select(QTextCursor::WordUnderCursor);
  moveCursor(c);
}

void VerticalTextEdit::wheelEvent(QWheelEvent* event) {
  // The wheel goes on through the columns; with Shift (or a sideways wheel) it moves along them.
  const QPoint delta = event->angleDelta();
  const bool along = (event->modifiers() & Qt::ShiftModifier) || (delta.y() == 0 && delta.x() != 0);
  QScrollBar* bar = along ? verticalScrollBar() : horizontalScrollBar();
  const int notches = delta.y() != 0 ? delta.y() : delta.x();
  const int step = along ? bar->singleStep() : kWheelColumns * bar->singleStep();
  bar->setValue(bar->value() - notches * step / 120);
  event->accept();
}

void VerticalTextEdit::focusInEvent(QFocusEvent* event) {
  restartBlink();
  viewport()->update();
  QAbstractScrollArea::focusInEvent(event);
}

void VerticalTextEdit::focusOutEvent(QFocusEvent* event) {
  blink_.stop();
  viewport()->update();
  QAbstractScrollArea::focusOutEvent(event);
}

bool VerticalTextEdit::focusNextPrevChild(bool next) {
  return readOnly_ && QAbstractScrollArea::focusNextPrevChild(next);
}

void VerticalTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!document_ || readOnly_) return event->ignore();
  handleInputMethodEvent(event, [this](QInputMethodEvent* styled) { applyComposition(*styled); });
}

void VerticalTextEdit::applyComposition(const QInputMethodEvent& event) {
  clearComposition();
  QTextCursor c = cursor_;
  if (!event.commitString().isEmpty() || event.replacementLength() > 0) {
    if (event.replacementLength() > 0) {
      c.setPosition(c.position() + event.replacementStart());
      c.setPosition(c.position() + event.replacementLength(), QTextCursor::KeepAnchor);
    }
    c.insertText(event.commitString());
  } else if (!event.preeditString().isEmpty() && c.hasSelection()) {
    c.removeSelectedText();
  }
  const QString preedit = event.preeditString();
  if (!preedit.isEmpty()) {
    const QTextBlock block = c.block();
    QTextLayout* layout = block.layout();
    const int at = c.position() - block.position();
    QList<QTextLayout::FormatRange> formats;
    preeditCaret_ = static_cast<int>(preedit.size());
    for (const QInputMethodEvent::Attribute& a : event.attributes()) {
      if (a.type == QInputMethodEvent::TextFormat) {
        const QTextCharFormat format = qvariant_cast<QTextFormat>(a.value).toCharFormat();
        if (format.isValid()) formats.append({at + a.start, a.length, format});
      } else if (a.type == QInputMethodEvent::Cursor) {
        preeditCaret_ = a.length > 0 ? a.start : -1;  // a length of 0 hides the caret
      }
    }
    layout->setPreeditArea(at, preedit);
    layout->setFormats(formats);
    preeditBlock_ = block;
    document_->markContentsDirty(block.position(), block.length());
  }
  moveCursor(c);
}

void VerticalTextEdit::clearComposition() {
  if (!preeditBlock_.isValid()) return;
  const QTextBlock block = preeditBlock_;
  preeditBlock_ = QTextBlock();
  preeditCaret_ = -1;
  if (block.layout()) {
    block.layout()->setPreeditArea(-1, QString());
    block.layout()->clearFormats();
    if (document_) document_->markContentsDirty(block.position(), block.length());
  }
}

QVariant VerticalTextEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (!document_) return QAbstractScrollArea::inputMethodQuery(query);
  const QTextBlock block = cursor_.block();
  // The candidate window is placed from the widget's coordinates, not the viewport's.
  const QPoint offset = viewport()->pos();
  switch (query) {
    case Qt::ImEnabled: return !readOnly_;
    case Qt::ImCursorRectangle: {
      // The candidate list opens below this: after the whole composition, which it would
      // otherwise cover, the column running downwards.
      if (preeditBlock_.isValid()) {
        const QTextLayout* layout = preeditBlock_.layout();
        const int end = layout->preeditAreaPosition() + static_cast<int>(layout->preeditAreaText().size());
        return QRectF(caretBar(preeditBlock_, end).translated(offset));
      }
      return QRectF(cursorRect().translated(offset));
    }
    case Qt::ImAnchorRectangle: {
      QTextCursor anchor = cursor_;
      anchor.setPosition(cursor_.anchor());
      return QRectF(cursorRect(anchor).translated(offset));
    }
    case Qt::ImFont: return cursor_.charFormat().font();
    case Qt::ImCursorPosition: return cursor_.position() - block.position();
    case Qt::ImAnchorPosition: return std::clamp(cursor_.anchor() - block.position(), 0, block.length() - 1);
    case Qt::ImSurroundingText: return block.text();
    case Qt::ImCurrentSelection: return plainText(cursor_.selectedText());
    case Qt::ImHints: return static_cast<int>(Qt::ImhMultiLine);
    case Qt::ImAbsolutePosition: return cursor_.position();
    case Qt::ImTextBeforeCursor: return block.text().left(cursor_.position() - block.position());
    case Qt::ImTextAfterCursor: return block.text().mid(cursor_.position() - block.position());
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

}  // namespace wabunko
