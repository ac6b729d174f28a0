#pragma once
// EditControl over QTextEdit.

#include "EditControl.h"

#include <QTextEdit>

namespace wabunko {

class RichTextEdit : public QTextEdit, public EditControl {
  Q_OBJECT
public:
  explicit RichTextEdit(QWidget* parent = nullptr);

  QWidget* widget() override { return this; }
  QTextDocument* textDocument() const override { return document(); }
  void getSel(int& start, int& end) const override;
  void setSel(int start, int end) override;
  QString selectedText() const override;
  void replaceSel(const QString& text, bool canUndo) override;
  int textLength() const override;
  bool isReadOnly() const override { return QTextEdit::isReadOnly(); }
  void setReadOnly(bool readOnly) override { QTextEdit::setReadOnly(readOnly); }
  bool isModified() const override;
  void setModified(bool modified) override;
};

}  // namespace wabunko
