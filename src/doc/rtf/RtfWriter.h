#pragma once
// The neutral document model -> RTF in code page 932, as the edit control of a Japanese
// system writes it: Shift-JIS text as \'hh, other characters as \uN with a '?' fallback.

#include <string>

#include "doc/rtf/RtfModel.h"

namespace wabunko::rtf {

std::string writeRtf(const RtfDocument& document);

}  // namespace wabunko::rtf
