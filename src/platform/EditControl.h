#pragma once
// The editing control a view talks to, with the rich-edit semantics the views rely on:
// character positions from 0, -1 meaning "the end" in a selection, replacement of the
// selection with or without undo, a read-only state and a modify flag.

#include <QString>

class QTextDocument;
class QWidget;

namespace wabunko {

class EditControl {
public:
  virtual ~EditControl() = default;

  virtual QWidget* widget() = 0;
  virtual QTextDocument* textDocument() const = 0;

  // Selection as [start, end); setSel(0, -1) selects everything.
  virtual void getSel(int& start, int& end) const = 0;
  virtual void setSel(int start, int end) = 0;
  // The selection's text with CR LF line ends.
  virtual QString selectedText() const = 0;
  // Replaces the selection; CR LF, CR and LF in `text` become paragraph breaks.
  virtual void replaceSel(const QString& text, bool canUndo) = 0;
  // Number of characters, counting each paragraph break as one.
  virtual int textLength() const = 0;

  virtual bool isReadOnly() const = 0;
  virtual void setReadOnly(bool readOnly) = 0;
  virtual bool isModified() const = 0;
  virtual void setModified(bool modified) = 0;
};

}  // namespace wabunko
