#pragma once
// Unicode (the edit control's text) <-> code page 932 bytes, exactly as Windows maps them,
// without losing anything in either direction.
//
// File bytes that are not valid code page 932 decode to reserved private-use characters
// (U+F700 + byte) and encode back to the same byte. The duplicate codes of code page 932
// decode to one character and encode to the code Windows prefers.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wabunko {

class TextBridge {
public:
  // First of the private-use characters that stand for bytes that are not valid 932.
  static constexpr char16_t kInvalidByteBase = 0xF700;

  // Bytes of a file -> text. Never fails; every byte is kept.
  static std::u16string toUnicode(std::string_view bytes);

  // Text -> bytes for a file. A character code page 932 cannot hold is written as '?' and
  // counted in *unencodable (when given); an invalid-byte character becomes its byte. A
  // duplicate code's character right after an invalid lead byte is written in a code that
  // does not pair with that byte, so bytes decoded here are written back with the same
  // meaning.
  static std::string toShiftJis(std::u16string_view text, std::size_t* unencodable = nullptr);

  // Number of characters of `text` that toShiftJis would write as '?'.
  static std::size_t countUnencodable(std::u16string_view text);

  // For the byte algorithms: text -> bytes in which every character code page 932 cannot
  // hold (and every invalid-byte character) is a double-byte code from this bridge's side
  // table, with a lead byte that code page 932 leaves unassigned; fromBytes restores them.
  // The side table has room for kSideCapacity distinct characters; past that, further ones
  // are written as '?' and counted in lost(), over the bridge's whole life.
  static constexpr std::size_t kSideCapacity = 940;
  std::string toBytes(std::u16string_view text);
  std::u16string fromBytes(std::string_view bytes) const;
  std::size_t lost() const { return lost_; }

  // `text` cut into runs of whole lines, each as long as it can be while the characters it
  // needs the side table for, together with those of `shared` (text that goes into every
  // run, such as a prefix for its lines), fit one bridge. A line ends after LF, or after a
  // CR that no LF follows. An empty text is one empty run. Nothing when one line alone does
  // not fit: no cut keeps its characters.
  static std::optional<std::vector<std::u16string_view>> lineRuns(std::u16string_view text,
                                                                  std::u16string_view shared = {});

  // Text read as code page 932 from bytes that are in another code (the runs of rich
  // text): `decode` turns those bytes into code page 932, and the result is read again. A
  // character code page 932 cannot hold was never one of those bytes (rich text writes it
  // as itself): it is kept as it is, and the bytes on either side of it go to `decode` one
  // part after the other. An invalid-byte character stands for its byte.
  using Decoding = std::function<std::string(std::string_view bytes)>;
  static std::u16string decodeFileBytes(std::u16string_view text, const Decoding& decode);

private:
  std::unordered_map<char32_t, std::uint16_t> codeOf_;
  std::vector<char32_t> charOf_;  // by side-table index
  std::size_t lost_ = 0;
};

}  // namespace wabunko
