#pragma once
// Where the find dialog goes after a find, so that it does not cover what was found.

#include "frame/ChildGeometry.h"

namespace wabunko {

// `dialog` left where it is when it does not overlap `selection`; otherwise moved just
// clear of it, to the first side where it fits on `screen`: above, then below, then left,
// then right for rows; left, then right, then above, then below for columns (vertical
// writing), whose matches run down the screen. Where it fits on no side it goes to the
// side with the most room, kept on the screen as far as that allows.
Rect placeOffSelection(const Rect& dialog, const Rect& selection, const Rect& screen, bool vertical);

}  // namespace wabunko
