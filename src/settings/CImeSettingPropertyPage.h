#pragma once
// The settings page "IMEの設定": for each of the four states of the input method's
// composition string its text colour, background and effects, with a sample drawn as a
// composition in that state is; and whether the input method is switched on when an
// editing view opens. The values reach the store only through writeSettings, which the
// settings sheet calls on OK.

#include "frame/SettingsLayout.h"

#include <QWidget>
#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace wabunko {

class SampleText;
class SettingsStore;

class CImeSettingPropertyPage : public QWidget {
  Q_OBJECT
public:
  // Reads the four colour sets and "Auto" from `store`.
  explicit CImeSettingPropertyPage(const SettingsStore& store, QWidget* parent = nullptr);

  // "TextIME[0]", "BackgroundIME[0]", "EffectsIME[0]", the same for 1, 2 and 3, then
  // "Auto" (section "IME").
  void writeSettings(SettingsStore& store) const;

private:
  // One state's values as stored: colours 0x00BBGGRR, effects bold 1, italic 2, underline 4.
  struct ColorSet {
    std::uint32_t text = 0;
    std::uint32_t background = 0;
    int effects = 0;
  };

  void buildControls();
  ColorSet& shown();
  void showState();
  void showSample();
  void setEffect(int bit, bool on);
  void pickColor(std::uint32_t ColorSet::*which, const QString& caption);

  std::array<ColorSet, settings::kImeColorSetCount> sets_;
  QComboBox* state_ = nullptr;
  QPushButton* textColour_ = nullptr;
  QPushButton* backgroundColour_ = nullptr;
  QCheckBox* bold_ = nullptr;
  QCheckBox* italic_ = nullptr;
  QCheckBox* underline_ = nullptr;
  QCheckBox* autoOpen_ = nullptr;
  SampleText* sample_ = nullptr;
};

}  // namespace wabunko
