#pragma once
// The settings page "ツールバー": the user picks a bar, adds buttons from the ones it can
// carry, removes and reorders the ones in use. Each edit reaches the live bar at once;
// the store changes only through writeSettings, which the settings sheet calls on OK, and
// cancel() builds the bars again from the store.

#include "settings/ToolbarPageModel.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;

namespace wabunko {

class SettingsStore;
class ToolBars;

class CToolbarSettingPropertyPage : public QWidget {
  Q_OBJECT
public:
  // Reads the stored layouts of both bars from `store`; edits go to `bars`.
  CToolbarSettingPropertyPage(const SettingsStore& store, ToolBars& bars, QWidget* parent = nullptr);

  // Whether any edit has changed a bar.
  bool changed() const { return model_.changed(); }
  // When changed: "Count" and "Item" of the file toolbar, then of the format bar.
  void writeSettings(SettingsStore& store) const;
  // The bars go back to the layout the store holds, undoing the page's edits.
  void cancel();

private:
  void buildControls();
  Bar bar() const;
  void listBar();
  void listUsed(const std::vector<int>& selection);
  void apply(const PageEdit& edit);

  ToolbarPageModel model_;
  ToolBars& bars_;
  QComboBox* barKind_ = nullptr;
  QListWidget* available_ = nullptr;
  QListWidget* used_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* front_ = nullptr;
  QPushButton* back_ = nullptr;
};

// The page on its own in a dialog with "OK" and "ｷｬﾝｾﾙ": OK writes its settings to
// `store`; Cancel or closing the dialog restores the bars. `bars` must be built on the same
// store.
void showToolbarPage(QWidget* parent, SettingsStore& store, ToolBars& bars);

}  // namespace wabunko
