#pragma once
// The settings page "書式": the fonts, with their text colours, of documents that can be
// edited, of read-only documents and of the line-number gutter. The page shows one of
// them at a time with a sample; "変更" chooses it in the font dialog. The fonts reach the
// store only through writeSettings, which the settings sheet calls on OK.

#include "frame/FontRecord.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace wabunko {

class SampleText;
class SettingsStore;

class CFormatSettingPropertyPage : public QWidget {
  Q_OBJECT
public:
  // Reads the three font records from `store`.
  explicit CFormatSettingPropertyPage(const SettingsStore& store, QWidget* parent = nullptr);

  // The three font records with their colours: "Font\Default", "Font\Read only",
  // "Font\Line number", in this order.
  void writeSettings(SettingsStore& store) const;

private:
  void buildControls();
  FontRecord& shown();
  void showCategory();
  void chooseFont();

  std::array<FontRecord, 3> records_;
  QComboBox* category_ = nullptr;
  QLineEdit* faceName_ = nullptr;
  QLineEdit* pointSize_ = nullptr;
  QPushButton* changeFont_ = nullptr;
  SampleText* sample_ = nullptr;
};

}  // namespace wabunko
