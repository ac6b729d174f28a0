#pragma once
// How a clause of the input method's composition string is drawn in its state's style:
// the format laid over the text's own. The edit controls draw compositions with it, and
// the settings page shows its sample with it, so the sample looks as typing will.

#include "platform/EditControl.h"

#include <QTextCharFormat>

namespace wabunko {

// The stored effects bits of a composition style.
inline constexpr int kCompositionBold = 1;
inline constexpr int kCompositionItalic = 2;
inline constexpr int kCompositionUnderline = 4;

QTextCharFormat compositionCharFormat(const EditControl::CompositionStyle& style);

}  // namespace wabunko
