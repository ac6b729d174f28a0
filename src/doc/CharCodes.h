#pragma once
// Byte-level conversion between the editor's internal Shift-JIS text and the other
// Japanese codes a text file may be stored in, and the rich-text test on a file's head.
// Every operation takes bytes and returns new bytes; nothing here fails.

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace wabunko {

// Positions in the file dialogs' code list.
enum class CharCode : int { ShiftJis = 0, Jis = 1, Euc = 2, InternetForm = 3 };

// Positions in the file dialogs' file-type list.
enum class FileKind : int { Auto = 0, Text = 1, RichText = 2 };

// What the file dialogs choose for a file to be opened: its code, its kind and whether it
// is shown read-only.
struct FileOptions {
  CharCode code = CharCode::ShiftJis;
  FileKind kind = FileKind::Auto;
  bool readOnly = false;
};

struct BytePair {
  std::uint8_t first;
  std::uint8_t second;
};

// For Jis, Euc and InternetForm: the Shift-JIS text of `bytes`; empty for any other code.
std::string DecodeToShiftJis(CharCode code, std::string_view bytes);

// For Jis and Euc: the encoded form of the Shift-JIS text; empty for any other code.
std::string EncodeFromShiftJis(CharCode code, std::string_view shiftJis);

// The two pair conversions, computed on integers; the low 8 bits of each result are kept.
BytePair JisPairToShiftJis(unsigned c1, unsigned c2);
BytePair ShiftJisPairToJis(unsigned s1, unsigned s2);

// The full-width Shift-JIS form of the half-width character `c`, looking at `next` for a
// voicing mark; a character without a full-width form comes back as the one byte `c`.
std::string HalfToFullChar(std::uint8_t c, std::uint8_t next);

// True when the stream's first five bytes are "{\rtf". Seeks to the start first; a read
// error counts as plain text. Unless the stream went bad, it is left at the start with its
// state cleared, so a file shorter than five bytes can still be read.
bool IsRichTextFile(std::istream& file);
// The same test on bytes already in memory.
bool IsRichTextFile(std::string_view head);

// True when the double-byte Shift-JIS character lead/trail comes back unchanged from
// being encoded in `code` and decoded again (always true for ShiftJis).
bool RoundTripsPair(CharCode code, std::uint8_t lead, std::uint8_t trail);

// The escape sequence that returns JIS text to single-byte mode (ESC ( B) when `jis`
// ends in double-byte mode, else nothing.
std::string EndJisDoubleByteMode(std::string_view jis);

// Number of characters of the Shift-JIS text that would not come back unchanged from being
// encoded in `code` and decoded again (a character that is deliberately rewritten, such as
// half-width katakana widened for EUC, counts as kept). Always 0 for ShiftJis.
std::size_t CountUnrepresentable(CharCode code, std::string_view shiftJis);

}  // namespace wabunko
