#pragma once
// What a document needs of the view that shows it: the edit control holding its text, and
// the display around a load or save.

#include "platform/EditControl.h"

#include <functional>

class QTextDocument;

namespace wabunko {

class DocumentDisplay {
public:
  virtual EditControl& edit() const = 0;
  // Load: `fill` puts the file's text into the control's document; then the display
  // settings apply (rich text keeps its own paragraph indents), the text is shown
  // read-only when `readOnly`, the caret is at the start.
  virtual void showText(const std::function<void(QTextDocument&)>& fill, bool richText, bool readOnly) = 0;
  // After each load or save: format buttons, change count, the title's mark.
  virtual void afterStream() = 0;

protected:
  ~DocumentDisplay() = default;
};

}  // namespace wabunko
