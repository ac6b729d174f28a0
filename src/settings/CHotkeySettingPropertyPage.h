#pragma once
// The settings page "ホットキー": the user picks rows of a category and presses Ctrl or Alt
// with a letter to give those commands that key. The page holds the keys from its
// creation; they reach the store only through writeSettings, which the settings sheet
// calls on OK, so cancelling the sheet leaves the store as it was.

#include "settings/HotkeyAssignments.h"

#include <QWidget>
#include <cstddef>
#include <vector>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QPushButton;
class QTreeWidget;

namespace wabunko {

class SettingsStore;

class CHotkeySettingPropertyPage : public QWidget {
  Q_OBJECT
public:
  // Reads the 43 key texts and the system-wide flag from `store`.
  explicit CHotkeySettingPropertyPage(const SettingsStore& store, QWidget* parent = nullptr);

  // Writes every key text under "Hot key", in command-table order, then the system-wide
  // flag.
  void writeSettings(SettingsStore& store) const;

  const HotkeyAssignments::KeyTexts& keyTexts() const { return assignments_.keyTexts(); }
  bool systemWide() const;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void buildControls();
  HotkeyCategory category() const;
  std::vector<std::size_t> selectedRows() const;
  void listCategory();
  void showKeys();
  void keyDown(const QKeyEvent& key);
  void clearSelected();
  void restoreDefaults();

  HotkeyAssignments assignments_;
  QComboBox* category_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* defaults_ = nullptr;
  QCheckBox* systemWide_ = nullptr;
};

// The page on its own in a dialog with "OK" and "ｷｬﾝｾﾙ"; OK writes its settings to `store`.
void showHotkeyPage(QWidget* parent, SettingsStore& store);

}  // namespace wabunko
