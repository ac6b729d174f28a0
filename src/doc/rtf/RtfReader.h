#pragma once
// RTF -> the neutral document model. Reads what word processors, converters and the editor
// itself write; ignores what the model cannot carry.

#include <string_view>

#include "doc/rtf/RtfModel.h"

namespace wabunko::rtf {

struct RtfReadResult {
  RtfDocument document;
  // The input broke RTF's rules somewhere (no "{\rtf" at the start, unbalanced braces, cut
  // short, a \bin longer than what follows, a number beyond 32 bits): `document` holds what
  // could be read.
  bool damaged = false;
};

// Never fails; time and memory are linear in the input's size.
RtfReadResult readRtf(std::string_view bytes);

}  // namespace wabunko::rtf
