#pragma once
// Character formats made from the stored font records.

#include "frame/FontRecord.h"

#include <QColor>
#include <QTextCharFormat>

namespace wabunko {

// Face, size, bold, italic, underline and strike-out of a font record (not its colour).
QTextCharFormat charFormatFromFont(const LogFont& font);

// A stored colour, 0x00BBGGRR, and the stored form of a colour.
QColor colorFromRef(std::uint32_t colorRef);
std::uint32_t colorRefFromColor(const QColor& color);

}  // namespace wabunko
