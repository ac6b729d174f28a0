#pragma once
// The text tools' work on the Shift-JIS bytes of a text whose lines end in CR LF. A byte
// in 0x81-0x9F or 0xE0-0xFC leads a double-byte character two columns wide; every other
// byte is a character of one column. Where the text comes from and where the result goes
// (the control, the clipboard, the per-user files) is the view's business.

#include <cstddef>
#include <string>
#include <string_view>

namespace wabunko {

// Breaks lines after `lineLength` columns. A line holds `lineLength` columns, or one more
// when a double-byte character ends exactly there and a single-byte one follows (that one
// stays, the break comes after it); a double-byte character that would start at column
// `lineLength` moves to the next line. Line ends already in the text restart the count.
std::string breakLines(std::string_view text, int lineLength);

// Removes the spaces, tabs and full-width spaces (0x81 0x40) directly in front of every
// line end and at the end of the text, except a space or tab that is the very first byte
// of the text. `text` may be the later lines of a longer text (`startsText` false), whose
// first byte is no exception.
std::string removeTrailingBlanks(std::string_view text, bool startsText = true);

// Puts `prefix` in front of every line from the one holding `selStart` to the last one
// starting at or before `selEnd`; a selection ending exactly at a line start marks that
// line too. Lines are what the text's line ends (CR LF, CR or LF) make of it.
std::string prefixLines(std::string_view text, std::size_t selStart, std::size_t selEnd,
                        std::string_view prefix);

// The signature stored in the signature file: its bytes up to the first NUL.
std::string_view signatureText(std::string_view fileBytes);

// One record of the clip file: what a Cut took from which document and from where.
// `path` is empty for a document never saved.
std::string clipRecord(std::string_view path, int selStart, std::string_view selectedText);

}  // namespace wabunko
