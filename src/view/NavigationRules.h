#pragma once
// Where the navigation and selection commands put the selection, worked out over the
// edit control's line model: positions from 0 (a paragraph break counts one), display
// lines from 0, -1 as the selection's line in line questions and as the end of the text
// in a selection. Rows and columns alike: in vertical writing a line is a column.

namespace wabunko {

// A selection as the control reports and takes it; -1 stands for the end of the text.
struct Selection {
  int start = 0;
  int end = 0;
  bool operator==(const Selection&) const = default;
};

// What the rules ask of the control.
class LineModel {
public:
  virtual ~LineModel() = default;

  // The current selection, start before end.
  virtual Selection selection() const = 0;
  // The line holding `pos`; -1: the line of the selection's start.
  virtual int lineOf(int pos) const = 0;
  // First position of `line`; -1: of the selection's line; a line past the end gives -1.
  virtual int lineStart(int line) const = 0;
  // Length of `line` without its line break; -1: of the selection's line.
  virtual int lineLength(int line) const = 0;
  virtual int textLength() const = 0;
  // Whether `pos` falls between the two halves of a surrogate pair.
  virtual bool isSecondHalfOfPair(int pos) const = 0;
};

enum class CaretStep { Forward, Backward, LineEnd, LineStart };
enum class CaretLine { Up, Down };

class NavigationRules {
public:
  // `model` must outlive the rules.
  explicit NavigationRules(const LineModel& model) : model_(model) {}

  Selection selectFromTop() const;
  Selection selectToEnd() const;
  Selection selectFromLineStart() const;
  // Up to the start of the next line, so the line's break is included; on the last line
  // up to the end of the text. Only the start's line counts: a selection over several
  // lines shrinks to the rest of its first line.
  Selection selectToLineEnd() const;
  // One display line with its break: with wrapping, part of a paragraph.
  Selection selectLine() const;
  // The start of line `number` (1 for the first line). 0 goes to the start of the
  // selection's own line; a number past the last line, or below 0, to the end of the text.
  Selection jumpToLine(int number) const;

  // Forward and backward move the selection as a whole by one character (a surrogate pair
  // is one); at the edge of the text it stays. The line moves leave a caret at the start
  // or the end of the selection's line.
  Selection moveCaretHorizontal(CaretStep step) const;
  // To the same column of the line before or after, or the end of that line when it is
  // shorter. Up on the first line goes to its start, down on the last line to the end of
  // the text.
  Selection moveCaretVertical(CaretLine direction) const;

private:
  // The last position that still shows on `line`: a wrapped line ends where the next one
  // starts, and a caret there would stand on the next line.
  int lineEnd(int line) const;
  int nextPosition(int pos) const;
  int previousPosition(int pos) const;
  // `column` positions into `line`, or its end when shorter, never inside a surrogate pair.
  int columnOf(int line, int column) const;

  const LineModel& model_;
};

}  // namespace wabunko
