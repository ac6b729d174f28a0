#include "platform/ColorDialog.h"

#include "platform/Dialogs.h"

#include <QColorDialog>

namespace wabunko {
namespace {

ColorChoiceHook& colorChoiceHook() {
  static ColorChoiceHook hook;
  return hook;
}

}  // namespace

std::optional<QColor> chooseColor(QWidget* parent, const QColor& current, const QString& caption) {
  QColorDialog dialog(current, parent);
  dialog.setWindowTitle(caption);
  // The same dialog on every desktop, and one a test can drive.
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (!execOrHook(dialog, colorChoiceHook())) return std::nullopt;
  return dialog.currentColor();
}

void setColorChoiceHook(ColorChoiceHook hook) { colorChoiceHook() = std::move(hook); }

}  // namespace wabunko
