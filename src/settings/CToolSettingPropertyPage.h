#pragma once
// The settings page "ツール": the typing aids and the text tools' settings. The typing aids
// and the line length come from the main frame, which keeps them while it runs; the page
// hands them back through frameValues and writes all five settings through writeSettings,
// which the settings sheet calls on OK.

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace wabunko {

class SettingsStore;

class CToolSettingPropertyPage : public QWidget {
  Q_OBJECT
public:
  // The main frame's auto brace, auto indent and line length.
  struct FrameValues {
    int autoBrace = 0;
    int autoIndent = 0;
    int lineLength = 80;
  };

  // Takes the first three values from `frame`, "Convert Only Selected" and "Quotation mark"
  // from `store`.
  CToolSettingPropertyPage(const SettingsStore& store, FrameValues frame, QWidget* parent = nullptr);

  FrameValues frameValues() const;

  // "Key input"/"Auto brace", "Key input"/"Auto indent", "Command"/"Line length",
  // "Command"/"Convert Only Selected", "Command"/"Quotation mark", in this order.
  void writeSettings(SettingsStore& store) const;

private:
  QCheckBox* autoBrace_ = nullptr;
  QCheckBox* autoIndent_ = nullptr;
  QSpinBox* lineLength_ = nullptr;
  QCheckBox* convertOnlySelected_ = nullptr;
  QLineEdit* quotationMark_ = nullptr;
};

}  // namespace wabunko
