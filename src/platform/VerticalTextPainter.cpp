#include "VerticalTextPainter.h"

#include "LayoutPlaces.h"
#include "view/VerticalGlyphs.h"
#include "view/VerticalOrigins.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextObjectInterface>
#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace wabunko {
namespace {

// Superscript and subscript move across the column by this much of the line's height.
constexpr double kScriptShift = 0.25;

// What a font says about its glyphs in vertical text: the substitutions of its `vert`
// feature and where each glyph's origin stands.
struct VerticalFace {
  GlyphSubstitutions substitutions;
  VerticalOrigins origins;
};

std::string_view view(const QByteArray& bytes) { return {bytes.constData(), static_cast<std::size_t>(bytes.size())}; }

// Read once per font.
const VerticalFace& verticalFaceOf(const QRawFont& font) {
  static std::map<QString, VerticalFace> cache;
  const QString key = font.familyName() + QLatin1Char('\n') + font.styleName() + QLatin1Char('\n') +
                      QString::number(font.weight()) + QLatin1Char('\n') + QString::number(int(font.style()));
  auto found = cache.find(key);
  if (found == cache.end()) {
    const QByteArray gsub = font.fontTable("GSUB");
    const QByteArray head = font.fontTable("head"), hhea = font.fontTable("hhea"), vorg = font.fontTable("VORG"),
                     vhea = font.fontTable("vhea"), vmtx = font.fontTable("vmtx"), loca = font.fontTable("loca"),
                     glyf = font.fontTable("glyf");
    found = cache
                .emplace(key, VerticalFace{readVerticalSubstitutions(view(gsub)),
                                           VerticalOrigins({view(head), view(hhea), view(vorg), view(vhea),
                                                            view(vmtx), view(loca), view(glyf)})})
                .first;
  }
  return found->second;
}

// A stretch of a line drawn in one way.
struct Piece {
  int start = 0;  // in the layout's text (with the composition)
  int end = 0;
  QTextCharFormat format;
  bool selected = false;
  Orientation orientation = Orientation::Upright;
  char32_t fallback = 0;  // a single character that may need a vertical stand-in
};

// One paragraph as the layout holds it: its text with the composition put in, and the
// format of every stretch.
class LaidOutParagraph {
public:
  LaidOutParagraph(const QTextBlock& block, const VerticalSelection& selection) : block_(block) {
    const QTextLayout* layout = block.layout();
    text_ = block.text();
    preeditAt_ = layout->preeditAreaPosition();
    preeditLength_ = static_cast<int>(layout->preeditAreaText().size());
    if (preeditLength_ > 0) text_.insert(preeditAt_, layout->preeditAreaText());
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      formats_.push_back({toLayout(fragment.position() - block.position()), fragment.charFormat()});
    }
    if (formats_.empty() || formats_.front().first > 0) formats_.insert(formats_.begin(), {0, block.charFormat()});
    extra_ = layout->formats();
    const int start = selection.start - block.position();
    const int end = selection.end - block.position();
    if (selection.end > selection.start && end > 0 && start < block.length()) {
      selectionStart_ = toLayout(std::max(start, 0));
      selectionEnd_ = toLayout(std::min(end, block.length()));
    }
  }

  const QString& text() const { return text_; }
  bool selectsBreak() const { return selectionEnd_ > static_cast<int>(text_.size()); }

  // The stretches of [from, to), cut where the format, the selection or the orientation
  // changes and around characters that may need a stand-in.
  std::vector<Piece> pieces(int from, int to) const {
    std::vector<int> cuts{from, to};
    const auto cut = [&](int at) {
      if (at > from && at < to) cuts.push_back(at);
    };
    for (const auto& f : formats_) cut(f.first);
    for (const QTextLayout::FormatRange& range : extra_) {
      cut(range.start);
      cut(range.start + range.length);
    }
    cut(preeditAt_);
    cut(preeditAt_ + preeditLength_);
    cut(selectionStart_);
    cut(selectionEnd_);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    std::vector<Piece> pieces;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      // One format and one selection state from cut to cut.
      const QTextCharFormat format = formatAt(cuts[k]);
      const bool selected = cuts[k] >= selectionStart_ && cuts[k] < selectionEnd_;
      const std::size_t first = pieces.size();
      std::optional<QFont> font;  // measured only for characters that follow their glyph
      for (int i = cuts[k]; i < cuts[k + 1];) {
        const int start = i;
        const char32_t c = codePointAt(i);
        i += QChar::requiresSurrogates(c) ? 2 : 1;
        if (orientationFollowsGlyph(c) && !font) font = format.font();
        const Orientation orientation = font ? orientationOf(c, *font) : verticalOrientation(c);
        const char32_t fallback = orientation == Orientation::Upright && verticalFallback(c) ? c : 0;
        if (pieces.size() > first && pieces.back().orientation == orientation && fallback == 0 &&
            pieces.back().fallback == 0) {
          pieces.back().end = i;
        } else {
          pieces.push_back({start, i, format, selected, orientation, fallback});
        }
      }
    }
    return pieces;
  }

  // The position in the document of a place in the layout's text.
  int documentPosition(int at) const { return block_.position() + withoutComposition(*block_.layout(), at); }

private:
  int toLayout(int offset) const { return withComposition(*block_.layout(), offset); }

  char32_t codePointAt(int i) const {
    const QChar c = text_.at(i);
    if (c.isHighSurrogate() && i + 1 < text_.size() && text_.at(i + 1).isLowSurrogate())
      return QChar::surrogateToUcs4(c, text_.at(i + 1));
    return c.unicode();
  }

  static Orientation orientationOf(char32_t c, const QFont& font) {
    if (!orientationFollowsGlyph(c)) return verticalOrientation(c);
    const int em = QFontInfo(font).pixelSize();
    if (em <= 0) return verticalOrientation(c);
    return verticalOrientation(c, QFontMetricsF(font).horizontalAdvance(QString::fromUcs4(&c, 1)) / em);
  }

  QTextCharFormat formatAt(int at) const {
    auto f = std::upper_bound(formats_.begin(), formats_.end(), at,
                              [](int value, const auto& entry) { return value < entry.first; });
    // The composition takes the format of the text it is typed into.
    const int anchor = preeditLength_ > 0 && at >= preeditAt_ && at < preeditAt_ + preeditLength_ ? preeditAt_ - 1 : at;
    if (anchor != at) {
      f = std::upper_bound(formats_.begin(), formats_.end(), std::max(anchor, 0),
                           [](int value, const auto& entry) { return value < entry.first; });
    }
    QTextCharFormat format = std::prev(f)->second;
    for (const QTextLayout::FormatRange& range : extra_)
      if (at >= range.start && at < range.start + range.length) format.merge(range.format);
    return format;
  }

  QTextBlock block_;
  QString text_;
  int preeditAt_ = 0;
  int preeditLength_ = 0;
  std::vector<std::pair<int, QTextCharFormat>> formats_;  // from where in the layout's text
  QList<QTextLayout::FormatRange> extra_;
  int selectionStart_ = -1;
  int selectionEnd_ = -1;
};

class ColumnPainter {
public:
  ColumnPainter(QPainter& painter, QTextDocument& document, const VerticalPaintArea& area, const QPalette& palette)
      : painter_(painter), document_(document), area_(area), palette_(palette) {}

  void paintBlock(const QTextBlock& block, const VerticalSelection& selection, qreal from, qreal to) {
    const QTextLayout* layout = block.layout();
    const QPointF origin = layoutOrigin(block);
    const LaidOutParagraph paragraph(block, selection);
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const qreal top = origin.y() + line.y();
      if (top + line.height() <= from || top >= to) continue;
      const auto [start, end] = shownStretch(line, origin, paragraph);
      for (const Piece& piece : paragraph.pieces(start, end)) paintPiece(line, origin, piece, paragraph);
      if (i == layout->lineCount() - 1 && paragraph.selectsBreak()) paintSelectedBreak(line, origin);
    }
  }

private:
  // The part of `line` that meets the clip along the column, as [start, end) in the
  // layout's text: a column longer than the window is cut into pieces only where it shows.
  std::pair<int, int> shownStretch(const QTextLine& line, const QPointF& origin, const LaidOutParagraph& paragraph) const {
    const int lineEnd = line.textStart() + line.textLength();
    const int start = line.xToCursor(area_.clip.top() - area_.top - origin.x(), QTextLine::CursorOnCharacter);
    int end = line.xToCursor(area_.clip.bottom() - area_.top - origin.x(), QTextLine::CursorOnCharacter);
    // Past the character at the clip's end, and past both halves of a surrogate pair.
    if (end < lineEnd) end += paragraph.text().at(end).isHighSurrogate() && end + 1 < lineEnd ? 2 : 1;
    return {std::clamp(start, line.textStart(), lineEnd), std::clamp(end, line.textStart(), lineEnd)};
  }

  // The column of `line`, in the painter's coordinates.
  qreal columnRight(const QTextLine& line, const QPointF& origin) const { return area_.right - origin.y() - line.y(); }
  qreal along(qreal layoutX, const QPointF& origin) const { return area_.top + origin.x() + layoutX; }

  void paintPiece(const QTextLine& line, const QPointF& origin, const Piece& piece, const LaidOutParagraph& paragraph) {
    const qreal right = columnRight(line, origin);
    const qreal y0 = along(line.cursorToX(piece.start), origin);
    const qreal y1 = along(line.cursorToX(piece.end), origin);
    const QRectF cell(right - line.height(), y0, line.height(), y1 - y0);
    if (piece.selected) painter_.fillRect(cell, palette_.brush(QPalette::Highlight));
    else if (piece.format.background().style() != Qt::NoBrush) painter_.fillRect(cell, piece.format.background());
    const QColor color = piece.selected ? palette_.color(QPalette::HighlightedText)
                         : piece.format.hasProperty(QTextFormat::ForegroundBrush) ? piece.format.foreground().color()
                                                                                  : palette_.color(QPalette::Text);
    // Superscript moves towards the column's right, subscript towards its left.
    const auto script = piece.format.verticalAlignment();
    // A raised character (a baseline offset, in per cent of its font's height) moves the
    // same way.
    const qreal shift = (script == QTextCharFormat::AlignSuperScript ? kScriptShift * line.height()
                         : script == QTextCharFormat::AlignSubScript ? -kScriptShift * line.height()
                                                                     : 0) +
                        piece.format.baselineOffset() / 100 * QFontMetricsF(piece.format.font()).height();
    if (piece.end - piece.start == 1 && paragraph.text().at(piece.start) == QChar::ObjectReplacementCharacter &&
        piece.format.isImageFormat()) {
      paintImage(cell, piece, paragraph);
    } else {
      const QList<QGlyphRun> runs = line.glyphRuns(piece.start, piece.end - piece.start);
      bool turned = piece.orientation == Orientation::Turned;
      if (!turned) turned = !paintUpright(runs, right - line.height() / 2 + shift, origin, piece.fallback, color);
      if (turned) paintTurned(runs, origin, shift, color);
    }
    paintDecorations(piece.format, cell, right - line.height() / 2 + shift, color);
  }

  // Upright glyphs, their em boxes centred on the column. A character with neither a
  // vertical glyph nor a vertical form that is better turned is left to the caller:
  // returns false.
  bool paintUpright(const QList<QGlyphRun>& runs, qreal centre, const QPointF& origin, char32_t fallback,
                    const QColor& color) {
    std::vector<QGlyphRun> placed;
    for (const QGlyphRun& run : runs) {
      const QRawFont font = run.rawFont();
      // Runs in a row mostly share their font: that one is answered without a lookup.
      if (!face_ || !(font == faceFont_)) {
        faceFont_ = font;
        face_ = &verticalFaceOf(font);
      }
      const GlyphSubstitutions& vertical = face_->substitutions;
      QList<quint32> glyphs = run.glyphIndexes();
      const QList<QPointF> positions = run.positions();
      const qreal em = font.pixelSize();
      QList<QPointF> nudges(glyphs.size());
      for (qsizetype k = 0; k < glyphs.size(); ++k) {
        if (const auto found = vertical.find(static_cast<std::uint16_t>(glyphs[k])); found != vertical.end()) {
          glyphs[k] = found->second;
        } else if (fallback != 0) {
          const VerticalFallback stand = *verticalFallback(fallback);
          const quint32 form = stand.form ? font.glyphIndexesForString(QString::fromUcs4(&stand.form, 1)).value(0) : 0;
          if (form != 0) glyphs[k] = form;
          else if (stand.turn) return false;
          else nudges[k] = QPointF(stand.shiftX * em, stand.shiftY * em);
        }
      }
      // Each glyph centred across the column, its origin as far below the top of its cell
      // as the font's vertical metrics say.
      const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
      const qreal scale = em / font.unitsPerEm();
      QList<QPointF> at;
      at.reserve(glyphs.size());
      for (qsizetype k = 0; k < glyphs.size(); ++k) {
        const qreal top = along(positions[k].x(), origin);
        const int originY = face_->origins.originY(static_cast<std::uint16_t>(glyphs[k]));
        at.append(QPointF(centre - advances.value(k).x() / 2, top + originY * scale) + nudges[k]);
      }
      QGlyphRun upright;
      upright.setRawFont(font);
      upright.setGlyphIndexes(glyphs);
      upright.setPositions(at);
      placed.push_back(upright);
    }
    painter_.setPen(color);
    for (const QGlyphRun& run : placed) painter_.drawGlyphRun(QPointF(), run);
    return true;
  }

  // Glyphs lying along the column, as the whole line turned a quarter clockwise.
  void paintTurned(const QList<QGlyphRun>& runs, const QPointF& origin, qreal shift, const QColor& color) {
    painter_.save();
    painter_.translate(area_.right, area_.top);
    painter_.rotate(90);
    painter_.setPen(color);
    for (const QGlyphRun& run : runs) painter_.drawGlyphRun(origin + QPointF(0, -shift), run);
    painter_.restore();
  }

  // Underline on the column's right, as vertical text is underlined; strike-out down its
  // middle.
  void paintDecorations(const QTextCharFormat& format, const QRectF& cell, qreal centre, const QColor& color) {
    if (!format.fontUnderline() && !format.fontStrikeOut()) return;
    const QFontMetricsF metrics(format.font());
    QPen pen(color, std::max<qreal>(1.0, metrics.lineWidth()));
    painter_.setPen(pen);
    if (format.fontUnderline()) {
      const qreal x = cell.right() - pen.widthF() / 2 - 1;
      painter_.drawLine(QPointF(x, cell.top()), QPointF(x, cell.bottom()));
    }
    if (format.fontStrikeOut()) painter_.drawLine(QPointF(centre, cell.top()), QPointF(centre, cell.bottom()));
  }

  // An image stands upright in its cell, shrunk to fit when it is larger.
  void paintImage(const QRectF& cell, const Piece& piece, const LaidOutParagraph& paragraph) {
    QTextObjectInterface* handler = document_.documentLayout()->handlerForObject(piece.format.objectType());
    if (!handler) return;
    const QSizeF size = handler->intrinsicSize(&document_, paragraph.documentPosition(piece.start), piece.format);
    if (size.isEmpty()) return;
    const qreal scale = std::min({1.0, cell.width() / size.width(), cell.height() / size.height()});
    QRectF target(QPointF(), size * scale);
    target.moveCenter(cell.center());
    handler->drawObject(&painter_, target, &document_, paragraph.documentPosition(piece.start), piece.format);
  }

  // A selected paragraph break shows as a short stretch after the line's last character.
  void paintSelectedBreak(const QTextLine& line, const QPointF& origin) {
    const qreal right = columnRight(line, origin);
    const qreal y = along(line.cursorToX(line.textStart() + line.textLength()), origin);
    painter_.fillRect(QRectF(right - line.height(), y, line.height(), line.height() / 3),
                      palette_.brush(QPalette::Highlight));
  }

  QRawFont faceFont_;
  const VerticalFace* face_ = nullptr;  // of faceFont_
  QPainter& painter_;
  QTextDocument& document_;
  const VerticalPaintArea& area_;
  const QPalette& palette_;
};

}  // namespace

void paintVertical(QPainter& painter, QTextDocument& document, const VerticalPaintArea& area,
                   const QPalette& palette, const VerticalSelection& selection) {
  // The layout's lines across [from, to) meet the clip.
  const qreal from = area.right - area.clip.right();
  const qreal to = area.right - area.clip.left();
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  QTextBlock block = document.findBlock(std::max(0, layout->hitTest(QPointF(0, std::max<qreal>(from, 0)), Qt::FuzzyHit)));
  if (!block.isValid()) block = document.begin();
  while (block.previous().isValid() && layout->blockBoundingRect(block).top() > from) block = block.previous();
  ColumnPainter columns(painter, document, area, palette);
  for (; block.isValid(); block = block.next()) {
    const QRectF bounds = layout->blockBoundingRect(block);
    if (bounds.top() >= to) break;
    if (bounds.bottom() <= from) continue;
    columns.paintBlock(block, selection, from, to);
  }
}

void printVertical(QPagedPaintDevice& device, QTextDocument& document, const QSizeF& page, const QPointF& scale) {
  document.setTextWidth(page.height());
  // Where each sheet's columns start: a column that would reach past the sheet's width
  // starts the next one.
  std::vector<qreal> sheetStarts{0};
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextLayout* lines = block.layout();
    const qreal origin = layoutOrigin(block).y();
    for (int i = 0; i < lines->lineCount(); ++i) {
      const QTextLine line = lines->lineAt(i);
      const qreal top = origin + line.y();
      if (top > sheetStarts.back() && top + line.height() - sheetStarts.back() > page.width()) sheetStarts.push_back(top);
    }
  }
  sheetStarts.push_back(document.documentLayout()->documentSize().height());

  QPainter painter(&device);
  painter.scale(scale.x(), scale.y());
  QPalette ink;
  ink.setColor(QPalette::Text, Qt::black);
  for (std::size_t i = 0; i + 1 < sheetStarts.size(); ++i) {
    if (i > 0) device.newPage();
    const qreal width = sheetStarts[i + 1] - sheetStarts[i];
    paintVertical(painter, document, {sheetStarts[i] + page.width(), 0, QRectF(page.width() - width, 0, width, page.height())}, ink);
  }
}

}  // namespace wabunko
