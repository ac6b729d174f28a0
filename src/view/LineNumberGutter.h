#pragma once
// The line-number gutter of an editing view: while line numbers are on, a strip at the
// left of the edit control's client area (along its top in vertical writing) is kept free
// of text and shows the numbers of the display lines from the first visible one to the
// far edge of the window, one default-format line apart (lines and columns have the same
// pitch), each beside its line as long as the text keeps that format. Everything but the
// reserved width is worked out afresh from the settings and the control at each paint.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

namespace wabunko {

class EditControl;
class SettingsStore;
struct FontRecord;

class LineNumberGutter : public QObject {
  Q_OBJECT
public:
  // `lineNumbersOn` reads the main frame's switch; `store` holds the "Font\Line number"
  // record. Both must outlive the gutter, as must the control.
  LineNumberGutter(EditControl& edit, std::function<bool()> lineNumbersOn,
                   const SettingsStore& store, QObject* parent = nullptr);

  // Serves another control from now on (the view's, after a change of writing direction).
  void attach(EditControl& edit);

  // Reserves the strip (4 × the record's "Height" pixels) while line numbers are on and
  // gives the whole client area back to the text when they are off; repaints the control.
  // Returns the strip's width.
  int layout();
  // Repaints the numbers; nothing is drawn while no strip is reserved.
  void paint();

  // A number as drawn: its text and where it stands in the control's client area (inside
  // the frame): the top-left corner of its cell, or in vertical writing, where the number
  // runs down from, turned a quarter clockwise, its cell to the left of that point.
  struct Number {
    QString text;
    QPoint at;
    bool operator==(const Number&) const = default;
  };
  // What the next paint draws.
  std::vector<Number> numbers() const;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  FontRecord lineNumberFont() const;
  std::vector<Number> numbersFor(const FontRecord& record) const;
  int linePitch() const;
  QRect stripRect() const;
  void drawNumbers() const;

  EditControl* edit_;
  std::function<bool()> lineNumbersOn_;
  const SettingsStore& store_;
  int stripWidth_ = 0;
};

}  // namespace wabunko
