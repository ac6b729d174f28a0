#include "LineEnds.h"

#include <array>

namespace wabunko {

SplitLines splitLines(std::u16string_view text) {
  SplitLines split;
  split.text.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      split.ends.push_back(LineEnd::CrLf);
      ++i;
    } else if (c == u'\n') {
      split.ends.push_back(LineEnd::Lf);
    } else if (c == u'\r') {
      split.ends.push_back(LineEnd::Cr);
    } else {
      split.text.push_back(c);
      continue;
    }
    split.text.push_back(u'\n');
  }
  split.ends.push_back(LineEnd::None);
  return split;
}

std::u16string joinLines(std::u16string_view joinedByLf, std::span<const LineEnd> ends,
                         LineEnd fallback) {
  // A None fallback would glue lines together; new lines then take the default line end.
  if (fallback == LineEnd::None) fallback = LineEnd::CrLf;
  std::u16string text;
  text.reserve(joinedByLf.size() + joinedByLf.size() / 16);
  std::size_t line = 0;
  for (const char16_t c : joinedByLf) {
    if (c != u'\n') {
      text.push_back(c);
      continue;
    }
    const LineEnd end = line < ends.size() && ends[line] != LineEnd::None ? ends[line] : fallback;
    text += lineEndText(end);
    ++line;
  }
  return text;
}

LineEnd mostCommonLineEnd(std::span<const LineEnd> ends) {
  std::array<std::size_t, 4> counts{};
  for (const LineEnd end : ends) ++counts[static_cast<std::size_t>(end)];
  LineEnd best = LineEnd::CrLf;
  for (const LineEnd end : {LineEnd::Lf, LineEnd::Cr})
    if (counts[static_cast<std::size_t>(end)] > counts[static_cast<std::size_t>(best)]) best = end;
  return best;
}

std::u16string_view lineEndText(LineEnd end) {
  switch (end) {
    case LineEnd::CrLf: return u"\r\n";
    case LineEnd::Lf: return u"\n";
    case LineEnd::Cr: return u"\r";
    case LineEnd::None: break;
  }
  return u"";
}

}  // namespace wabunko
