#pragma once
#include <cstddef>
#include <string>

namespace wabunko::bench {

// A Shift-JIS (code page 932) text of about `bytes` bytes, built from a fixed seed so every
// run measures the same input: hiragana, katakana, kanji, ASCII words, half-width katakana
// and punctuation, in lines of 20-80 characters ending in CR LF.
const std::string& japaneseShiftJisText(std::size_t bytes = 100u << 20);

}  // namespace wabunko::bench
