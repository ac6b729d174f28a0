#pragma once
// A font setting: the fields of a logical font plus a text colour, stored as one section
// of 15 keys ("Font\Default", "Font\Read only", "Font\Line number").

#include <cstdint>
#include <string>

namespace wabunko {

struct LogFont {
  int height = 12;  // points
  int width = 0;
  int escapement = 0;
  int orientation = 0;
  int weight = 400;  // 400 normal, 700 bold
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 1;
  std::uint8_t outPrecision = 5;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  // UTF-8, whole: the names of installed faces can be longer than a logical font's 31
  // bytes.
  std::string faceName = "ＭＳ ゴシック";

  bool operator==(const LogFont&) const = default;
};

struct FontRecord {
  LogFont font;
  std::uint32_t color = 0;  // 0x00BBGGRR

  bool operator==(const FontRecord&) const = default;
};

}  // namespace wabunko
