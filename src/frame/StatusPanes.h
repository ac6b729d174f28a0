#pragma once
// The status bar's panes: caret line and column, kana, Caps, Num and Scroll Lock, and
// overwrite. Each pane's accessible name says what the pane shows, and changes with it, so
// a screen reader can read the caret position and whether a lock or overwrite is on.

#include "platform/KeyboardLocks.h"

#include <QString>
#include <array>
#include <optional>

class QLabel;
class QStatusBar;

namespace wabunko {

class StatusPanes {
public:
  explicit StatusPanes(QStatusBar* bar);

  struct Values {
    int line = 1;
    int column = 0;
    bool overwrite = false;
    std::optional<KeyboardLocks> locks;  // none where the window system does not tell them
  };
  void show(const Values& values);

private:
  enum Pane { LineColumn, Kana, Caps, Num, Scroll, Overwrite, PaneCount };
  void set(Pane pane, const QString& text, const QString& accessibleName);

  std::array<QLabel*, PaneCount> panes_{};
};

}  // namespace wabunko
