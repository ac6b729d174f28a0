#pragma once
// The case, width and punctuation rewrites of the "変換" menu, as functions from Shift-JIS
// bytes to new Shift-JIS bytes. Characters are read the way code page 932 reads them: a lead
// byte (0x81-0x9F, 0xE0-0xFC) and the byte after it are one character, every other byte is
// one character. A character none of the rules names (kanji, the side-table codes of
// TextBridge::toBytes, a lead byte cut off at the end) comes through unchanged.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wabunko {

// Letters with a case partner change case: ASCII, and the full-width Latin, Greek and
// Cyrillic letters, which stay double-byte. Nothing else changes.
std::string ToUpperCase(std::string_view shiftJis);
std::string ToLowerCase(std::string_view shiftJis);

// Half-width characters become full width: ASCII printable characters, the half-width
// punctuation and katakana. A following ﾞ or ﾟ is folded into a kana that takes it; one that
// no kana took is dropped.
std::string ToFullWidth(std::string_view shiftJis);

// Full-width characters with a half-width form become it: ASCII-like symbols, digits, Latin
// letters and katakana (a voiced kana becomes the kana and ﾞ or ﾟ).
std::string ToHalfWidth(std::string_view shiftJis);

// The width the converted commas and full stops take. The values are the punctuation
// dialog's "変換の内容" choices.
enum class PunctuationWidth : int { Half = -1, Original = 0, Full = 1 };

struct PunctuationChoices {
  bool japaneseComma = true;   // 、 type; false: ， type
  bool japanesePeriod = true;  // 。 type; false: ． type
  PunctuationWidth width = PunctuationWidth::Full;
};

// Called with the bytes converted so far and the length of the input: first with 0, then
// each time the walk passes another 1000 bytes, and last with done == total (a single call
// with 0, 0 for empty input). This is where the caller lets its user interface run and
// shows progress; returning false cancels.
using ConversionProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Rewrites every comma (, ､ 、 ，) and full stop (. ｡ 。 ．) in the chosen type and width.
// Returns nothing when `progress` cancelled, even on its last call: the caller then keeps
// its text as it is. An empty `progress` never cancels.
std::optional<std::string> ConvertPunctuation(std::string_view shiftJis,
                                              const PunctuationChoices& choices,
                                              const ConversionProgress& progress = {});

}  // namespace wabunko
