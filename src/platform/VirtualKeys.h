#pragma once
// Windows virtual-key codes as the keys of this platform: the Qt key for the key events
// the program receives itself, and the X keysym for keys grabbed from the X server.

#include <cstdint>
#include <optional>

namespace wabunko {

struct PlatformKey {
  int qtKey;             // a Qt::Key
  bool keypad;           // on the numeric keypad: Qt reports it with Qt::KeypadModifier
  std::uint32_t keysym;  // an X keysym
};

// Letters, digits, F1-F24, the keypad, the editing and cursor keys and the punctuation
// keys of a US layout; nullopt for codes without a key here (modifiers, mouse buttons,
// lock keys, media keys).
std::optional<PlatformKey> platformKey(int virtualKey);

}  // namespace wabunko
