#pragma once
// Unicode (the edit control's text) <-> code page 932 bytes, exactly as Windows maps them,
// without losing anything in either direction.
//
// File bytes that are not valid code page 932 decode to reserved private-use characters
// (U+F700 + byte) and encode back to the same byte. The duplicate codes of code page 932
// decode to one character and encode to the code Windows prefers.

#include <cstddef>
#include <cstdint>
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
  // The side table has room for 940 distinct characters; past that, further ones are
  // written as '?' and counted in lost(), over the bridge's whole life.
  std::string toBytes(std::u16string_view text);
  std::u16string fromBytes(std::string_view bytes) const;
  std::size_t lost() const { return lost_; }

private:
  std::unordered_map<char32_t, std::uint16_t> codeOf_;
  std::vector<char32_t> charOf_;  // by side-table index
  std::size_t lost_ = 0;
};

}  // namespace wabunko
