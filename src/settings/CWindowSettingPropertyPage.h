#pragma once
// The settings page "ウィンドウ": the single-instance rule, the arrangement of the child
// windows and the background colours. The check boxes reach the store only through
// writeSettings, which the settings sheet calls on OK; a background colour is written and
// shown the moment the user picks it, and stays when the sheet is cancelled.

#include <QColor>
#include <QWidget>
#include <functional>

class QCheckBox;
class QFrame;
class QHBoxLayout;
class QPushButton;

namespace wabunko {

class SettingsStore;
namespace settings {
struct Setting;
}

class CWindowSettingPropertyPage : public QWidget {
  Q_OBJECT
public:
  // Reads the three "Frame position" flags and the two "Color" backgrounds from `store`,
  // which must outlive the page: a colour picked is written to it at once, then
  // `repaintParent` (the main window's background) or `repaintChild` (the edit windows')
  // redraws with the stored colour.
  CWindowSettingPropertyPage(SettingsStore& store, std::function<void()> repaintParent,
                             std::function<void()> repaintChild, QWidget* parent = nullptr);

  bool autoArrangeChild() const;

  // "Parent single", "Auto arrange child", "No intersection child", in this order (section
  // "Frame position").
  void writeSettings(SettingsStore& store) const;

private:
  // A background colour: its setting, the swatch showing it and who redraws with it.
  struct Background {
    const settings::Setting* setting;
    std::function<void()> repaint;
    QColor color;
    QFrame* swatch = nullptr;
    QPushButton* change = nullptr;
  };

  QHBoxLayout* backgroundRow(QWidget* group, Background& background, const char* swatchName, const char* changeName);
  void showColor(const Background& background);
  void changeColor(Background& background);

  SettingsStore& store_;
  Background parentBackground_;
  Background childBackground_;
  QCheckBox* parentSingle_ = nullptr;
  QCheckBox* autoArrange_ = nullptr;
  QCheckBox* noIntersection_ = nullptr;
};

}  // namespace wabunko
