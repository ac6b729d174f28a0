#pragma once
// Lengths of a QTextDocument's formats in twips (1/20 of a point), the unit the editor's
// formatting and its RTF count in. The document itself counts pixels at 96 per inch (15
// twips each) and sizes in points; a character's offset from the baseline, which it can
// only hold as a share of the font's height, is kept in twips beside it.

#include <QFont>
#include <QTextCharFormat>
#include <algorithm>
#include <cmath>

namespace wabunko {

inline constexpr double kTwipsPerPixel = 15.0;

inline double pixelsFromTwips(int twips) { return twips / kTwipsPerPixel; }
inline int twipsFromPixels(double pixels) { return static_cast<int>(std::lround(pixels * kTwipsPerPixel)); }

// The character's height; `fallback` gives it where the format names no size.
inline int heightTwips(const QTextCharFormat& format, const QFont& fallback) {
  const double points = format.fontPointSize() > 0 ? format.fontPointSize() : fallback.pointSizeF();
  return static_cast<int>(std::lround(points * 20));
}

// Raised when positive, lowered when negative.
inline constexpr int kOffsetTwipsProperty = QTextFormat::UserProperty + 1;
inline int offsetTwips(const QTextCharFormat& format) { return format.property(kOffsetTwipsProperty).toInt(); }

// Sets the height and the offset together, so the shown shift of the baseline matches the
// height it is a share of.
inline void setHeightAndOffsetTwips(QTextCharFormat& format, int height, int offset) {
  format.setFontPointSize(height / 20.0);
  format.setProperty(kOffsetTwipsProperty, offset);
  format.setBaselineOffset(100.0 * offset / std::max(1, height));
}

}  // namespace wabunko
