#pragma once
// Finding a string in text the way the find commands match it. Without match case, the
// Latin letters fold together: A-Z with a-z, and their full-width forms Ａ-Ｚ with ａ-ｚ.
// Nothing else folds, and a letter never matches its other width.

#include <cstddef>
#include <string_view>

namespace wabunko {

char16_t foldLetterCase(char16_t c);

// Whether `a` and `b` are the same text under the rule above.
bool sameText(std::u16string_view a, std::u16string_view b, bool matchCase);

// The first place at or after `from` where `needle` occurs in `haystack`; npos when there
// is none or `needle` is empty.
std::size_t findText(std::u16string_view haystack, std::u16string_view needle, std::size_t from,
                     bool matchCase);

}  // namespace wabunko
