#include "view/NavigationCommands.h"

#include "platform/EditControl.h"
#include "view/CJumpLineDlg.h"

#include <QKeyEvent>
#include <QTextDocument>
#include <QWidget>

namespace wabunko {
namespace {

// The control's line model as the rules read it.
class ControlLines : public LineModel {
public:
  explicit ControlLines(const EditControl& edit) : edit_(edit) {}

  Selection selection() const override {
    Selection s;
    edit_.getSel(s.start, s.end);
    return s;
  }
  int lineOf(int pos) const override { return edit_.lineFromChar(pos); }
  int lineStart(int line) const override { return edit_.lineIndex(line); }
  int lineLength(int line) const override {
    if (line < 0) return edit_.lineLength(-1);
    const int start = edit_.lineIndex(line);
    return start < 0 ? 0 : edit_.lineLength(start);
  }
  int textLength() const override { return edit_.textLength(); }
  bool isSecondHalfOfPair(int pos) const override {
    const QTextDocument* text = edit_.textDocument();
    return pos > 0 && text->characterAt(pos).isLowSurrogate() && text->characterAt(pos - 1).isHighSurrogate();
  }

private:
  const EditControl& edit_;
};

}  // namespace

NavigationCommands::NavigationCommands(std::function<EditControl&()> edit, std::function<void()> repaintGutter,
                                       QWidget* dialogParent)
    : edit_(std::move(edit)), repaintGutter_(std::move(repaintGutter)), dialogParent_(dialogParent) {}

void NavigationCommands::toTop() {
  EditControl& edit = edit_();
  edit.lineScroll(-edit.firstVisibleLine());
  edit.setSel(0, 0);
  repaintGutter_();
}

void NavigationCommands::toBottom() {
  EditControl& edit = edit_();
  edit.lineScroll(edit.lineCount());
  edit.setSel(-1, -1);
  fillWindowWithLastPage();
  repaintGutter_();
}

void NavigationCommands::fillWindowWithLastPage() {
  // A control may scroll the last line up to the top of the window (the columns do) or
  // stop when it reaches the bottom (the rows do), where the top line may show only in
  // part. Either way the end is in view where it stopped, and the lines that keep it in
  // view when at the top run without a gap up to there: the smallest of them is the first
  // line of the last page.
  EditControl& edit = edit_();
  if (!endOfTextInView()) return;
  const int stoppedAt = edit.firstVisibleLine();
  const auto scrollTo = [&edit](int line) { edit.lineScroll(line - edit.firstVisibleLine()); };
  int fits = stoppedAt;
  int low = 0;
  while (low < fits) {
    const int middle = low + (fits - low) / 2;
    scrollTo(middle);
    if (endOfTextInView()) fits = middle;
    else low = middle + 1;
  }
  if (fits < stoppedAt) scrollTo(fits);
  else if (stoppedAt > 0) edit.lineScroll(edit.lineCount());  // back to where it stopped
}

bool NavigationCommands::endOfTextInView() const {
  const EditControl& edit = edit_();
  const int end = edit.textLength();
  const QRect caret = edit.rangeRectOnScreen(end, end);
  const QRect inControl = edit.textArea();
  const QRect area(edit.widget()->mapToGlobal(inControl.topLeft()), inControl.size());
  // Across the lines only: along its line the caret may stand scrolled out of view.
  if (edit.isVertical()) return caret.left() >= area.left() && caret.right() <= area.right();
  return caret.top() >= area.top() && caret.bottom() <= area.bottom();
}

void NavigationCommands::jumpToLine() {
  if (const std::optional<int> number = runJumpLineDialog(dialogParent_)) {
    const ControlLines lines(edit_());
    select(NavigationRules(lines).jumpToLine(*number));
  }
  repaintGutter_();
}

void NavigationCommands::selectFromTop() {
  const ControlLines lines(edit_());
  select(NavigationRules(lines).selectFromTop());
}

void NavigationCommands::selectToEnd() {
  const ControlLines lines(edit_());
  select(NavigationRules(lines).selectToEnd());
}

void NavigationCommands::selectFromLineStart() {
  const ControlLines lines(edit_());
  select(NavigationRules(lines).selectFromLineStart());
}

void NavigationCommands::selectToLineEnd() {
  const ControlLines lines(edit_());
  select(NavigationRules(lines).selectToLineEnd());
}

void NavigationCommands::selectLine() {
  const ControlLines lines(edit_());
  select(NavigationRules(lines).selectLine());
}

void NavigationCommands::moveCaretHorizontal(CaretStep step) {
  const ControlLines lines(edit_());
  select(NavigationRules(lines).moveCaretHorizontal(step));
}

void NavigationCommands::moveCaretVertical(CaretLine direction) {
  const ControlLines lines(edit_());
  select(NavigationRules(lines).moveCaretVertical(direction));
  repaintGutter_();
}

bool NavigationCommands::handleVerticalArrow(const QKeyEvent& key) {
  if (!edit_().isVertical() || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  switch (key.key()) {
    case Qt::Key_Up: moveCaretHorizontal(CaretStep::Backward); return true;
    case Qt::Key_Down: moveCaretHorizontal(CaretStep::Forward); return true;
    // Columns follow each other from right to left.
    case Qt::Key_Left: moveCaretVertical(CaretLine::Down); return true;
    case Qt::Key_Right: moveCaretVertical(CaretLine::Up); return true;
    default: return false;
  }
}

void NavigationCommands::select(const Selection& selection) { edit_().setSel(selection.start, selection.end); }

}  // namespace wabunko
