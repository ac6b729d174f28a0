#pragma once
// Scrolling several documents together. A scroll-bar action on the text of one view — an
// arrow, a click beside the thumb, a drag of the thumb — is handed to the views of the
// other documents: to the linked ones, to all of them while Shift is held, to none while
// Ctrl is held. Only the scroll bar is shared; the wheel, the keyboard and the caret
// scroll a view on its own.
//
// Rows and columns go together each through its own line scroll bar: a step or a page
// moves every view by a step or a page of its own bar (down a line in rows, on to the
// next column in columns), and the thumb puts every view at the same fraction of its text.

#include <QAbstractSlider>
#include <QObject>
#include <functional>
#include <vector>

class QScrollBar;

namespace wabunko {

class ScrollLink : public QObject {
  Q_OBJECT
public:
  struct Hooks {
    // The bar that moves the shown text across its lines.
    std::function<QScrollBar*()> lineScrollBar;
    // Whether this view follows the scrolling of others.
    std::function<bool()> linked;
    // The views that take part, the first view of each document.
    std::function<std::vector<ScrollLink*>()> participants;
  };
  ScrollLink(Hooks hooks, QObject* parent);

  // Shares the actions of `bar`, a line scroll bar of one of the view's controls.
  void watch(QScrollBar* bar);

  // Who follows a scroll, from the keys held when it happens.
  enum class Followers { None, Linked, All };
  static Followers followersFor(Qt::KeyboardModifiers modifiers);

private:
  void share(QScrollBar* origin, int action);
  // Does what the originating bar did: the same step or page, or the thumb at `fraction`
  // of the range.
  void follow(int action, double fraction);

  Hooks hooks_;
};

// Where the keys held at the moment of a scroll are asked (the keyboard, unless set).
using ScrollModifiersHook = std::function<Qt::KeyboardModifiers()>;
void setScrollModifiersHook(ScrollModifiersHook hook);

}  // namespace wabunko
