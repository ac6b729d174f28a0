#include "settings/HotKeyTable.h"

#include <array>

namespace wabunko {
namespace {

using enum HotkeyCategory;

constexpr std::array<HotkeyCommand, kHotkeyCommandCount> kCommands = {{
    {FileOperation, "新規作成", 57600, 57600, "新規作成(&N)", "Ctrl+N"},
    {FileOperation, "開く", 57601, 57601, "開く(&O)...", "Ctrl+O"},
    {FileOperation, "上書き保存", 57603, 57603, "上書き保存(&S)", "Ctrl+S"},
    {FileOperation, "名前をつけて保存", 57604, 57604, "名前を付けて保存(&A)...", ""},
    {FileOperation, "すべて保存", 32782, 32782, "すべて保存(&M)", ""},
    {FileOperation, "印刷", 57607, 57607, "印刷(&P)...", "Ctrl+P"},
    {DocumentEditing, "元に戻す", 57643, 57643, "元に戻す(&U)", "Ctrl+Z"},
    {DocumentEditing, "切り取り", 57635, 57635, "切り取り(&T)", "Ctrl+X"},
    {DocumentEditing, "複写", 57634, 57634, "ｺﾋﾟｰ(&C)", "Ctrl+C"},
    {DocumentEditing, "貼り付け", 57637, 57637, "貼り付け(&P)", "Ctrl+V"},
    {DocumentEditing, "削除", 57632, 57632, "削除(&D)", ""},
    {DocumentEditing, "全て選択", 57642, 57642, "すべて(&L)", "Ctrl+A"},
    // Find and replace are registered under the framework's ids but run the main
    // frame's own commands.
    {DocumentEditing, "検索", 57636, 32810, "検索(&F)...", "Ctrl+F"},
    {DocumentEditing, "次を検索", 32811, 32811, "次を検索(&I)", ""},
    {DocumentEditing, "置換", 57641, 32812, "置換(&E)", "Ctrl+H"},
    {CursorMovement, "一文字右へ移動", 2212, 0, "", ""},
    {CursorMovement, "一文字左へ移動", 2211, 0, "", ""},
    {CursorMovement, "一文字上へ移動", 2213, 0, "", ""},
    {CursorMovement, "一文字下へ移動", 2214, 0, "", ""},
    {CursorMovement, "行頭へ移動", 2215, 0, "", ""},
    {CursorMovement, "行末へ移動", 2216, 0, "", ""},
    {CursorMovement, "先頭へ移動", 32776, 32776, "先頭行(&T)", ""},
    {CursorMovement, "最後に移動", 32777, 32777, "最終行(&B)", ""},
    {Window, "重ねて表示", 57650, 0, "", ""},
    {Window, "上下にならべて表示", 57651, 0, "", ""},
    {Window, "左右にならべて表示", 57652, 0, "", ""},
    {Window, "前のウィンドウ", 2201, 0, "", ""},
    {Window, "次のウィンドウ", 2202, 0, "", ""},
    {Window, "最大化(親)", 61488, 0, "", ""},
    {Window, "最小化(親)", 61472, 0, "", ""},
    {Window, "元のサイズに戻す(親)", 61728, 0, "", ""},
    {Window, "終了(親)", 61536, 0, "", ""},
    {Window, "最大化(子)", 61488, 0, "", ""},
    {Window, "最小化(子)", 61472, 0, "", ""},
    {Window, "元のサイズに戻す(子)", 61728, 0, "", ""},
    {Window, "閉じる(子)", 61536, 0, "", ""},
    // The names of the next two and the commands they run cross over, as the menu's
    // own labels do.
    {DocumentEditing, "この行", 32797, 32797, "先頭から", ""},
    {DocumentEditing, "先頭から", 32806, 32806, "この行", ""},
    {DocumentEditing, "最後まで", 32796, 32796, "最後まで", ""},
    {DocumentEditing, "行頭から", 32803, 32803, "行頭から", ""},
    {DocumentEditing, "行末まで", 32793, 32793, "行末まで", ""},
    {DocumentEditing, "引用記号", 32786, 32786, "縦方向", ""},
    {DocumentEditing, "シグニチャ", 32804, 32804, "ｼｸﾞﾆﾁｬ", ""},
}};

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

std::span<const HotkeyCommand, kHotkeyCommandCount> hotkeyCommands() { return kCommands; }

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
