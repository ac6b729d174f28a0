#include "settings/PageControls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace wabunko {
namespace {

QLabel* buddyLabel(const char* text, QWidget* field, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setBuddy(field);
  return label;
}

}  // namespace

QCheckBox* pageCheckBox(const char* text, const char* name, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8(text), parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setChecked(checked);
  return box;
}

QPushButton* pageButton(const char* text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

QSpinBox* pageSpinBox(const settings::Setting& setting, int value, const char* name, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromUtf8(name));
  spin->setRange(setting.intMin, setting.intMax);
  spin->setValue(value);
  return spin;
}

QHBoxLayout* labelledRow(const char* text, QWidget* field, QWidget* parent, const char* after) {
  auto* row = new QHBoxLayout;
  row->addWidget(buddyLabel(text, field, parent));
  row->addWidget(field);
  if (after) row->addWidget(buddyLabel(after, field, parent));
  return row;
}

}  // namespace wabunko
