#include "DocumentEditControl.h"
#include "platform/CompositionFormat.h"
#include "LayoutPlaces.h"
#include "OnDemandDocumentLayout.h"
#include "platform/Utf16.h"

#include <QAbstractTextDocumentLayout>
#include <QPalette>
#include <QTextDocument>
#include <QTextLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace wabunko {

void DocumentEditControl::watchDocument(QTextDocument* document) {
  QObject::disconnect(watching_);
  if (!document) return;
  OnDemandDocumentLayout::install(*document);
  watching_ = QObject::connect(document, &QTextDocument::contentsChange, widget(),
                               [this](int from, int removed, int added) { onContentsChange(from, removed, added); });
  lines_.reset(document->blockCount());
}

void DocumentEditControl::getSel(int& start, int& end) const {
  const QTextCursor c = textCursor();
  start = c.selectionStart();
  end = c.selectionEnd();
}

void DocumentEditControl::setSel(int start, int end) {
  const int length = textLength();
  const auto clamp = [length](int p) { return p < 0 || p > length ? length : p; };
  QTextCursor c(textDocument());
  c.setPosition(clamp(start));
  c.setPosition(clamp(end), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

QString DocumentEditControl::selectedText() const {
  QString text = textCursor().selectedText();
  // QTextCursor gives paragraph breaks as U+2029.
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  return text;
}

void DocumentEditControl::replaceSel(const QString& text, bool canUndo) {
  QString normalized = text;
  normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  // A replacement that cannot be undone also forgets the earlier steps, whose positions
  // would no longer fit the text.
  const bool undo = textDocument()->isUndoRedoEnabled();
  if (!canUndo) textDocument()->setUndoRedoEnabled(false);
  QTextCursor c = textCursor();
  c.insertText(normalized);
  setTextCursor(c);
  if (!canUndo) textDocument()->setUndoRedoEnabled(undo);
}

void DocumentEditControl::replaceRanges(const std::vector<int>& starts, int length, const QString& text) {
  if (starts.empty()) return;
  QTextDocument* doc = textDocument();
  // A layout that is complete lays a changed stretch out again at once, every paragraph
  // from the first change to the last; one that is under way lays out only what it has
  // reached. Starting it over from the top (the page size set again does that) keeps a
  // change all over a large text from waiting for the whole layout.
  doc->setPageSize(doc->pageSize());
  QTextCursor cursor(doc);
  cursor.beginEditBlock();
  // From the end backwards, so the places still to replace stay where they were.
  for (auto at = starts.rbegin(); at != starts.rend(); ++at) {
    cursor.setPosition(*at);
    cursor.setPosition(*at + length, QTextCursor::KeepAnchor);
    cursor.insertText(text);
  }
  cursor.endEditBlock();
}

int DocumentEditControl::textLength() const {
  // characterCount() includes the final paragraph separator that is not part of the text.
  return textDocument()->characterCount() - 1;
}

bool DocumentEditControl::isModified() const { return textDocument()->isModified(); }

void DocumentEditControl::setModified(bool modified) { textDocument()->setModified(modified); }

int DocumentEditControl::selectionStart() const { return textCursor().selectionStart(); }

void DocumentEditControl::onContentsChange(int from, int /*removed*/, int added) {
  const QTextDocument* doc = textDocument();
  if (const auto change = changedParagraphs(*doc, from, added, lines_.paragraphCount()))
    lines_.replace(change->first, change->removed, change->inserted);
  else
    lines_.reset(doc->blockCount());
}

bool DocumentEditControl::wraps() const {
  // Without a page size (a control never shown) the layout lays nothing out.
  return layoutWraps() && !textDocument()->pageSize().isNull();
}

void DocumentEditControl::checkLayout() const {
  const auto* layout = qobject_cast<const OnDemandDocumentLayout*>(textDocument()->documentLayout());
  const std::pair<int, bool> measuredWith{layout ? layout->generation() : -1, wraps()};
  if (measuredWith != measuredWith_ || lines_.paragraphCount() != textDocument()->blockCount()) {
    measuredWith_ = measuredWith;
    lines_.reset(textDocument()->blockCount());
    return;
  }
  // The composition changes its paragraph's lines without any change of the text: that
  // paragraph is measured afresh while it lasts and once after it ends.
  const QTextBlock caret = textCursor().block();
  const int composing = caret.layout()->preeditAreaText().isEmpty() ? -1 : caret.blockNumber();
  for (const int paragraph : {composedParagraph_, composing})
    if (paragraph >= 0 && paragraph < lines_.paragraphCount()) lines_.replace(paragraph, 1, 1);
  composedParagraph_ = composing;
}

void DocumentEditControl::measureThrough(int last) const {
  checkLayout();
  for (int first = lines_.firstUnknown(); first >= 0 && first <= last; first = lines_.firstUnknown())
    measureRun(first, lines_.unknownRunEnd(first, last));
}

void DocumentEditControl::measureRun(int first, int last) const {
  QTextDocument* doc = textDocument();
  const bool laidOut = wraps();
  std::vector<int> counts;
  if (!laidOut && last - first >= lines_.paragraphCount() / 8) {
    // A long run costs less from the whole text at once than paragraph by paragraph.
    // Paragraphs are separated by U+2029 in it unless the document holds frames.
    counts = unwrappedLineCounts(utf16(doc->toRawText()));
    if (static_cast<int>(counts.size()) == lines_.paragraphCount()) {
      lines_.setLines(first, std::span(counts).subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1)));
      return;
    }
    counts.clear();
  }
  counts.reserve(static_cast<std::size_t>(last - first + 1));
  QTextBlock block = doc->findBlockByNumber(first);
  for (int i = first; i <= last; ++i, block = block.next()) {
    // Without wrapping, from the text alone (nothing waits for the layout).
    counts.push_back(laidOut ? laidOutLines(block)->lineCount() : unwrappedLineCount(utf16(block.text())));
  }
  lines_.setLines(first, counts);
}

const QTextLayout* DocumentEditControl::laidOutLines(const QTextBlock& block) const {
  textDocument()->documentLayout()->blockBoundingRect(block);
  return block.layout();
}

std::vector<int> DocumentEditControl::lineStarts(const QTextBlock& block) const {
  if (wraps()) {
    const QTextLayout* layout = laidOutLines(block);
    if (const int n = layout->lineCount(); n > 0) {
      std::vector<int> starts(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) starts[static_cast<std::size_t>(i)] = withoutComposition(*layout, layout->lineAt(i).textStart());
      return starts;
    }
  }
  return unwrappedLineStarts(utf16(block.text()));
}

DocumentEditControl::LinePlace DocumentEditControl::placeOfLine(const QTextBlock& block, int line) const {
  const std::vector<int> starts = lineStarts(block);
  const int last = static_cast<int>(starts.size()) - 1;
  line = std::clamp(line, 0, last);
  const int end = line < last ? starts[static_cast<std::size_t>(line) + 1] : block.length() - 1;
  return {block, line, starts[static_cast<std::size_t>(line)], end};
}

DocumentEditControl::LinePlace DocumentEditControl::placeOfPosition(int pos) const {
  pos = std::clamp(pos, 0, textLength());
  const QTextBlock block = textDocument()->findBlock(pos);
  const std::vector<int> starts = lineStarts(block);
  const auto after = std::upper_bound(starts.begin(), starts.end(), pos - block.position());
  return placeOfLine(block, static_cast<int>(after - starts.begin()) - 1);
}

DocumentEditControl::LinePlace DocumentEditControl::placeOfDisplayLine(int line) const {
  checkLayout();
  for (;;) {
    const DisplayLineIndex::Place place = lines_.locate(line);
    const int unknown = lines_.firstUnknown();
    if (unknown < 0 || unknown > place.paragraph) {
      if (place.paragraph >= lines_.paragraphCount()) return {};
      return placeOfLine(textDocument()->findBlockByNumber(place.paragraph), place.lineInParagraph);
    }
    // Unmeasured paragraphs count one line, so the answer lies at or before the one found:
    // measuring half the way there at a time keeps the layout from running far past it.
    const int target = std::min(place.paragraph, lines_.paragraphCount() - 1);
    measureThrough(wraps() ? unknown + (target - unknown) / 2 : target);
  }
}

int DocumentEditControl::lengthOf(const LinePlace& place) const {
  const QChar last = place.end > place.start ? textDocument()->characterAt(place.block.position() + place.end - 1) : QChar();
  return lengthWithoutBreak(place.start, place.end, last.unicode());
}

qreal DocumentEditControl::lineTop(const LinePlace& place) const {
  const QTextLayout* layout = place.block.layout();
  if (place.line >= layout->lineCount()) return textDocument()->documentLayout()->blockBoundingRect(place.block).top();
  return layoutOrigin(place.block).y() + layout->lineAt(place.line).y();
}

int DocumentEditControl::lineCount() const {
  measureThrough(textDocument()->blockCount() - 1);
  return lines_.totalLines();
}

int DocumentEditControl::lineFromChar(int pos) const {
  if (pos < 0) pos = selectionStart();
  const LinePlace place = placeOfPosition(pos);
  const int paragraph = place.block.blockNumber();
  measureThrough(paragraph);
  return lines_.linesBefore(paragraph) + place.line;
}

int DocumentEditControl::lineIndex(int line) const {
  if (line < 0) line = lineFromChar(-1);
  const LinePlace place = placeOfDisplayLine(line);
  return place.block.isValid() ? place.block.position() + place.start : -1;
}

int DocumentEditControl::lineLength(int pos) const { return lengthOf(placeOfPosition(pos < 0 ? selectionStart() : pos)); }

QString DocumentEditControl::lineText(int line) const {
  if (line < 0) line = lineFromChar(-1);
  const LinePlace place = placeOfDisplayLine(line);
  return place.block.isValid() ? place.block.text().mid(place.start, lengthOf(place)) : QString();
}

int DocumentEditControl::firstVisibleLine() const {
  const QAbstractTextDocumentLayout* layout = textDocument()->documentLayout();
  // The layout's hit test is unreliable above the first line (in the document's margin),
  // where the first line is the first visible one anyway; elsewhere it may land on a
  // neighbour of the paragraph at the top, which is then corrected.
  const qreal top = std::max<qreal>(lineScrollOffset(), layout->blockBoundingRect(textDocument()->begin()).top());
  QTextBlock block = textDocument()->findBlock(layout->hitTest(QPointF(0, top), Qt::FuzzyHit));
  while (block.previous().isValid() && layout->blockBoundingRect(block).top() > top) block = block.previous();
  while (block.next().isValid() && layout->blockBoundingRect(block).bottom() <= top) block = block.next();
  // The first line of that paragraph whose bottom is below the top of the view.
  const QTextLayout* lines = block.layout();
  const qreal origin = layout->blockBoundingRect(block).top() - lines->boundingRect().top();
  int line = 0;
  while (line + 1 < lines->lineCount() && origin + lines->lineAt(line).rect().bottom() <= top) ++line;
  const std::vector<int> starts = lineStarts(block);
  return lineFromChar(block.position() + starts[static_cast<std::size_t>(std::min(line, static_cast<int>(starts.size()) - 1))]);
}

void DocumentEditControl::lineScroll(int lines) {
  if (lines == 0) return;
  LinePlace place = placeOfDisplayLine(std::max(firstVisibleLine() + lines, 0));
  // Like the rich-edit control, scrolling stops at the last line.
  if (!place.block.isValid()) place = placeOfDisplayLine(lineCount() - 1);
  setLineScrollOffset(static_cast<int>(std::ceil(lineTop(place))));
}

QTextCharFormat DocumentEditControl::selectionCharFormat() const { return textCursor().charFormat(); }

void DocumentEditControl::setSelectionCharFormat(const QTextCharFormat& format) {
  // Without a selection the cursor keeps the format for the text typed next.
  QTextCursor c = textCursor();
  c.mergeCharFormat(format);
  setTextCursor(c);
}

QTextCharFormat DocumentEditControl::defaultCharFormat() const {
  QTextCharFormat format;
  format.setFont(textDocument()->defaultFont());
  format.setForeground(widget()->palette().color(QPalette::Text));
  return format;
}

void DocumentEditControl::setDefaultCharFormat(const QTextCharFormat& format) {
  textDocument()->setDefaultFont(format.font());
  if (format.hasProperty(QTextFormat::ForegroundBrush)) {
    QPalette p = widget()->palette();
    p.setColor(QPalette::Text, format.foreground().color());
    widget()->setPalette(p);
  }
}

QTextBlockFormat DocumentEditControl::selectionParaFormat() const { return textCursor().blockFormat(); }

void DocumentEditControl::setSelectionParaFormat(const QTextBlockFormat& format) { textCursor().mergeBlockFormat(format); }

void DocumentEditControl::setBackgroundColor(const QColor& color) {
  QPalette p = widget()->palette();
  p.setColor(QPalette::Base, color);
  widget()->setPalette(p);
}

int DocumentEditControl::firstVisibleLineOffset() const {
  const LinePlace top = placeOfDisplayLine(firstVisibleLine());
  if (!top.block.isValid()) return 0;
  // Scrolled to the start, the first line's top is at the document margin.
  return lineScrollOffset() - static_cast<int>(std::lround(lineTop(top) - textDocument()->documentMargin()));
}

void DocumentEditControl::streamIn(const std::function<void(QTextDocument&)>& fill) {
  // Without a page size the layout lays nothing out: the text goes in, and the caret that
  // followed it to its end comes back to the start, without the layout running through the
  // whole text to repaint the caret's old place. The layout then starts afresh from the top.
  QTextDocument* doc = textDocument();
  const QSizeF page = doc->pageSize();
  doc->setPageSize(QSizeF(0, 0));
  // What a file brings in is not a step to undo.
  doc->setUndoRedoEnabled(false);
  fill(*doc);
  doc->setUndoRedoEnabled(true);
  setTextCursor(QTextCursor(doc));
  doc->setPageSize(page);
}

void DocumentEditControl::setCompositionStyles(const std::array<CompositionStyle, 4>& styles) {
  compositionStyles_ = styles;
}

}  // namespace wabunko

// ---- Input method: the composition string's states ----

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>

namespace wabunko {
// Input methods mark their clauses in styles of their own. The composition is drawn in the
// configured styles instead: every text format the input method sent is replaced by one
// per clause, in its state's style; the caret and everything else it sent stays.
void DocumentEditControl::handleInputMethodEvent(QInputMethodEvent* event,
                                                 const std::function<void(QInputMethodEvent*)>& handle) {
  std::vector<PreeditFormat> sent;
  QList<QInputMethodEvent::Attribute> attributes;
  for (const QInputMethodEvent::Attribute& a : event->attributes()) {
    if (a.type == QInputMethodEvent::TextFormat)
      sent.push_back({a.start, a.length, qvariant_cast<QTextFormat>(a.value).background().style() != Qt::NoBrush});
    else
      attributes.append(a);
  }
  const bool wasComposing = !composition_.empty();
  composition_ = classifyComposition(event->preeditString().toStdU16String(), sent, composition_);
  for (const CompositionClause& clause : composition_.clauses)
    attributes.append({QInputMethodEvent::TextFormat, clause.start, clause.length, compositionFormat(clause.state)});

  QInputMethodEvent styled(event->preeditString(), attributes);
  styled.setCommitString(event->commitString(), event->replacementStart(), event->replacementLength());
  handle(&styled);
  event->setAccepted(styled.isAccepted());
  // Some input methods keep a cancelled composition and commit it at the next focus
  // change; forgetting it here keeps it out of the text.
  if (wasComposing && composition_.empty() && event->commitString().isEmpty())
    QGuiApplication::inputMethod()->reset();
}

QTextCharFormat DocumentEditControl::compositionFormat(CompositionState state) const {
  return compositionCharFormat(compositionStyles_.at(static_cast<std::size_t>(state)));
}

}  // namespace wabunko
