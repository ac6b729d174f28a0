#pragma once
// The keys the hot-key page holds while the user edits them: one key text per command of
// the hot-key command table, and the page's rules for giving the selected rows of a
// category a key, taking it away and going back to the defaults. Texts are UTF-8.

#include "settings/HotKeyTable.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace wabunko {

// Rows of the page's list in each category, and the command each row stands for.
std::size_t hotkeyRowCount(HotkeyCategory category);
// Needs row < hotkeyRowCount(category).
std::size_t hotkeyCommandOfRow(HotkeyCategory category, std::size_t row);

// The modifier keys down when a key went down.
struct HeldModifiers {
  bool control = false;
  bool alt = false;
};

// Windows virtual-key codes of the two modifiers as keys of their own.
inline constexpr int kVirtualKeyControl = 0x11;
inline constexpr int kVirtualKeyAlt = 0x12;

class HotkeyAssignments {
public:
  using KeyTexts = std::array<std::string, kHotkeyCommandCount>;

  // Every command with its default key.
  HotkeyAssignments();
  // Texts as stored, indexed by command; kept as they stand even when they name no key.
  explicit HotkeyAssignments(KeyTexts texts);

  const KeyTexts& keyTexts() const { return texts_; }
  // Needs command < 43.
  const std::string& keyText(std::size_t command) const { return texts_.at(command); }

  // A key went down while `rows` of `category` were selected. Returns the commands whose
  // key is already this one, in table order, each once; when there are any, or the key is
  // a modifier by itself, nothing changes. Otherwise each selected row gets the key, Control
  // taking precedence over Alt, provided it is a letter and one of them is down. The
  // selected rows' own keys count as taken: pressing a row's key again is refused too.
  // Rows past the category's end are ignored.
  std::vector<std::size_t> assign(HotkeyCategory category, std::span<const std::size_t> rows,
                                  int virtualKey, HeldModifiers held);
  // The selected rows lose their key.
  void clear(HotkeyCategory category, std::span<const std::size_t> rows);
  // All 43 commands, not only the category shown, go back to their default keys.
  void resetToDefaults();

private:
  // Whether `text` already holds this key with one of the modifiers that are down.
  static bool takes(const std::string& text, int virtualKey, HeldModifiers held);

  KeyTexts texts_;
};

}  // namespace wabunko
