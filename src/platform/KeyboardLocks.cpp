#include "KeyboardLocks.h"

#include <QGuiApplication>

#include <cstdlib>
#include <xcb/xcb.h>

namespace wabunko {

std::optional<KeyboardLocks> currentKeyboardLocks() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return std::nullopt;
  xcb_get_keyboard_control_reply_t* reply =
      xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr);
  if (!reply) return std::nullopt;
  // The X server's keyboard LEDs: 1 Caps Lock, 2 Num Lock, 3 Scroll Lock.
  const KeyboardLocks locks{(reply->led_mask & 1u) != 0, (reply->led_mask & 2u) != 0,
                            (reply->led_mask & 4u) != 0};
  std::free(reply);
  return locks;
}

}  // namespace wabunko
