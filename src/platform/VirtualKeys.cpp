#include "VirtualKeys.h"

#include <X11/keysym.h>

#include <Qt>
#include <algorithm>

namespace wabunko {
namespace {

struct NamedKey {
  int virtualKey;
  PlatformKey key;
};

constexpr NamedKey kNamedKeys[] = {
    {0x08, {Qt::Key_Backspace, false, XK_BackSpace}},
    {0x09, {Qt::Key_Tab, false, XK_Tab}},
    {0x0C, {Qt::Key_Clear, false, XK_Clear}},
    {0x0D, {Qt::Key_Return, false, XK_Return}},
    {0x13, {Qt::Key_Pause, false, XK_Pause}},
    {0x1B, {Qt::Key_Escape, false, XK_Escape}},
    {0x20, {Qt::Key_Space, false, XK_space}},
    {0x21, {Qt::Key_PageUp, false, XK_Prior}},
    {0x22, {Qt::Key_PageDown, false, XK_Next}},
    {0x23, {Qt::Key_End, false, XK_End}},
    {0x24, {Qt::Key_Home, false, XK_Home}},
    {0x25, {Qt::Key_Left, false, XK_Left}},
    {0x26, {Qt::Key_Up, false, XK_Up}},
    {0x27, {Qt::Key_Right, false, XK_Right}},
    {0x28, {Qt::Key_Down, false, XK_Down}},
    {0x2C, {Qt::Key_Print, false, XK_Print}},
    {0x2D, {Qt::Key_Insert, false, XK_Insert}},
    {0x2E, {Qt::Key_Delete, false, XK_Delete}},
    {0x2F, {Qt::Key_Help, false, XK_Help}},
    {0x5D, {Qt::Key_Menu, false, XK_Menu}},
    {0x6A, {Qt::Key_Asterisk, true, XK_KP_Multiply}},
    {0x6B, {Qt::Key_Plus, true, XK_KP_Add}},
    {0x6C, {Qt::Key_Comma, true, XK_KP_Separator}},
    {0x6D, {Qt::Key_Minus, true, XK_KP_Subtract}},
    {0x6E, {Qt::Key_Period, true, XK_KP_Decimal}},
    {0x6F, {Qt::Key_Slash, true, XK_KP_Divide}},
    {0xBA, {Qt::Key_Semicolon, false, XK_semicolon}},
    {0xBB, {Qt::Key_Equal, false, XK_equal}},
    {0xBC, {Qt::Key_Comma, false, XK_comma}},
    {0xBD, {Qt::Key_Minus, false, XK_minus}},
    {0xBE, {Qt::Key_Period, false, XK_period}},
    {0xBF, {Qt::Key_Slash, false, XK_slash}},
    {0xC0, {Qt::Key_QuoteLeft, false, XK_grave}},
    {0xDB, {Qt::Key_BracketLeft, false, XK_bracketleft}},
    {0xDC, {Qt::Key_Backslash, false, XK_backslash}},
    {0xDD, {Qt::Key_BracketRight, false, XK_bracketright}},
    {0xDE, {Qt::Key_Apostrophe, false, XK_apostrophe}},
};

// A run of consecutive codes that maps onto consecutive Qt keys and keysyms.
struct KeyRange {
  int firstVirtualKey, lastVirtualKey;
  PlatformKey first;
};

constexpr KeyRange kRanges[] = {
    {'A', 'Z', {Qt::Key_A, false, XK_a}},  // the keysym a letter's key carries unshifted
    {'0', '9', {Qt::Key_0, false, XK_0}},
    {0x60, 0x69, {Qt::Key_0, true, XK_KP_0}},
    {0x70, 0x87, {Qt::Key_F1, false, XK_F1}},
};

}  // namespace

std::optional<PlatformKey> platformKey(int virtualKey) {
  for (const KeyRange& r : kRanges) {
    if (virtualKey < r.firstVirtualKey || virtualKey > r.lastVirtualKey) continue;
    const int offset = virtualKey - r.firstVirtualKey;
    return PlatformKey{r.first.qtKey + offset, r.first.keypad,
                       r.first.keysym + static_cast<std::uint32_t>(offset)};
  }
  const auto it = std::ranges::find(kNamedKeys, virtualKey, &NamedKey::virtualKey);
  if (it == std::ranges::end(kNamedKeys)) return std::nullopt;
  return it->key;
}

}  // namespace wabunko
