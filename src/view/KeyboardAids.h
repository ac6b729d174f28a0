#pragma once
// What the view adds to the keys its control handles: Down on a last line that holds text
// opens a new, empty last line; Return takes over the indentation of the line it ends
// ("Key input"/"Auto indent"); an opening quote or bracket gets its closing one with the
// caret between ("Auto brace"); Up and Down repaint the line numbers. The key that moves
// to the next line is Down in rows and Left in columns. Nothing is added while the input
// method is composing, or to a text that cannot be edited.

#include <functional>

class QKeyEvent;
class QObject;

namespace wabunko {

class EditControl;

class KeyboardAids {
public:
  struct Hooks {
    std::function<EditControl&()> edit;  // the control shown
    std::function<bool()> autoIndent;
    std::function<bool()> autoBrace;
    std::function<void()> repaintGutter;
    // The control's own handling of a key.
    std::function<void(QObject* control, QKeyEvent* event)> controlKey;
  };
  explicit KeyboardAids(Hooks hooks) : hooks_(std::move(hooks)) {}

  // A key pressed in `control`, the control shown. For the keys with an aid the control
  // handles the key first, then the aid follows; true when that happened and the key is
  // done with.
  bool keyPress(QObject* control, QKeyEvent* event);

private:
  void openLineAtEnd(EditControl& edit);

  Hooks hooks_;
};

}  // namespace wabunko
