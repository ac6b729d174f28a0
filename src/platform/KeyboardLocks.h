#pragma once
// The keyboard's lock states, where the window system tells them.

#include <optional>

namespace wabunko {

struct KeyboardLocks {
  bool capsLock = false;
  bool numLock = false;
  bool scrollLock = false;
};

// Nothing where the platform does not say (no X11 connection).
std::optional<KeyboardLocks> currentKeyboardLocks();

}  // namespace wabunko
