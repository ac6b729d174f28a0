#include "settings/HotKeyTable.h"

#include "app/AppCommands.h"
#include "frame/CommandTable.h"
#include "platform/StandardCommands.h"
#include "view/ViewCommands.h"

#include <array>

namespace wabunko {
namespace {

using enum HotkeyCategory;

// A key that runs a command takes its name and default key from the command's row; the
// keys that act on the caret or the windows themselves carry their own.
struct Entry {
  HotkeyCategory category;
  int id;
  int commandId;
  const char* name = "";
  const char* defaultKey = "";
};

constexpr std::array<Entry, kHotkeyCommandCount> kEntries = {{
    {FileOperation, cmd::FileNew, cmd::FileNew},
    {FileOperation, cmd::FileOpen, cmd::FileOpen},
    {FileOperation, cmd::FileSave, cmd::FileSave},
    {FileOperation, cmd::FileSaveAs, cmd::FileSaveAs},
    {FileOperation, cmd::FileSaveAll, cmd::FileSaveAll},
    {FileOperation, cmd::FilePrint, cmd::FilePrint},
    {DocumentEditing, cmd::EditUndo, cmd::EditUndo},
    {DocumentEditing, cmd::EditCut, cmd::EditCut},
    {DocumentEditing, cmd::EditCopy, cmd::EditCopy},
    {DocumentEditing, cmd::EditPaste, cmd::EditPaste},
    {DocumentEditing, cmd::EditClear, cmd::EditClear},
    {DocumentEditing, cmd::EditSelectAll, cmd::EditSelectAll},
    // Find and replace are registered under the framework's ids but run the main
    // frame's own commands.
    {DocumentEditing, cmd::EditFind, cmd::FindText},
    {DocumentEditing, cmd::FindNext, cmd::FindNext},
    {DocumentEditing, cmd::EditReplace, cmd::ReplaceText},
    {CursorMovement, 2212, 0, "一文字右へ移動"},
    {CursorMovement, 2211, 0, "一文字左へ移動"},
    {CursorMovement, 2213, 0, "一文字上へ移動"},
    {CursorMovement, 2214, 0, "一文字下へ移動"},
    {CursorMovement, 2215, 0, "行頭へ移動"},
    {CursorMovement, 2216, 0, "行末へ移動"},
    {CursorMovement, cmd::JumpFirstLine, cmd::JumpFirstLine},
    {CursorMovement, cmd::JumpLastLine, cmd::JumpLastLine},
    {Window, cmd::WindowCascade, 0, "重ねて表示"},
    {Window, cmd::WindowTileHorz, 0, "上下にならべて表示"},
    {Window, cmd::WindowTileVert, 0, "左右にならべて表示"},
    {Window, 2201, 0, "前のウィンドウ"},
    {Window, 2202, 0, "次のウィンドウ"},
    {Window, 61488, 0, "最大化(親)"},
    {Window, 61472, 0, "最小化(親)"},
    {Window, 61728, 0, "元のサイズに戻す(親)"},
    {Window, 61536, 0, "終了(親)"},
    {Window, 61488, 0, "最大化(子)"},
    {Window, 61472, 0, "最小化(子)"},
    {Window, 61728, 0, "元のサイズに戻す(子)"},
    {Window, 61536, 0, "閉じる(子)"},
    // The names of the next two and the commands they run cross over, as the menu's
    // own labels do.
    {DocumentEditing, cmd::SelectFromTop, cmd::SelectFromTop},
    {DocumentEditing, cmd::SelectLine, cmd::SelectLine},
    {DocumentEditing, cmd::SelectToEnd, cmd::SelectToEnd},
    {DocumentEditing, cmd::SelectFromLineStart, cmd::SelectFromLineStart},
    {DocumentEditing, cmd::SelectToLineEnd, cmd::SelectToLineEnd},
    {DocumentEditing, cmd::ToolClipboardPrefix, cmd::ToolClipboardPrefix},
    {DocumentEditing, cmd::ToolSignature, cmd::ToolSignature},
}};

std::array<HotkeyCommand, kHotkeyCommandCount> buildCommands() {
  std::array<HotkeyCommand, kHotkeyCommandCount> commands{};
  for (std::size_t i = 0; i < kEntries.size(); ++i) {
    const Entry& e = kEntries[i];
    const Command* runs = e.commandId == 0 ? nullptr : findCommand(e.commandId);
    commands[i] = {e.category, runs ? runs->hotkeyName : e.name, e.id, e.commandId,
                   runs ? runs->defaultKey : e.defaultKey};
  }
  return commands;
}

constexpr std::array<std::size_t, 15> kFrameIndices = {0,  1,  2,  3,  4,  5,  23, 24,
                                                       25, 26, 27, 28, 29, 30, 31};
constexpr std::array<std::size_t, 28> kViewIndices = {6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                                      16, 17, 18, 19, 20, 21, 22, 32, 33, 34,
                                                      35, 36, 37, 38, 39, 40, 41, 42};

constexpr std::string_view kControlPrefix = "Ctrl+";
constexpr std::string_view kAltPrefix = "Alt +";
constexpr std::size_t kKeyTextLength = 6;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The characters of a UTF-8 text; nullopt when it is malformed (a stray or missing
// continuation byte, an over-long form, a surrogate or a code past U+10FFFF).
std::optional<std::u32string> decodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (isContinuation(lead) || lead > 0xF4 || i + length > text.size()) return std::nullopt;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (!isContinuation(next)) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out.push_back(c);
    i += length;
  }
  return out;
}

// Virtual-key codes stay below 0x800, so one or two bytes hold them.
void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return;
  }
  out.push_back(static_cast<char>(0xC0 | (c >> 6)));
  out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

bool isVirtualKey(char32_t code) { return code >= 0x01 && code <= 0xFE; }

}  // namespace

const char* categoryText(HotkeyCategory category) {
  switch (category) {
    case FileOperation: return "ファイル操作";
    case DocumentEditing: return "文書編集";
    case CursorMovement: return "カーソル移動";
    case Window: return "ウィンドウ";
  }
  return "";
}

std::span<const HotkeyCommand, kHotkeyCommandCount> hotkeyCommands() {
  static const std::array<HotkeyCommand, kHotkeyCommandCount> commands = buildCommands();
  return commands;
}

std::span<const std::size_t> frameHotkeyIndices() { return kFrameIndices; }
std::span<const std::size_t> viewHotkeyIndices() { return kViewIndices; }

std::optional<KeyCombo> parseKeyText(std::string_view keyText) {
  const std::optional<std::u32string> chars = decodeUtf8(keyText);
  if (!chars || chars->size() != kKeyTextLength) return std::nullopt;
  const char32_t key = chars->back();
  if (!isVirtualKey(key)) return std::nullopt;
  return KeyCombo{chars->front() == U'A' ? KeyModifier::Alt : KeyModifier::Control,
                  static_cast<int>(key)};
}

std::string makeKeyText(KeyCombo key) {
  std::string text(key.modifier == KeyModifier::Alt ? kAltPrefix : kControlPrefix);
  appendUtf8(text, static_cast<char32_t>(key.virtualKey));
  return text;
}

}  // namespace wabunko
