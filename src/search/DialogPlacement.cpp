#include "search/DialogPlacement.h"

#include <algorithm>
#include <array>

namespace wabunko {
namespace {

constexpr int kGap = 20;

Rect moved(const Rect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

bool inside(const Rect& r, const Rect& screen) {
  return r.left >= screen.left && r.top >= screen.top && r.right <= screen.right && r.bottom <= screen.bottom;
}

// Slides `r` across (horizontalSide) or up and down until it lies on the screen that way.
Rect alongSide(Rect r, const Rect& screen, bool horizontalSide) {
  if (horizontalSide) {
    const int dx = std::clamp(0, screen.left - r.left, std::max(screen.left - r.left, screen.right - r.right));
    return moved(r, dx, 0);
  }
  const int dy = std::clamp(0, screen.top - r.top, std::max(screen.top - r.top, screen.bottom - r.bottom));
  return moved(r, 0, dy);
}

}  // namespace

Rect placeOffSelection(const Rect& dialog, const Rect& selection, const Rect& screen, bool vertical) {
  if (intersect(dialog, selection).isEmpty()) return dialog;
  const int width = dialog.right - dialog.left;
  const int height = dialog.bottom - dialog.top;
  enum Side { Above, Below, Left, Right };
  const auto place = [&](Side side) {
    switch (side) {
      case Above: return alongSide(moved(dialog, 0, selection.top - kGap - dialog.bottom), screen, true);
      case Below: return alongSide(moved(dialog, 0, selection.bottom + kGap - dialog.top), screen, true);
      case Left: return alongSide(moved(dialog, selection.left - kGap - dialog.right, 0), screen, false);
      case Right: return alongSide(moved(dialog, selection.right + kGap - dialog.left, 0), screen, false);
    }
    return dialog;
  };
  const auto room = [&](Side side) {
    switch (side) {
      case Above: return (selection.top - kGap - screen.top) - height;
      case Below: return (screen.bottom - selection.bottom - kGap) - height;
      case Left: return (selection.left - kGap - screen.left) - width;
      case Right: return (screen.right - selection.right - kGap) - width;
    }
    return 0;
  };
  const std::array<Side, 4> order = vertical ? std::array{Left, Right, Above, Below} : std::array{Above, Below, Left, Right};
  for (Side side : order)
    if (const Rect r = place(side); inside(r, screen)) return r;
  const Rect best = place(*std::ranges::max_element(order, {}, room));
  return alongSide(alongSide(best, screen, true), screen, false);
}

}  // namespace wabunko
