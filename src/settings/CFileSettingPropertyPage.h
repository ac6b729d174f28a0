#pragma once
// The settings page "ファイル": backups, auto-save and how write-protected files open. The
// page holds the values from its creation; they reach the store only through
// writeSettings, which the settings sheet calls on OK.

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace wabunko {

class SettingsStore;

class CFileSettingPropertyPage : public QWidget {
  Q_OBJECT
public:
  // Reads the five "File" settings from `store`.
  explicit CFileSettingPropertyPage(const SettingsStore& store, QWidget* parent = nullptr);

  // "Do back up", "Back up directory" (a folder given ends in "/"), "Do auto save",
  // "Time span for auto save", "File read only", in this order.
  void writeSettings(SettingsStore& store) const;

  bool autoSave() const;

private:
  void chooseDirectory();

  QCheckBox* backUp_ = nullptr;
  QLineEdit* directory_ = nullptr;
  QCheckBox* autoSave_ = nullptr;
  QSpinBox* minutes_ = nullptr;
  QCheckBox* readOnly_ = nullptr;
};

}  // namespace wabunko
