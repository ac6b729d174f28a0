#pragma once
// "作業中": the progress of a long conversion, with a Cancel button. While it shows, the
// main window takes no input.

#include <QDialog>

class QProgressBar;

namespace wabunko {

class CWorkProgressDlg : public QDialog {
  Q_OBJECT
public:
  explicit CWorkProgressDlg(QWidget* mainWindow);
  ~CWorkProgressDlg() override;

  // Cleared by Cancel.
  bool running() const { return running_; }
  // 0-100; values outside are clamped.
  void setPosition(int percent);

private:
  QWidget* mainWindow_;
  QProgressBar* bar_;
  bool running_ = true;
};

}  // namespace wabunko
