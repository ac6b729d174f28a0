#pragma once
// The view's navigation and selection commands: to the top or the bottom of the text, to
// a numbered line, the selections that widen to the text's or the line's ends, and the
// caret moves of the hot keys. They work through the shown control's line model alone,
// so they act alike in rows and in columns (where a line is a column).

#include "view/NavigationRules.h"

#include <functional>

class QKeyEvent;
class QWidget;

namespace wabunko {

class EditControl;

class NavigationCommands {
public:
  // `edit` answers the control shown now; `repaintGutter` repaints the line numbers
  // (nothing while they are off); `dialogParent` owns the jump dialog.
  NavigationCommands(std::function<EditControl&()> edit, std::function<void()> repaintGutter,
                     QWidget* dialogParent);

  // Line 0 first in view, the caret at the start.
  void toTop();
  // The caret at the end, the last page of text filling the window.
  void toBottom();
  // Asks for a line number and puts the caret at that line's start.
  void jumpToLine();

  void selectFromTop();
  void selectToEnd();
  void selectFromLineStart();
  void selectToLineEnd();
  void selectLine();

  void moveCaretHorizontal(CaretStep step);
  void moveCaretVertical(CaretLine direction);

  // In columns, the arrow keys without a modifier: Up and Down along the column, Left to
  // the next column, Right to the one before. False for every other key, and in rows,
  // where the control keeps its own handling.
  bool handleVerticalArrow(const QKeyEvent& key);

private:
  void select(const Selection& selection);
  // Scrolls back from the end as far as the end of the text stays in view.
  void fillWindowWithLastPage();
  bool endOfTextInView() const;

  std::function<EditControl&()> edit_;
  std::function<void()> repaintGutter_;
  QWidget* dialogParent_;
};

}  // namespace wabunko
