#include "OnDemandDocumentLayout.h"
#include "LayoutPlaces.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextObjectInterface>
#include <QTimerEvent>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <optional>

namespace wabunko {
namespace {

// A line without a page width to fill.
constexpr qreal kUnbounded = 1e7;
// Up to this many paragraphs changed at once are laid out again at once (an edit is
// usually in view); more stand at estimated heights until asked about.
constexpr int kLaidOutAtOnce = 16;

// Paragraphs of these lengths keep their shaped glyphs until they change (some tens of
// bytes a character), so painting does not shape them all again.
constexpr int kKeepsGlyphsFrom = 4096;
constexpr int kKeepsGlyphsUpTo = 1 << 20;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Left and right exchange places in right-to-left paragraphs unless the alignment is
// absolute.
Qt::Alignment visualAlignment(Qt::LayoutDirection direction, Qt::Alignment alignment) {
  if (!(alignment & Qt::AlignHorizontal_Mask)) alignment |= Qt::AlignLeft;
  if (!(alignment & Qt::AlignAbsolute) && (alignment & (Qt::AlignLeft | Qt::AlignRight))) {
    if (direction == Qt::RightToLeft) alignment ^= (Qt::AlignLeft | Qt::AlignRight);
    alignment |= Qt::AlignAbsolute;
  }
  return alignment;
}

// The space between two paragraphs: the larger of the margins that meet there.
qreal spaceBetween(const QTextBlockFormat& above, const QTextBlockFormat& below) {
  return std::max(above.bottomMargin(), below.topMargin());
}

void setWrapMode(QTextLayout& layout, QTextOption& option, QTextOption::WrapMode mode) {
  option.setWrapMode(mode);
  layout.setTextOption(option);
}

// Where a line of a paragraph may next end at a word, asked for the start of each line in
// turn. Qt, breaking a line at words when it can and anywhere when it cannot, first reads
// on from the line's start to the next place a word may end, which in a long run without
// one (base64, or a single letter, a megabyte on one line) lies far beyond the line; doing
// so for every line of the run took 19 s for a megabyte and four times that for two. A
// line whose word cannot fit is broken anywhere at once instead.
class WordEnds {
public:
  explicit WordEnds(const QString& text) : text_(text), finder_(QTextBoundaryFinder::Line, text) {}

  // Characters from `start` up to the last one shown of the word `start` lies in: blanks
  // at a word's end hang past the line's end.
  qsizetype shownFrom(qsizetype start) {
    if (next_ <= start) {
      finder_.setPosition(start);
      next_ = finder_.toNextBoundary();
      if (next_ < 0) next_ = text_.size();
      shownEnd_ = next_;
      while (shownEnd_ > 0 && text_.at(shownEnd_ - 1).isSpace()) --shownEnd_;
    }
    return std::max<qsizetype>(shownEnd_ - start, 0);
  }

private:
  const QString& text_;
  QTextBoundaryFinder finder_;
  qsizetype next_ = -1;
  qsizetype shownEnd_ = 0;
};

// Words up to this long are read to their end as Qt does: that costs no more than a line.
constexpr qsizetype kLongWord = 1024;

// Pictures in the text, at the size their format gives or their own.
class PictureHandler : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)
public:
  using QObject::QObject;

  QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
    const QTextImageFormat f = format.toImageFormat();
    const QSizeF own = pictureOf(document, f).size();
    const bool width = f.hasProperty(QTextFormat::ImageWidth);
    const bool height = f.hasProperty(QTextFormat::ImageHeight);
    if (width && height) return {f.width(), f.height()};
    if (own.isEmpty()) return {width ? f.width() : 0, height ? f.height() : 0};
    if (width) return {f.width(), own.height() * f.width() / own.width()};
    if (height) return {own.width() * f.height() / own.height(), f.height()};
    return own;
  }

  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int, const QTextFormat& format) override {
    painter->drawImage(rect, pictureOf(document, format.toImageFormat()));
  }

private:
  static QImage pictureOf(QTextDocument* document, const QTextImageFormat& format) {
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.canConvert<QImage>()) return qvariant_cast<QImage>(resource);
    if (resource.canConvert<QPixmap>()) return qvariant_cast<QPixmap>(resource).toImage();
    return QImage::fromData(resource.toByteArray());
  }
};

}  // namespace

OnDemandDocumentLayout::OnDemandDocumentLayout(QTextDocument* document) : QAbstractTextDocumentLayout(document) {
  registerHandler(QTextFormat::ImageObject, new PictureHandler(this));
}

OnDemandDocumentLayout::~OnDemandDocumentLayout() = default;

void OnDemandDocumentLayout::install(QTextDocument& document) {
  if (!qobject_cast<OnDemandDocumentLayout*>(document.documentLayout()))
    document.setDocumentLayout(new OnDemandDocumentLayout(&document));
}

OnDemandDocumentLayout::PageKey OnDemandDocumentLayout::pageKey() const {
  const QTextDocument* doc = document();
  const QTextOption option = doc->defaultTextOption();
  return {doc->pageSize(),       doc->defaultFont(), option.wrapMode(),  option.flags(),
          option.alignment(),    option.tabStopDistance(), option.tabs(), doc->documentMargin(),
          doc->indentWidth(),    doc->useDesignMetrics()};
}

int OnDemandDocumentLayout::laidOutCount() const {
  return static_cast<int>(std::count(laidOut_.begin(), laidOut_.end(), 1));
}

qreal OnDemandDocumentLayout::margin() const { return document()->documentMargin(); }

qreal OnDemandDocumentLayout::pageLineWidth() const {
  const qreal width = document()->pageSize().width();
  return width > 0 ? std::max<qreal>(width - 2 * margin(), 0) : kUnbounded;
}

bool OnDemandDocumentLayout::inStep() const { return laidOut_.size() == at(document()->blockCount()); }

int OnDemandDocumentLayout::known(int number) const {
  return std::clamp(number, 0, static_cast<int>(laidOut_.size()) - 1);
}

void OnDemandDocumentLayout::reset() const {
  const QTextDocument* doc = document();
  key_ = pageKey();
  ++generation_;
  const QFontMetricsF metrics(doc->defaultFont());
  lineEstimate_ = std::ceil(metrics.ascent() + metrics.descent() + std::max<qreal>(metrics.leading(), 0));
  charEstimate_ = std::max(metrics.horizontalAdvance(QChar(0x3042)), metrics.averageCharWidth());
  std::size_t i = 0;
  for (QTextBlock block = doc->begin(); block.isValid() && i < laidOut_.size(); block = block.next(), ++i)
    if (laidOut_[i]) block.layout()->clearLayout();
  const int count = doc->blockCount();
  laidOut_.assign(at(count), 0);
  spaces_.assign(at(count), 0);
  heights_.assign(at(count), 0);
  widest_ = 0;
  std::vector<qreal> heights;
  heights.reserve(at(count));
  int number = 0;
  QTextBlockFormat above;  // none above the first paragraph
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++number) {
    const QTextBlockFormat format = block.blockFormat();
    spaces_[at(number)] = spaceBetween(above, format);
    above = format;
    heights.push_back(spaces_[at(number)] + estimatedLinesHeight(block));
  }
  heights_.set(0, std::span<const qreal>(heights));
}

qreal OnDemandDocumentLayout::spaceAbove(const QTextBlock& block) const {
  const QTextBlock previous = block.previous();
  return spaceBetween(previous.isValid() ? previous.blockFormat() : QTextBlockFormat(), block.blockFormat());
}

qreal OnDemandDocumentLayout::estimatedLinesHeight(const QTextBlock& block) const {
  const QTextOption::WrapMode mode = document()->defaultTextOption().wrapMode();
  const bool wraps = mode != QTextOption::NoWrap && mode != QTextOption::ManualWrap && document()->pageSize().width() > 0;
  const qreal width = wraps ? pageLineWidth() : 0;
  const qreal lines = width > 0 ? std::max<qreal>(1, std::ceil((block.length() - 1) * charEstimate_ / width)) : 1;
  return lines * lineEstimate_;
}

void OnDemandDocumentLayout::setHeight(const QTextBlock& block, int number, qreal lines) const {
  spaces_[at(number)] = spaceAbove(block);
  const qreal height = spaces_[at(number)] + lines;
  if (height == heights_[at(number)]) return;
  heights_.set(at(number), height);
  heightsChanged();
}

void OnDemandDocumentLayout::ensureLaidOut(const QTextBlock& block, int number) const {
  // The document forgets a paragraph's lines when its text or formats change.
  if (!inStep() || !laidOut_[at(number)] || block.layout()->lineCount() == 0) layOut(block, number);
}

void OnDemandDocumentLayout::layOut(const QTextBlock& block, int number) const {
  const QTextDocument* doc = document();
  QTextLayout* layout = block.layout();
  const QTextBlockFormat format = block.blockFormat();
  const Qt::LayoutDirection direction = block.textDirection();
  QTextOption option = doc->defaultTextOption();
  option.setTextDirection(direction);
  option.setTabs(format.tabPositions());
  option.setAlignment(visualAlignment(direction, format.hasProperty(QTextFormat::BlockAlignment) ? format.alignment() : option.alignment()));
  if (format.nonBreakableLines() || doc->pageSize().width() < 0) option.setWrapMode(QTextOption::ManualWrap);
  layout->setTextOption(option);
  layout->setCacheEnabled(block.length() > kKeepsGlyphsFrom && block.length() <= kKeepsGlyphsUpTo);

  const bool rightToLeft = direction == Qt::RightToLeft;
  const qreal marks = option.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators
                          ? QFontMetricsF(block.charFormat().font()).horizontalAdvance(QChar(0x21B5))
                          : 0;
  const qreal indent = format.indent() * doc->indentWidth();
  const qreal left = format.leftMargin() + (rightToLeft ? marks : indent);
  const qreal right = format.rightMargin() + (rightToLeft ? indent : marks);
  const qreal width = pageLineWidth() - left - right;
  qreal y = 0;
  qreal bottom = 0;
  // The text as the lines count it, the input method's unfinished text included.
  QString text = block.text();
  if (!layout->preeditAreaText().isEmpty()) text.insert(layout->preeditAreaPosition(), layout->preeditAreaText());
  std::optional<WordEnds> wordEnds;
  if (text.size() > kLongWord) wordEnds.emplace(text);
  layout->beginLayout();
  for (bool first = true;; first = false) {
    QTextLine line = layout->createLine();
    if (!line.isValid()) break;
    line.setLeadingIncluded(true);
    const qreal lineWidth = width - (first ? format.textIndent() : 0);
    if (wordEnds && option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere &&
        wordEnds->shownFrom(line.textStart()) > kLongWord) {
      setWrapMode(*layout, option, QTextOption::WrapAnywhere);
      line.setLineWidth(lineWidth);
      const bool fitsAtWords = wordEnds->shownFrom(line.textStart()) <= line.textLength();
      setWrapMode(*layout, option, QTextOption::WrapAtWordBoundaryOrAnywhere);
      if (fitsAtWords) line.setLineWidth(lineWidth);
    } else {
      line.setLineWidth(lineWidth);
    }
    if (line.naturalTextWidth() > lineWidth) {
      // A line that does not fit (no wrapping, or nowhere to break) takes the width it
      // needs, as in Qt's layout, which breaks it anywhere when words may be broken and
      // from then on breaks the paragraph at words.
      const bool anywhere = option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere;
      if (anywhere) setWrapMode(*layout, option, QTextOption::WrapAnywhere);
      line.setLineWidth(std::max(line.naturalTextWidth(), lineWidth));
      if (anywhere) setWrapMode(*layout, option, QTextOption::WordWrap);
    }
    const qreal advance = format.lineHeight(std::ceil(line.ascent() + line.descent() + line.leading()), 1);
    qreal adjustment = 0;
    if (format.lineHeightType() == QTextBlockFormat::FixedHeight)
      adjustment = line.ascent() + std::max<qreal>(line.leading(), 0) - advance * 4 / 5;
    else if (format.lineHeightType() == QTextBlockFormat::MinimumHeight)
      adjustment = line.height() - advance;
    line.setPosition(QPointF(left + (first && !rightToLeft ? format.textIndent() : 0), y - adjustment));
    bottom = y + format.lineHeight(line.height(), 1);
    y += advance;
    widest_ = std::max(widest_, 2 * margin() + line.x() + line.naturalTextWidth() + right);
  }
  layout->endLayout();
  layout->setPosition(QPointF(margin(), 0));
  // Between a change and the document's report of it (asked from a handler of the change)
  // paragraph numbers may not match the ones kept here: nothing is recorded then.
  if (!inStep()) return;
  laidOut_[at(number)] = 1;
  setHeight(block, number, std::max(y, bottom));
}

qreal OnDemandDocumentLayout::slotTop(int number) const { return margin() + heights_.sumBefore(at(known(number))); }

QPointF OnDemandDocumentLayout::origin(int number) const { return {margin(), slotTop(number) + spaces_[at(known(number))]}; }

QTextBlock OnDemandDocumentLayout::blockAt(qreal y) const {
  if (heights_.size() == 0) reset();
  const int count = static_cast<int>(std::min(heights_.size(), at(document()->blockCount())));
  int number = std::min(static_cast<int>(heights_.locate(y - margin()).index), count - 1);
  QTextBlock block = document()->findBlockByNumber(number);
  // Laid out, a paragraph keeps its top but may end above `y`.
  for (;;) {
    ensureLaidOut(block, number);
    if (!block.next().isValid() || number + 1 >= count || slotTop(number) + heights_[at(number)] > y) return block;
    block = block.next();
    ++number;
  }
}

void OnDemandDocumentLayout::draw(QPainter* painter, const PaintContext& context) {
  const QTextDocument* doc = document();
  if (doc->pageSize().isNull()) return;
  const QRectF clip = context.clip.isValid() ? context.clip : QRectF(0, 0, kUnbounded, kUnbounded);
  const QPen pen = painter->pen();
  painter->setPen(context.palette.color(QPalette::Text));
  QTextBlock block = blockAt(std::max<qreal>(clip.top(), 0));
  for (int number = block.blockNumber(); block.isValid() && at(number) < laidOut_.size(); block = block.next(), ++number) {
    if (slotTop(number) > clip.bottom()) break;
    ensureLaidOut(block, number);
    QTextLayout* layout = block.layout();
    const QPointF offset = origin(number);
    const QTextBlockFormat format = block.blockFormat();
    if (format.background().style() != Qt::NoBrush)
      painter->fillRect(QRectF(offset, QSizeF(std::max(documentSize().width() - 2 * margin(), 0.0), layout->boundingRect().height())),
                        format.background());

    const int start = block.position();
    const int length = block.length();
    QList<QTextLayout::FormatRange> selections;
    for (const Selection& selection : context.selections) {
      const int from = selection.cursor.selectionStart() - start;
      const int to = selection.cursor.selectionEnd() - start;
      if (from < length && to > 0 && to > from) {
        selections.append({from, to - from, selection.format});
      } else if (!selection.cursor.hasSelection() && selection.format.hasProperty(QTextFormat::FullWidthSelection) &&
                 block.contains(selection.cursor.position())) {
        // A full-width selection needs only a position to name its line.
        const QTextLine line = layout->lineForTextPosition(selection.cursor.position() - start);
        QTextLayout::FormatRange range{line.textStart(), line.textLength(), selection.format};
        if (range.start + range.length == length - 1) ++range.length;  // the paragraph break too
        selections.append(range);
      }
    }
    layout->draw(painter, offset, selections, clip);

    int caret = context.cursorPosition;
    const bool composing = caret < -1 && !layout->preeditAreaText().isEmpty();
    if (composing || (caret >= start && caret < start + length)) {
      caret = composing ? layout->preeditAreaPosition() - (caret + 2) : caret - start;
      layout->drawCursor(painter, offset, caret, cursorWidth_);
    }
  }
  painter->setPen(pen);
}

int OnDemandDocumentLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const {
  const QTextDocument* doc = document();
  if (doc->pageSize().isNull()) return -1;
  const QTextBlock block = blockAt(point.y());
  const QTextLayout* layout = block.layout();
  const QPointF local = point - origin(block.blockNumber());
  // The first line whose bottom is below the point, or the last.
  int i = 0;
  while (i + 1 < layout->lineCount() && layout->lineAt(i).rect().bottom() <= local.y()) ++i;
  const QTextLine line = layout->lineAt(i);
  if (!line.isValid()) return -1;
  if (accuracy == Qt::ExactHit && !line.naturalTextRect().contains(local)) return -1;
  const int position = block.position() + line.xToCursor(local.x());
  const int last = doc->characterCount() - 1 + static_cast<int>(layout->preeditAreaText().size());
  return std::clamp(position, 0, last);
}

int OnDemandDocumentLayout::pageCount() const {
  const qreal page = document()->pageSize().height();
  return page > 0 ? std::max(1, static_cast<int>(std::ceil(documentSize().height() / page))) : 1;
}

QSizeF OnDemandDocumentLayout::documentSize() const {
  return {std::max(document()->pageSize().width(), widest_), 2 * margin() + heights_.total()};
}

QRectF OnDemandDocumentLayout::frameBoundingRect(QTextFrame* frame) const {
  if (frame != document()->rootFrame() || document()->pageSize().isNull()) return {};
  return {QPointF(0, 0), documentSize()};
}

QRectF OnDemandDocumentLayout::blockBoundingRect(const QTextBlock& block) const {
  if (document()->pageSize().isNull() || !block.isValid() || block.document() != document()) return {};
  const int number = block.blockNumber();
  ensureLaidOut(block, number);
  return {origin(number), block.layout()->boundingRect().size()};
}

void OnDemandDocumentLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
  const QTextDocument* doc = document();
  const bool whole = from <= 0 && charsAdded >= doc->characterCount();
  const bool samePage = pageKey() == key_;
  const auto change = changedParagraphs(*doc, from, charsAdded, static_cast<int>(laidOut_.size()));
  int first = 0;
  if (whole && charsRemoved == 0 && samePage && inStep()) {
    // Asked to lay everything out again (the same page size set anew, say) with nothing
    // that changes the lines: every paragraph keeps its own.
  } else if (!change || !samePage) {
    reset();
  } else {
    first = change->first;
    const int inserted = change->inserted;
    const auto replace = [&](auto& values) {
      const auto begin = values.begin() + first;
      values.insert(values.erase(begin, begin + change->removed), at(inserted), 0);
    };
    replace(laidOut_);
    replace(spaces_);
    heights_.replace(at(first), at(change->removed), at(inserted), 0);
    const bool now = inserted <= kLaidOutAtOnce && !doc->pageSize().isNull();
    QTextBlock block = doc->findBlockByNumber(first);
    for (int number = first; number < first + inserted; ++number, block = block.next()) {
      if (now) layOut(block, number);
      else setHeight(block, number, estimatedLinesHeight(block));
    }
    // The paragraph below keeps the space its neighbour's bottom margin asks for.
    if (block.isValid() && spaceAbove(block) != spaces_[at(first + inserted)]) {
      const int below = first + inserted;
      setHeight(block, below, heights_[at(below)] - spaces_[at(below)]);
    }
  }
  Q_EMIT update(QRectF(0, slotTop(first), kUnbounded, kUnbounded));
  sizeTimer_.stop();
  if (const QSizeF size = documentSize(); size != reportedSize_) {
    reportedSize_ = size;
    Q_EMIT documentSizeChanged(size);
  }
}

void OnDemandDocumentLayout::heightsChanged() const {
  // Reported from the event loop: a height learnt while painting or answering a question
  // must not move the scroll bars under the one asking.
  if (!sizeTimer_.isActive()) sizeTimer_.start(0, const_cast<OnDemandDocumentLayout*>(this));
}

void OnDemandDocumentLayout::timerEvent(QTimerEvent* event) {
  if (event->timerId() != sizeTimer_.timerId()) {
    QAbstractTextDocumentLayout::timerEvent(event);
    return;
  }
  sizeTimer_.stop();
  const QSizeF size = documentSize();
  if (size == reportedSize_) return;
  reportedSize_ = size;
  Q_EMIT documentSizeChanged(size);
}

}  // namespace wabunko

#include "OnDemandDocumentLayout.moc"
