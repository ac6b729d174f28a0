#pragma once
// What the typing aids add: the indentation a new line takes over from the line before,
// and the closing character typed after an opening one.

#include <optional>
#include <string>
#include <string_view>

namespace wabunko {

// The blanks `line` starts with, as a new line after it begins: tabs and spaces as they
// are, an ideographic (full-width) space as two spaces. The first other character ends
// them.
std::u16string indentationOf(std::u16string_view line);

// The character that closes `typed`: " ' ( [ { give " ' ) ] }; their full-width forms
// and everything else give nothing.
std::optional<char16_t> closingCharacter(char16_t typed);

}  // namespace wabunko
