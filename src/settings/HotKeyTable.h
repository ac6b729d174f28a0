#pragma once
// The 43 commands the user can give a key of their own, and the text form in which a key
// is named and stored: "Ctrl+" or "Alt +" followed by one character, or empty for no key.
// Texts are UTF-8.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace wabunko {

enum class HotkeyCategory { FileOperation, DocumentEditing, CursorMovement, Window };

// The category as the hot-key page's combo box names it.
const char* categoryText(HotkeyCategory category);

struct HotkeyCommand {
  HotkeyCategory category;
  // The key of the command's setting in "Hot key", and its text on the hot-key page.
  const char* name;
  // The identifier the key is registered under. The frame's window keys and the view's
  // share four numbers; each owner registers its own.
  int id;
  // The command the key posts, 0 where the key acts on the caret or the windows itself;
  // its menu text is in the command table.
  int commandId;
  const char* defaultKey;
};

inline constexpr std::size_t kHotkeyCommandCount = 43;

// Indexed by the command's position in the table, 0-42.
std::span<const HotkeyCommand, kHotkeyCommandCount> hotkeyCommands();

// The table positions each owner registers, in registration order: the main frame 0-5
// and 23-31, the editing view 6-22 and 32-42.
std::span<const std::size_t> frameHotkeyIndices();
std::span<const std::size_t> viewHotkeyIndices();

enum class KeyModifier { Control, Alt };

struct KeyCombo {
  KeyModifier modifier;
  int virtualKey;  // a Windows virtual-key code, 1-254

  friend bool operator==(const KeyCombo&, const KeyCombo&) = default;
};

// The key a key text names. Only a text of exactly six characters names one: the first
// character "A" selects Alt and any other Control; the sixth character's code is the
// virtual-key code, whatever the character (a lower-case "q" is 0x71, the F2 key). A
// sixth character whose code is no virtual-key code, or malformed UTF-8, names no key.
std::optional<KeyCombo> parseKeyText(std::string_view keyText);

// "Ctrl+" or "Alt +" followed by the character whose code is the key's virtual-key code.
std::string makeKeyText(KeyCombo key);

}  // namespace wabunko
