#include "DisplaySettings.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/DocumentEditControl.h"
#include "platform/TextFormatTwips.h"
#include "view/CharFormat.h"
#include "view/FormatArithmetic.h"

#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

namespace wabunko {

void DisplaySettings::applyCompositionStyles() const {
  std::array<EditControl::CompositionStyle, 4> styles;
  for (std::size_t i = 0; i < styles.size(); ++i)
    styles[i] = {colorFromRef(static_cast<std::uint32_t>(readInt(store_, settings::imeText(i)))),
                 colorFromRef(static_cast<std::uint32_t>(readInt(store_, settings::imeBackground(i)))),
                 readInt(store_, settings::imeEffects(i))};
  for (DocumentEditControl* control : controls_) control->setCompositionStyles(styles);
}

void DisplaySettings::apply(EditControl& shown, Indents indents) const {
  applyDefaultFont(shown);
  setBackgroundColor(readInt(store_, settings::ColorBackGroundChild));
  applyParagraphSettings(shown, indents);
}

void DisplaySettings::applyDefaultFont(EditControl& shown) const {
  const FontRecord font = readFont(store_, QString::fromUtf8(settings::kFontDefault));
  shown.textDocument()->setDefaultFont(charFormatFromFont(font.font).font());
  for (DocumentEditControl* control : controls_) {
    QPalette palette = control->widget()->palette();
    palette.setColor(QPalette::Text, colorFromRef(font.color));
    control->widget()->setPalette(palette);
  }
}

void DisplaySettings::applyParagraphSettings(EditControl& shown, Indents which) const {
  const auto pixels = [](int millimetres) { return pixelsFromTwips(millimetres * kTwipsPerMillimetre); };
  const int tab = readInt(store_, settings::StyleTabSpace);
  const int start = readInt(store_, settings::StyleIndentStart);
  const int left = readInt(store_, settings::StyleIndentLeft);
  const int right = readInt(store_, settings::StyleIndentRight);

  // 32 tab stops, t, 2t, ... 32t.
  QTextOption option = shown.textDocument()->defaultTextOption();
  QList<QTextOption::Tab> tabs;
  for (int i = 1; i <= 32; ++i) tabs.append(QTextOption::Tab(pixels(i * tab), QTextOption::LeftTab));
  option.setTabs(tabs);
  shown.textDocument()->setDefaultTextOption(option);

  // The first line of a paragraph starts `start` mm right of the others, which start at
  // `left` mm (a negative start gives a hanging indent). Every paragraph takes them; a
  // document without indents is left alone, which matters for large files.
  if (which == Indents::KeepTheText || (start == 0 && left == 0 && right == 0)) return;
  QTextBlockFormat indents;
  indents.setLeftMargin(pixels(left));
  indents.setTextIndent(pixels(start));
  indents.setRightMargin(pixels(right));
  const bool modified = shown.isModified();
  QTextCursor all(shown.textDocument());
  all.select(QTextCursor::Document);
  all.mergeBlockFormat(indents);
  shown.setModified(modified);
}

void DisplaySettings::applyReadOnlyFont(EditControl& shown) const {
  const FontRecord font = readFont(store_, QString::fromUtf8(settings::kFontReadOnly));
  QTextCharFormat format = charFormatFromFont(font.font);
  format.setForeground(colorFromRef(font.color));
  QTextCursor all(shown.textDocument());
  all.select(QTextCursor::Document);
  all.mergeCharFormat(format);
  shown.textDocument()->setDefaultFont(format.font());
}

void DisplaySettings::setBackgroundColor(int colorRef) const {
  for (DocumentEditControl* control : controls_)
    control->setBackgroundColor(colorFromRef(static_cast<std::uint32_t>(colorRef)));
}

}  // namespace wabunko
