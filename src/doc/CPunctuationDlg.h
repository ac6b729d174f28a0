#pragma once
// "句読点の変換": which comma and full stop to write, and in which width.

#include <QDialog>

class QButtonGroup;

namespace wabunko {

class CPunctuationDlg : public QDialog {
  Q_OBJECT
public:
  explicit CPunctuationDlg(QWidget* parent = nullptr);

  // 1: 、 type, 0: ， type.
  int m_nComma = 1;
  // 1: 。 type, 0: ． type.
  int m_nPeriod = 1;
  // 1: full width, -1: half width, 0: each character keeps its width.
  int m_nWidth = 1;

  void accept() override;

private:
  QButtonGroup* comma_;
  QButtonGroup* period_;
  QButtonGroup* width_;
};

}  // namespace wabunko
