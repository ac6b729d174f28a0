#pragma once
// How registered key combinations reach the program: grabbed from the X server for the
// whole desktop, or picked out of the program's own key events where nothing can be
// grabbed (offscreen, Wayland).

#include "platform/HotKeyService.h"

#include <functional>
#include <memory>

namespace wabunko {

class HotKeyBackend {
public:
  using Pressed = std::function<void(HotKeyService::Modifier, int virtualKey)>;

  virtual ~HotKeyBackend() = default;

  // False when the key cannot be had: it does not exist here or another program holds it.
  virtual bool grab(HotKeyService::Modifier modifier, int virtualKey) = 0;
  virtual void ungrab(HotKeyService::Modifier modifier, int virtualKey) = 0;
};

// nullptr when the program does not run on an X server.
std::unique_ptr<HotKeyBackend> makeX11HotKeys(HotKeyBackend::Pressed pressed);
std::unique_ptr<HotKeyBackend> makeShortcutHotKeys(HotKeyBackend::Pressed pressed);

}  // namespace wabunko
