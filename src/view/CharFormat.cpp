#include "CharFormat.h"

namespace wabunko {

QTextCharFormat charFormatFromFont(const LogFont& font) {
  QTextCharFormat format;
  format.setFontFamilies({QString::fromStdString(font.faceName)});
  if (font.height > 0) format.setFontPointSize(font.height);
  format.setFontWeight(font.weight == 700 ? QFont::Bold : QFont::Normal);
  format.setFontItalic(font.italic != 0);
  format.setFontUnderline(font.underline != 0);
  format.setFontStrikeOut(font.strikeOut != 0);
  return format;
}

QColor colorFromRef(std::uint32_t colorRef) {
  return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

std::uint32_t colorRefFromColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<std::uint32_t>(rgb.red()) | static_cast<std::uint32_t>(rgb.green()) << 8 |
         static_cast<std::uint32_t>(rgb.blue()) << 16;
}

}  // namespace wabunko
