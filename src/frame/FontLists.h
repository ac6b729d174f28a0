#pragma once
// The lists of the format bar's font boxes: the face names, a face that several scripts
// offer once per script with the script's name after it, and the sizes in points as the
// size box writes them. Texts are UTF-8.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wabunko {

// A face as the font list reports it: once per script it offers.
struct FaceInScript {
  std::string face;
  std::string script;
};

struct FontNameItem {
  std::string text;  // what the box shows
  std::string face;  // the face it stands for, without the script
  bool operator==(const FontNameItem&) const = default;
};

// One item per face and script; a face reported more than once gets " (script)" after it
// where the script has a name. Sorted without regard to ASCII case; equal texts keep the
// order they came in.
std::vector<FontNameItem> fontNameItems(std::span<const FaceInScript> faces);

// A size in points as the box writes it: a half point with one decimal ("10.5"), a whole
// point without ("12"); twips are rounded to the nearest half point first.
std::string sizeText(int twips);

struct FontSizeItem {
  std::string text;
  int twips;
  bool operator==(const FontSizeItem&) const = default;
};

// The sizes a scalable face offers: 8 to 72 points.
std::vector<FontSizeItem> fixedSizeItems();
// The sizes a face of fixed sizes has, ascending; a size whose text is already listed is
// left out.
std::vector<FontSizeItem> ownSizeItems(std::span<const int> sizesTwips);

inline constexpr int kMinTypedPoints = 1;
inline constexpr int kMaxTypedPoints = 1638;  // 20 times this still fits a 16-bit height
// A typed size in points ("12", "10.5", blanks around allowed), as whole twips; nothing
// when it is not a plain decimal number or lies outside 1-1638 points.
std::optional<int> parseSizeTwips(std::string_view text);

}  // namespace wabunko
