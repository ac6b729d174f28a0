#pragma once
// The X display the program is to show on, before Qt opens it.

#include <chrono>

struct xcb_connection_t;

namespace wabunko {

// A connection to the X display named by $DISPLAY, held while Qt opens its own. A display
// server started a moment before the program may refuse the first connections, and one
// whose last client just left resets and refuses them for a moment; Qt gives up on the
// first refusal by aborting. Holding a connection keeps the server from resetting until
// Qt has connected.
class HeldDisplay {
public:
  // Connects, trying again for up to `patience`. Connects to nothing when the program is
  // not to use X (no $DISPLAY, or QT_QPA_PLATFORM names another platform).
  explicit HeldDisplay(std::chrono::milliseconds patience);
  ~HeldDisplay();
  HeldDisplay(const HeldDisplay&) = delete;
  HeldDisplay& operator=(const HeldDisplay&) = delete;

  // Whether the display answered (true when the program is not to use X).
  bool answered() const { return answered_; }

private:
  xcb_connection_t* connection_ = nullptr;
  bool answered_ = true;
};

}  // namespace wabunko
