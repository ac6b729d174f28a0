#include "VerticalTextAccessible.h"

#include "VerticalTextEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <algorithm>
#include <memory>
#include <mutex>

namespace wabunko {
namespace {

// [start, end) of `document`'s text, with its paragraph breaks as "\n".
QString plainText(QTextDocument& document, int start, int end) {
  const int count = document.characterCount() - 1;
  QTextCursor c(&document);
  c.setPosition(std::clamp(start, 0, count));
  c.setPosition(std::clamp(end, 0, count), QTextCursor::KeepAnchor);
  return c.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

QTextBoundaryFinder::BoundaryType finderType(QAccessible::TextBoundaryType boundary) {
  switch (boundary) {
    case QAccessible::CharBoundary: return QTextBoundaryFinder::Grapheme;
    case QAccessible::WordBoundary: return QTextBoundaryFinder::Word;
    default: return QTextBoundaryFinder::Sentence;
  }
}

QAccessibleInterface* accessibleFace(const QString& className, QObject* object) {
  auto* edit = qobject_cast<VerticalTextEdit*>(object);
  if (!edit || className != QLatin1String(VerticalTextEdit::staticMetaObject.className())) return nullptr;
  return new VerticalTextAccessible(edit);
}

}  // namespace

VerticalTextAccessible::VerticalTextAccessible(VerticalTextEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

VerticalTextEdit* VerticalTextAccessible::edit() const { return static_cast<VerticalTextEdit*>(widget()); }

QTextDocument* VerticalTextAccessible::document() const { return edit()->document(); }

QAccessible::State VerticalTextAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.multiLine = true;
  state.selectableText = true;
  if (edit()->isReadOnly()) state.readOnly = true;
  else state.editable = true;
  return state;
}

void* VerticalTextAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

void VerticalTextAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  const QTextCursor c = edit()->textCursor();
  const bool selected = selectionIndex == 0 && c.hasSelection();
  *startOffset = selected ? c.selectionStart() : 0;
  *endOffset = selected ? c.selectionEnd() : 0;
}

int VerticalTextAccessible::selectionCount() const { return edit()->textCursor().hasSelection() ? 1 : 0; }

// The control has one selection: a new one takes its place.
void VerticalTextAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void VerticalTextAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex != 0) return;
  const int caret = cursorPosition();
  select(caret, caret);
}

void VerticalTextAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) select(startOffset, endOffset);
}

int VerticalTextAccessible::cursorPosition() const { return edit()->textCursor().position(); }

void VerticalTextAccessible::setCursorPosition(int position) { select(position, position); }

void VerticalTextAccessible::select(int anchor, int position) {
  if (!document()) return;
  const int count = characterCount();
  QTextCursor c = edit()->textCursor();
  c.setPosition(std::clamp(anchor, 0, count));
  c.setPosition(std::clamp(position, 0, count), QTextCursor::KeepAnchor);
  edit()->setTextCursor(c);
}

QString VerticalTextAccessible::text(int startOffset, int endOffset) const {
  return document() ? plainText(*document(), startOffset, endOffset) : QString();
}

int VerticalTextAccessible::characterCount() const { return document() ? document()->characterCount() - 1 : 0; }

VerticalTextAccessible::Piece VerticalTextAccessible::pieceAt(int offset, QAccessible::TextBoundaryType boundary) const {
  const int count = characterCount();
  if (offset == -1) offset = count;  // the interface's way of saying "the end"
  if (!document() || offset < 0 || offset > count) return {};
  switch (boundary) {
    case QAccessible::NoBoundary: return {0, count};
    case QAccessible::LineBoundary: {
      const int line = edit()->lineFromChar(offset);
      const int next = edit()->lineIndex(line + 1);
      return {edit()->lineIndex(line), next < 0 ? count : next};
    }
    case QAccessible::ParagraphBoundary: {
      const QTextBlock block = document()->findBlock(offset);
      return {block.position(), std::min(block.position() + block.length(), count)};
    }
    default: return pieceInParagraph(offset, boundary);
  }
}

// Characters, words and sentences never run across a paragraph break, so the paragraph's
// text tells them as well as the whole text would.
VerticalTextAccessible::Piece VerticalTextAccessible::pieceInParagraph(int offset,
                                                                       QAccessible::TextBoundaryType boundary) const {
  const QTextBlock block = document()->findBlock(offset);
  QString text = block.text();
  if (block.next().isValid()) text += QLatin1Char('\n');
  const int at = offset - block.position();
  if (at == text.size()) {  // the end of the text
    if (boundary == QAccessible::CharBoundary || text.isEmpty()) return {offset, offset};
    return pieceInParagraph(offset - 1, boundary);
  }
  QTextBoundaryFinder finder(finderType(boundary), text);
  finder.setPosition(at);
  const int start = finder.isAtBoundary() ? at : static_cast<int>(finder.toPreviousBoundary());
  finder.setPosition(at);
  const int end = static_cast<int>(finder.toNextBoundary());
  return {block.position() + start, block.position() + end};
}

QString VerticalTextAccessible::answer(Piece piece, int* startOffset, int* endOffset) const {
  *startOffset = piece.start;
  *endOffset = piece.end;
  return piece.start < 0 ? QString() : text(piece.start, piece.end);
}

QString VerticalTextAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                                             int* endOffset) const {
  return answer(pieceAt(offset, boundary), startOffset, endOffset);
}

QString VerticalTextAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                                 int* startOffset, int* endOffset) const {
  const Piece at = pieceAt(offset, boundary);
  return answer(at.start > 0 ? pieceAt(at.start - 1, boundary) : Piece{}, startOffset, endOffset);
}

QString VerticalTextAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                                                int* endOffset) const {
  const Piece at = pieceAt(offset, boundary);
  const bool more = at.start >= 0 && at.end < characterCount();
  return answer(more ? pieceAt(at.end, boundary) : Piece{}, startOffset, endOffset);
}

QRect VerticalTextAccessible::characterRect(int offset) const {
  if (!document() || offset < 0 || offset > characterCount()) return {};
  const QRectF cell = edit()->characterRect(offset);
  if (cell.isNull()) return {};
  return cell.toAlignedRect().translated(edit()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int VerticalTextAccessible::offsetAtPoint(const QPoint& point) const {
  const QWidget* viewport = edit()->viewport();
  const QPoint local = viewport->mapFromGlobal(point);
  if (!document() || !viewport->rect().contains(local)) return -1;
  return document()->documentLayout()->hitTest(edit()->toLayout(local), Qt::ExactHit);
}

// Brings the substring's start into view: its column first (rightmost) when it is out of
// view, and without wrapping its character to the top when that is.
void VerticalTextAccessible::scrollToSubstring(int startIndex, int /*endIndex*/) {
  if (!document() || startIndex < 0 || startIndex > characterCount()) return;
  VerticalTextEdit* e = edit();
  const QRect view = e->viewport()->rect();
  QRectF cell = e->characterRect(startIndex);
  if (cell.left() < view.left() || cell.right() > view.right() + 1)
    e->lineScroll(e->lineFromChar(startIndex) - e->firstVisibleLine());
  cell = e->characterRect(startIndex);
  if (cell.top() < view.top() || cell.bottom() > view.bottom() + 1) {
    QScrollBar* down = e->verticalScrollBar();
    down->setValue(down->value() + static_cast<int>(cell.top()));
  }
}

// No attributes anywhere: the whole text is one run.
QString VerticalTextAccessible::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

void VerticalTextAccessible::deleteText(int startOffset, int endOffset) { replaceText(startOffset, endOffset, {}); }

void VerticalTextAccessible::insertText(int offset, const QString& text) { replaceText(offset, offset, text); }

void VerticalTextAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  if (!document() || edit()->isReadOnly()) return;
  const int count = characterCount();
  // A cursor of its own: the caret stays where the user left it (and follows the text).
  QTextCursor c(document());
  c.setPosition(std::clamp(startOffset, 0, count));
  c.setPosition(std::clamp(endOffset, 0, count), QTextCursor::KeepAnchor);
  c.insertText(text);
}

void VerticalTextAccessibility::watch(VerticalTextEdit* edit) {
  static std::once_flag installed;
  std::call_once(installed, [] { QAccessible::installFactory(accessibleFace); });
  auto* watcher = edit->findChild<VerticalTextAccessibility*>(QString(), Qt::FindDirectChildrenOnly);
  if (!watcher) watcher = new VerticalTextAccessibility(edit);
  watcher->follow();
}

VerticalTextAccessibility::VerticalTextAccessibility(VerticalTextEdit* edit) : QObject(edit), edit_(edit) {
  connect(edit, &VerticalTextEdit::cursorPositionChanged, this, &VerticalTextAccessibility::onCursorPositionChanged);
  connect(edit, &VerticalTextEdit::selectionChanged, this, &VerticalTextAccessibility::onSelectionChanged);
}

void VerticalTextAccessibility::follow() {
  if (edit_->document() == document_) return;
  disconnect(contentsWatch_);
  document_ = edit_->document();
  length_ = document_ ? document_->characterCount() - 1 : 0;
  if (document_)
    contentsWatch_ = connect(document_, &QTextDocument::contentsChange, this, &VerticalTextAccessibility::onContentsChange);
  remember();
}

void VerticalTextAccessibility::onCursorPositionChanged() {
  follow();
  if (QAccessible::isActive() && document_) {
    QAccessibleTextCursorEvent event(edit_, edit_->textCursor().position());
    QAccessible::updateAccessibility(&event);
  }
  remember();
}

// The control also reports a bare caret moving; the reader hears only of selections.
void VerticalTextAccessibility::onSelectionChanged() {
  follow();
  const QTextCursor c = edit_->textCursor();
  const Selection selection = c.hasSelection() ? Selection{c.selectionStart(), c.selectionEnd()} : Selection{};
  if (QAccessible::isActive() && document_ && selection != selection_) {
    QAccessibleTextSelectionEvent event(edit_, c.selectionStart(), c.selectionEnd());
    QAccessible::updateAccessibility(&event);
  }
  selection_ = selection;
  remember();
}

void VerticalTextAccessibility::onContentsChange(int from, int removed, int added) {
  const int length = document_->characterCount() - 1;
  // A document filled afresh counts its final paragraph break among the changed characters.
  removed = std::min(removed, length_ - from);
  added = std::min(added, length - from);
  length_ = length;
  if (QAccessible::isActive()) {
    const QString gone = removedText(from, removed);
    const QString came = plainText(*document_, from, from + added);
    // The same text again: only its formats changed.
    if (gone != came) {
      std::unique_ptr<QAccessibleEvent> event;
      if (gone.isEmpty()) event = std::make_unique<QAccessibleTextInsertEvent>(edit_, from, came);
      else if (came.isEmpty()) event = std::make_unique<QAccessibleTextRemoveEvent>(edit_, from, gone);
      else event = std::make_unique<QAccessibleTextUpdateEvent>(edit_, from, gone, came);
      QAccessible::updateAccessibility(event.get());
    }
  }
  remember();
}

void VerticalTextAccessibility::remember() {
  remembered_.clear();
  if (!QAccessible::isActive() || !document_) return;
  const QTextCursor c = edit_->textCursor();
  const QTextBlock last = document_->findBlock(c.selectionEnd());
  rememberedFrom_ = std::max(0, document_->findBlock(c.selectionStart()).position() - 1);
  remembered_ = plainText(*document_, rememberedFrom_, last.position() + last.length());
}

QString VerticalTextAccessibility::removedText(int from, int removed) const {
  const int at = from - rememberedFrom_;
  if (at >= 0 && at + removed <= remembered_.size()) return remembered_.mid(at, removed);
  // Not known: the reader still learns how much went.
  return QString(removed, QLatin1Char(' '));
}

}  // namespace wabunko
