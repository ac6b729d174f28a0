// Properties of TextBridge and the line-end memory on arbitrary input:
// - file bytes -> text -> bytes keeps the text, and the length (a duplicate code may come
//   back as another code of the same character, nothing else changes);
// - any UTF-16, even with unpaired surrogates, comes back whole through the side table;
// - splitting at line ends and joining again gives the text back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "doc/LineEnds.h"
#include "doc/TextBridge.h"

namespace {

using namespace wabunko;

void require(bool ok) {
  if (!ok) std::abort();
}

void checkFileRoundTrip(std::string_view bytes) {
  const std::u16string text = TextBridge::toUnicode(bytes);
  std::size_t unencodable = 1;
  const std::string back = TextBridge::toShiftJis(text, &unencodable);
  require(unencodable == 0);
  require(back.size() == bytes.size());
  require(TextBridge::toUnicode(back) == text);
}

void checkSideTable(std::u16string_view text) {
  TextBridge bridge;
  const std::string bytes = bridge.toBytes(text);
  if (bridge.lost() == 0) require(bridge.fromBytes(bytes) == text);
  std::size_t unencodable = 0;
  TextBridge::toShiftJis(text, &unencodable);
  require(unencodable == TextBridge::countUnencodable(text));
}

void checkLines(std::u16string_view text) {
  const SplitLines split = splitLines(text);
  std::size_t breaks = 0;
  for (char16_t c : split.text) breaks += c == u'\n';
  require(split.ends.size() == breaks + 1 && split.ends.back() == LineEnd::None);
  require(joinLines(split.text, split.ends, LineEnd::CrLf) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkFileRoundTrip(bytes);

  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * 2);
  checkSideTable(units);

  checkLines(TextBridge::toUnicode(bytes));
  checkLines(units);
  return 0;
}
