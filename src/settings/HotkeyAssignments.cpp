#include "settings/HotkeyAssignments.h"

#include <optional>
#include <utility>

namespace wabunko {
namespace {

using enum HotkeyCategory;

// The editing category lists the original nine editing commands and then the seven
// selection and tool commands that were appended at the end of the table.
constexpr std::size_t kEditingFirstRows = 9;
constexpr std::size_t kEditingLaterStart = 36;

bool isLetterKey(int virtualKey) { return virtualKey >= 'A' && virtualKey <= 'Z'; }

}  // namespace

std::size_t hotkeyRowCount(HotkeyCategory category) {
  switch (category) {
    case FileOperation: return 6;
    case DocumentEditing: return 16;
    case CursorMovement: return 8;
    case Window: return 13;
  }
  return 0;
}

std::size_t hotkeyCommandOfRow(HotkeyCategory category, std::size_t row) {
  switch (category) {
    case FileOperation: return row;
    case DocumentEditing:
      return row < kEditingFirstRows ? 6 + row : kEditingLaterStart - kEditingFirstRows + row;
    case CursorMovement: return 15 + row;
    case Window: return 23 + row;
  }
  return row;
}

HotkeyAssignments::HotkeyAssignments() { resetToDefaults(); }

HotkeyAssignments::HotkeyAssignments(KeyTexts texts) : texts_(std::move(texts)) {}

bool HotkeyAssignments::takes(const std::string& text, int virtualKey, HeldModifiers held) {
  // The first character is compared, not parsed: parseKeyText reads anything but "A" as
  // Control, whereas a text starting with neither "A" nor "C" blocks no key here.
  const std::optional<KeyCombo> key = parseKeyText(text);
  if (!key || key->virtualKey != virtualKey) return false;
  return (held.alt && text.front() == 'A') || (held.control && text.front() == 'C');
}

std::vector<std::size_t> HotkeyAssignments::assign(HotkeyCategory category,
                                                   std::span<const std::size_t> rows,
                                                   int virtualKey, HeldModifiers held) {
  if (virtualKey == kVirtualKeyControl || virtualKey == kVirtualKeyAlt) return {};
  std::vector<std::size_t> conflicts;
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    if (takes(texts_[i], virtualKey, held)) conflicts.push_back(i);
  }
  if (!conflicts.empty() || !isLetterKey(virtualKey) || !(held.control || held.alt))
    return conflicts;
  const std::string text =
      makeKeyText({held.control ? KeyModifier::Control : KeyModifier::Alt, virtualKey});
  for (std::size_t row : rows) {
    if (row < hotkeyRowCount(category)) texts_[hotkeyCommandOfRow(category, row)] = text;
  }
  return conflicts;
}

void HotkeyAssignments::clear(HotkeyCategory category, std::span<const std::size_t> rows) {
  for (std::size_t row : rows) {
    if (row < hotkeyRowCount(category)) texts_[hotkeyCommandOfRow(category, row)].clear();
  }
}

void HotkeyAssignments::resetToDefaults() {
  const auto commands = hotkeyCommands();
  for (std::size_t i = 0; i < texts_.size(); ++i) texts_[i] = commands[i].defaultKey;
}

}  // namespace wabunko
