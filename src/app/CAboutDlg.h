#pragma once

#include <QDialog>

namespace wabunko {

// The About box: program name, version and copyright, the Qt it was built with and runs
// on, and the licence.
class CAboutDlg : public QDialog {
  Q_OBJECT
public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace wabunko
