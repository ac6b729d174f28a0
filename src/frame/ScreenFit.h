#pragma once
// The rule that keeps a top-level window where the user can reach it. A rectangle saved on
// another arrangement of monitors, or edited by hand, may lie off every screen there is
// now; such a window could neither be seen nor dragged back.

#include "frame/ChildGeometry.h"

#include <vector>

namespace wabunko {

// `window` as it should open on screens whose available areas are `screens` (they do not
// overlap one another). It stays exactly as it is while at least half of it lies on the
// screens and its top edge, where the caption is, lies on one of them. Otherwise it goes to
// the screen it overlaps most, or the nearest one when it overlaps none: shrunk to that
// screen's size where it is larger, and moved no further than it takes to lie wholly on
// it. With no screen at all it stays as it is.
Rect fitOnScreens(const Rect& window, const std::vector<Rect>& screens);

}  // namespace wabunko
