#include "search/UpwardSearch.h"

#include "doc/TextBridge.h"

#include <algorithm>

namespace wabunko {

std::size_t findLastWholeCharacters(std::string_view stretch, std::string_view needle) {
  if (needle.empty() || needle.size() > stretch.size()) return std::string_view::npos;
  std::size_t found = std::string_view::npos;
  const std::size_t last = stretch.size() - needle.size();
  for (std::size_t at = 0; at <= last;) {
    if (stretch.compare(at, needle.size(), needle) == 0) found = at;
    at += isLeadByte(static_cast<unsigned char>(stretch[at])) ? 2 : 1;
  }
  return found;
}

std::size_t tailStart(std::string_view line, std::size_t n) {
  if (n >= line.size()) return 0;
  const std::size_t wanted = line.size() - n;
  std::size_t at = 0;
  while (at < wanted) at += isLeadByte(static_cast<unsigned char>(line[at])) ? 2 : 1;
  // A lead byte that ends the line has no trail byte to step over.
  return std::min(at, line.size());
}

std::optional<int> findUpward(const UpwardLines& lines, int caretLine, int caret, std::u16string_view needle) {
  if (needle.empty() || caretLine < 0) return std::nullopt;
  // Positions in a line's text, back from byte offsets: the characters before an offset.
  const auto unitsBefore = [](const TextBridge& bridge, std::string_view bytes, std::size_t offset) {
    return static_cast<int>(bridge.fromBytes(bytes.substr(0, offset)).size());
  };
  std::u16string text = lines.text(caretLine);
  int start = lines.start(caretLine);
  text.resize(static_cast<std::size_t>(std::clamp(caret - start, 0, static_cast<int>(text.size()))));
  for (int line = caretLine; line >= 0; --line) {
    // One bridge for the needle and the lines, so characters code page 932 cannot hold
    // get the same codes in all of them.
    TextBridge bridge;
    const std::string what = bridge.toBytes(needle);
    // The lines above that wrap into this one, as many as it takes to hold the needle's
    // bytes: with lines narrower than the needle, an occurrence spans several.
    std::string aboveBytes;
    int aboveStart = start;
    for (int up = line - 1; up >= 0 && aboveBytes.size() < what.size(); --up) {
      const std::u16string upper = lines.text(up);
      const int upperStart = lines.start(up);
      if (upperStart + static_cast<int>(upper.size()) != aboveStart) break;
      aboveBytes.insert(0, bridge.toBytes(upper));
      aboveStart = upperStart;
    }
    const std::size_t tail = tailStart(aboveBytes, what.size());
    const std::string lineBytes = bridge.toBytes(text);
    const std::string stretch = aboveBytes.substr(tail) + lineBytes;
    const std::size_t at = findLastWholeCharacters(stretch, what);
    if (at != std::string::npos) {
      const std::size_t tailLength = aboveBytes.size() - tail;
      if (at >= tailLength) return start + unitsBefore(bridge, lineBytes, at - tailLength);
      return aboveStart + unitsBefore(bridge, aboveBytes, tail + at);
    }
    if (line > 0) {
      text = lines.text(line - 1);
      start = lines.start(line - 1);
    }
  }
  return std::nullopt;
}

}  // namespace wabunko
