#pragma once
// The settings page "メニュー": how many recently edited files the File menu lists, from
// the next start on. The number reaches the store only through writeSettings, which the
// settings sheet calls on OK.

#include <QWidget>

class QSpinBox;

namespace wabunko {

class SettingsStore;

class CMenuSettingPropertyPage : public QWidget {
  Q_OBJECT
public:
  // Reads "Menu"/"Number of MRU List" from `store`.
  explicit CMenuSettingPropertyPage(const SettingsStore& store, QWidget* parent = nullptr);

  // Writes "Menu"/"Number of MRU List".
  void writeSettings(SettingsStore& store) const;

private:
  QSpinBox* count_ = nullptr;
};

}  // namespace wabunko
