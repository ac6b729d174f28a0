#pragma once
// "ｲﾝﾃﾞﾝﾄの設定": a paragraph's left and right indents and its first line, in millimetres.
// Like the other dialogs it can be answered by a hook, which drives the real dialog.

#include "view/FormatArithmetic.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLineEdit;

namespace wabunko {

class CIndentDlg : public QDialog {
  Q_OBJECT
public:
  CIndentDlg(const IndentFields& fields, QWidget* parent = nullptr);

  // What the boxes hold; a box whose text is not a number counts 0.
  int m_nLeft = 0;
  int m_nRight = 0;
  int m_nFirst = 0;

  IndentFields fields() const { return {m_nLeft, m_nRight, m_nFirst}; }

private:
  QLineEdit* addField(const QString& label, int value, int& field);
};

// The indents chosen, or nothing when the user cancels.
std::optional<IndentFields> runIndentDialog(QWidget* parent, const IndentFields& fields);
// Drives the dialog in place of a user; returns whether it was accepted.
using IndentDialogHook = std::function<bool(CIndentDlg&)>;
void setIndentDialogHook(IndentDialogHook hook);

}  // namespace wabunko
