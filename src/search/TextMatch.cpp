#include "search/TextMatch.h"

#include <algorithm>
#include <string>

namespace wabunko {

namespace {

bool isLowerLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'ａ' && c <= u'ｚ'); }

}  // namespace

char16_t foldLetterCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + (u'a' - u'A'));
  if (c >= u'Ａ' && c <= u'Ｚ') return static_cast<char16_t>(c + (u'ａ' - u'Ａ'));
  return c;
}

unsigned char foldLetterCaseByte(unsigned char c) {
  return static_cast<unsigned char>(foldLetterCase(c));
}

unsigned char foldLetterCaseTrail(unsigned char lead, unsigned char trail) {
  // Ａ-Ｚ and ａ-ｚ are one run each of the row with lead byte 0x82, in the order of their
  // Unicode codes.
  constexpr unsigned char kUpperA = 0x60, kUpperZ = 0x79, kLowerA = 0x81;
  if (lead != 0x82 || trail < kUpperA || trail > kUpperZ) return trail;
  return static_cast<unsigned char>(trail - kUpperA + kLowerA);
}

bool sameText(std::u16string_view a, std::u16string_view b, bool matchCase) {
  if (matchCase) return a == b;
  return std::ranges::equal(a, b, {}, foldLetterCase, foldLetterCase);
}

std::size_t findText(std::u16string_view haystack, std::u16string_view needle, std::size_t from,
                     bool matchCase) {
  if (needle.empty() || from > haystack.size() || needle.size() > haystack.size() - from)
    return std::u16string_view::npos;
  // A needle without Latin letters matches the same either way, and the plain search is
  // the faster.
  const bool hasLetters = std::ranges::any_of(needle, [](char16_t c) { return foldLetterCase(c) != c || isLowerLetter(c); });
  if (matchCase || !hasLetters) return haystack.find(needle, from);
  // Candidates are the places holding the needle's first character in either case.
  const char16_t first = foldLetterCase(needle.front());
  const std::u16string_view rest = needle.substr(1);
  const std::size_t last = haystack.size() - needle.size();
  for (std::size_t at = from; at <= last; ++at) {
    if (foldLetterCase(haystack[at]) != first) continue;
    if (sameText(haystack.substr(at + 1, rest.size()), rest, false)) return at;
  }
  return std::u16string_view::npos;
}

}  // namespace wabunko
