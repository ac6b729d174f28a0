#pragma once
// Draws a laid-out QTextDocument in vertical writing. The document's own layout gives the
// lines (columns) and the places of the characters along them; a layout point (x, y) is
// drawn at (right − y, top + x). Ideographs and kana stand upright, centred on their
// column, with the font's vertical forms of punctuation and small kana; Latin letters,
// digits and other narrow glyphs lie turned a quarter clockwise, as the whole line would.

#include <QPalette>
#include <QRectF>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace wabunko {

struct VerticalPaintArea {
  qreal right = 0;  // where layout y = 0 is drawn
  qreal top = 0;    // where layout x = 0 is drawn
  QRectF clip;      // what to draw, in the painter's coordinates
};

struct VerticalSelection {
  int start = 0;
  int end = 0;  // empty: nothing selected
};

// Draws the columns of `document` that meet `area.clip`, the selected text in the
// palette's highlight colours.
void paintVertical(QPainter& painter, QTextDocument& document, const VerticalPaintArea& area,
                   const QPalette& palette, const VerticalSelection& selection = {});

// Prints `document` in columns as long as `page` is high, as many to a sheet as fit across
// it, the first at its right edge, in black. `page` is in the document's units; `scale`
// turns them into the device's.
void printVertical(QPagedPaintDevice& device, QTextDocument& document, const QSizeF& page, const QPointF& scale);

}  // namespace wabunko
