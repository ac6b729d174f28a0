#pragma once
// Asks for the character code in which the open file is read again. Like the other
// dialogs it can be answered by a hook instead of a user.

#include "doc/CharCodes.h"

#include <QDialog>
#include <functional>
#include <optional>

class QButtonGroup;

namespace wabunko {

class CReopenDlg : public QDialog {
  Q_OBJECT
public:
  // `current` starts selected.
  explicit CReopenDlg(CharCode current, QWidget* parent = nullptr);

  CharCode code() const;

private:
  QButtonGroup* codes_;
};

// The chosen code, or nothing when the user cancels.
std::optional<CharCode> runReopenDialog(QWidget* parent, CharCode current);
using ReopenDialogHook = std::function<std::optional<CharCode>(CharCode current)>;
void setReopenDialogHook(ReopenDialogHook hook);

}  // namespace wabunko
