#pragma once
// The controls the settings pages are made of, built one way on every page.

#include "frame/SettingsLayout.h"

class QCheckBox;
class QHBoxLayout;
class QPushButton;
class QSpinBox;
class QWidget;

namespace wabunko {

// A check box showing `checked`; `text` is UTF-8, `name` its object name.
QCheckBox* pageCheckBox(const char* text, const char* name, bool checked, QWidget* parent);

// A button that acts only when pressed: in the sheet Enter closes it with OK.
QPushButton* pageButton(const char* text, const char* name, QWidget* parent);

// A number field showing `value`, kept within the bounds of `setting` by its arrows and its
// typing alike.
QSpinBox* pageSpinBox(const settings::Setting& setting, int value, const char* name, QWidget* parent);

// A row of the label `text`, `field` and, when given, the label `after` (a unit, the end of
// a sentence); both labels name the field as their buddy. Callers add what follows.
QHBoxLayout* labelledRow(const char* text, QWidget* field, QWidget* parent, const char* after = nullptr);

}  // namespace wabunko
