#include "frame/ScreenFit.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace wabunko {
namespace {

std::int64_t area(const Rect& r) {
  return r.isEmpty() ? 0 : std::int64_t{r.right - r.left} * (r.bottom - r.top);
}

// The gap between two ranges along one axis; 0 where they overlap or touch.
std::int64_t gap(int low, int high, int otherLow, int otherHigh) {
  return std::max({std::int64_t{0}, std::int64_t{otherLow} - high, std::int64_t{low} - otherHigh});
}

std::int64_t distance(const Rect& a, const Rect& b) {
  return gap(a.left, a.right, b.left, b.right) + gap(a.top, a.bottom, b.top, b.bottom);
}

bool captionOn(const Rect& window, const Rect& screen) {
  return window.top >= screen.top && window.top < screen.bottom &&
         std::max(window.left, screen.left) < std::min(window.right, screen.right);
}

bool reachable(const Rect& window, const std::vector<Rect>& screens) {
  std::int64_t visible = 0;
  bool caption = false;
  for (const Rect& screen : screens) {
    visible += area(intersect(window, screen));
    caption = caption || captionOn(window, screen);
  }
  return caption && 2 * visible >= area(window);
}

// Along one axis: no longer than the screen, and within it.
void fitAxis(int& low, int& high, int screenLow, int screenHigh) {
  const int length = std::min(high - low, screenHigh - screenLow);
  low = std::clamp(low, screenLow, screenHigh - length);
  high = low + length;
}

}  // namespace

Rect fitOnScreens(const Rect& window, const std::vector<Rect>& screens) {
  std::vector<Rect> usable;
  std::ranges::copy_if(screens, std::back_inserter(usable),
                       [](const Rect& s) { return !s.isEmpty(); });
  if (usable.empty() || reachable(window, usable)) return window;

  // Most overlap first, then the shortest way; ties go to the screen listed first.
  const auto nearer = [&window](const Rect& a, const Rect& b) {
    const std::int64_t overlapA = area(intersect(window, a));
    const std::int64_t overlapB = area(intersect(window, b));
    if (overlapA != overlapB) return overlapA > overlapB;
    return distance(window, a) < distance(window, b);
  };
  const Rect& screen = *std::ranges::min_element(usable, nearer);
  Rect fitted = window;
  fitAxis(fitted.left, fitted.right, screen.left, screen.right);
  fitAxis(fitted.top, fitted.bottom, screen.top, screen.bottom);
  return fitted;
}

}  // namespace wabunko
