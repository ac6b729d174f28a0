#pragma once
// The arithmetic of the formatting commands, in twips: raising and lowering characters,
// and paragraph indents in millimetres of 57 twips.

#include "frame/SettingsLayout.h"

#include <string_view>

namespace wabunko {

struct HeightAndOffset {
  int heightTwips = 0;
  int offsetTwips = 0;  // raised when positive
  bool operator==(const HeightAndOffset&) const = default;
};

// Of p whole points (the height's points, truncated): the height becomes 12 p twips (60 per
// cent) and the offset grows by 6 p (raised by 30 per cent of the size) ...
HeightAndOffset superscript(HeightAndOffset current);
// ... or falls by p (lowered by a twentieth of the size).
HeightAndOffset subscript(HeightAndOffset current);

inline constexpr int kTwipsPerMillimetre = 57;

// Truncated toward zero.
int millimetresFromTwips(int twips);
// `millimetres` is held to the bounds of the indent settings first, so 57 times it and
// the sum of two of them stay far inside an int.
int twipsFromMillimetres(int millimetres);

// A paragraph's indents as the formatting counts them: where its first line starts, how
// far right of that its other lines start, and its right indent.
struct ParagraphIndents {
  int startTwips = 0;
  int offsetTwips = 0;
  int rightTwips = 0;
  bool operator==(const ParagraphIndents&) const = default;
};

// The indent dialog's fields, in millimetres: where the lines after the first start, the
// right indent, and how far right of the others the first line starts (negative: hanging).
struct IndentFields {
  int left = 0;
  int right = 0;
  int first = 0;
  bool operator==(const IndentFields&) const = default;
};

IndentFields indentFields(const ParagraphIndents& paragraph);
ParagraphIndents paragraphIndents(const IndentFields& fields);

// A field's text as a signed whole number of millimetres, blanks around it allowed; text
// that is not one reads 0, a number beyond the bounds the bound.
int indentFieldValue(std::string_view text);

}  // namespace wabunko
