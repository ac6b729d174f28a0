#include "CharCodes.h"
namespace wabunko {

namespace {
bool isShiftJisLead(std::uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
}  // namespace

std::size_t CountUnrepresentable(CharCode code, std::string_view shiftJis) {
  if (code != CharCode::Jis && code != CharCode::Euc) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(shiftJis[i]); };
  std::size_t count = 0;
  for (std::size_t i = 0; i < shiftJis.size();) {
    const std::uint8_t c = byte(i);
    if (isShiftJisLead(c)) {
      if (i + 1 >= shiftJis.size() || !RoundTripsPair(code, c, byte(i + 1))) ++count;
      i += 2;
      continue;
    }
    if (code == CharCode::Jis) {
      // An ESC in the text would be read back as the start of a mode switch.
      if (c == 0x1B) ++count;
    } else if (c >= 0xA6 && c <= 0xDD) {
      // Widened to full width, taking a following voicing mark with it.
      if (i + 1 < shiftJis.size() && (byte(i + 1) == 0xDE || byte(i + 1) == 0xDF)) ++i;
    } else if (c == 0x80 || c >= 0xA0) {
      // Written as a raw 8-bit byte, which EUC reads back as the start of a pair.
      ++count;
    }
    ++i;
  }
  return count;
}
std::string EndJisDoubleByteMode(std::string_view jis) {
  // The last mode switch decides: ESC $ x turns double-byte mode on, ESC ( x off.
  for (std::size_t i = jis.size(); i-- > 0;) {
    if (jis[i] != '\x1b' || i + 1 >= jis.size()) continue;
    return jis[i + 1] == '$' ? std::string("\x1b(B") : std::string();
  }
  return {};
}

}  // namespace wabunko
