#pragma once
// Finding a string in text the way the find commands match it. Without match case, the
// Latin letters fold together: A-Z with a-z, and their full-width forms Ａ-Ｚ with ａ-ｚ.
// Nothing else folds, and a letter never matches its other width.

#include <cstddef>
#include <string_view>

namespace wabunko {

char16_t foldLetterCase(char16_t c);

// The same rule over code page 932 bytes: a single-byte character (A-Z to a-z), and the
// trail byte of a double-byte one (Ａ-Ｚ, 82 60-82 79, to ａ-ｚ, 82 81-82 9A).
unsigned char foldLetterCaseByte(unsigned char c);
unsigned char foldLetterCaseTrail(unsigned char lead, unsigned char trail);

// Whether `a` and `b` are the same text under the rule above.
bool sameText(std::u16string_view a, std::u16string_view b, bool matchCase);

// The first place at or after `from` where `needle` occurs in `haystack`; npos when there
// is none or `needle` is empty.
std::size_t findText(std::u16string_view haystack, std::u16string_view needle, std::size_t from,
                     bool matchCase);

}  // namespace wabunko
