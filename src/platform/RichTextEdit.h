#pragma once
// EditControl over QTextEdit.

#include "EditControl.h"

#include <QTextBlock>
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

  int lineCount() const override;
  int lineFromChar(int pos) const override;
  int lineIndex(int line) const override;
  int lineLength(int pos) const override;
  QString lineText(int line) const override;
  int firstVisibleLine() const override;
  void lineScroll(int lines) override;

  QTextCharFormat selectionCharFormat() const override;
  void setSelectionCharFormat(const QTextCharFormat& format) override;
  QTextCharFormat defaultCharFormat() const override;
  void setDefaultCharFormat(const QTextCharFormat& format) override;
  QTextBlockFormat selectionParaFormat() const override;
  void setSelectionParaFormat(const QTextBlockFormat& format) override;

  bool isOverwriteMode() const override { return overwriteMode(); }
  void setOverwriteMode(bool overwrite) override { QTextEdit::setOverwriteMode(overwrite); }
  void setBackgroundColor(const QColor& color) override;
  void setCompositionStyles(const std::array<CompositionStyle, 4>& styles) override;
  void setWrap(Wrap wrap, int printWidthPixels = 0) override;
  void setTextMargins(const QMargins& margins) override;

private:
  // The display line holding `pos` as (block, line within the block's layout).
  struct LinePlace {
    QTextBlock block;
    int lineInBlock = 0;
  };
  int selectionStart() const;

  std::array<CompositionStyle, 4> compositionStyles_{};
};

}  // namespace wabunko
