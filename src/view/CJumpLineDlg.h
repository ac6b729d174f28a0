#pragma once
// Asks for the number of the line to jump to. Like the other dialogs it can be answered
// by a hook instead of a user.

#include <QDialog>
#include <functional>
#include <optional>

class QLineEdit;

namespace wabunko {

class CJumpLineDlg : public QDialog {
  Q_OBJECT
public:
  explicit CJumpLineDlg(QWidget* parent = nullptr);

  // The number typed, 1 for the first line; 0 while the text is not a number.
  int m_nLine = 0;

protected:
  void showEvent(QShowEvent* event) override;

private:
  QLineEdit* number_;
};

// The number typed, or nothing when the user cancels.
std::optional<int> runJumpLineDialog(QWidget* parent);
using JumpLineDialogHook = std::function<std::optional<int>()>;
void setJumpLineDialogHook(JumpLineDialogHook hook);

}  // namespace wabunko
