#pragma once
// The colour dialog, the same on every desktop. Like the other dialogs it can be answered
// by a hook instead of a user; the hook drives the real dialog.

#include <QColor>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QColorDialog;
class QWidget;

namespace wabunko {

// The colour dialog titled `caption` with `current` preselected: the colour chosen, or
// nothing when the user cancels.
std::optional<QColor> chooseColor(QWidget* parent, const QColor& current, const QString& caption);
// Drives the dialog in place of a user; returns whether it was accepted.
using ColorChoiceHook = std::function<bool(QColorDialog&)>;
void setColorChoiceHook(ColorChoiceHook hook);

}  // namespace wabunko
