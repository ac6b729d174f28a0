#include "HeldDisplay.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <thread>
#include <xcb/xcb.h>

namespace wabunko {
namespace {

bool usesX() {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return false;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  return !platform || !*platform || std::string_view(platform).starts_with("xcb");
}

}  // namespace

HeldDisplay::HeldDisplay(std::chrono::milliseconds patience) {
  if (!usesX()) return;
  const auto until = std::chrono::steady_clock::now() + patience;
  for (auto pause = std::chrono::milliseconds(10);; pause = std::min(pause * 2, std::chrono::milliseconds(200))) {
    connection_ = xcb_connect(nullptr, nullptr);
    answered_ = xcb_connection_has_error(connection_) == 0;
    if (answered_) return;
    xcb_disconnect(connection_);  // a failed connection is still to be freed
    connection_ = nullptr;
    if (std::chrono::steady_clock::now() >= until) return;
    std::this_thread::sleep_for(pause);
  }
}

HeldDisplay::~HeldDisplay() {
  if (connection_) xcb_disconnect(connection_);
}

}  // namespace wabunko
