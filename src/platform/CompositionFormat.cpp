#include "platform/CompositionFormat.h"

#include <QFont>

namespace wabunko {

QTextCharFormat compositionCharFormat(const EditControl::CompositionStyle& style) {
  QTextCharFormat format;
  // Without configured colours the composition keeps the text's own.
  if (style.text.isValid()) format.setForeground(style.text);
  if (style.background.isValid()) format.setBackground(style.background);
  format.setFontWeight(style.effects & kCompositionBold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(style.effects & kCompositionItalic);
  format.setFontUnderline(style.effects & kCompositionUnderline);
  return format;
}

}  // namespace wabunko
