#include "ChildGeometry.h"

#include <algorithm>

namespace wabunko {
namespace {

// One axis of a rectangle: the two edges that move along it and the two across it.
struct Edges {
  int Rect::*low;
  int Rect::*high;
  int Rect::*crossLow;
  int Rect::*crossHigh;
};

constexpr Edges edgesOf(Axis axis) {
  return axis == Axis::Vertical ? Edges{&Rect::top, &Rect::bottom, &Rect::left, &Rect::right}
                                : Edges{&Rect::left, &Rect::right, &Rect::top, &Rect::bottom};
}

constexpr Axis across(Axis axis) { return axis == Axis::Vertical ? Axis::Horizontal : Axis::Vertical; }

bool grew(const Rect& now, const Rect& last) {
  return now.left < last.left || now.right > last.right || now.top < last.top ||
         now.bottom > last.bottom;
}

struct Strip {
  Axis axis;
  Rect rect;
};

// The strips a window left by moving edges inwards, the strips of `first` axis first.
std::vector<Strip> freedStrips(const Rect& last, const Rect& now, Axis first) {
  std::vector<Strip> vertical;
  if (last.top < now.top) vertical.push_back({Axis::Vertical, {last.left, last.top, last.right, now.top}});
  if (last.bottom > now.bottom)
    vertical.push_back({Axis::Vertical, {last.left, now.bottom, last.right, last.bottom}});
  std::vector<Strip> horizontal;
  if (last.left < now.left)
    horizontal.push_back({Axis::Horizontal, {last.left, last.top, now.left, last.bottom}});
  if (last.right > now.right)
    horizontal.push_back({Axis::Horizontal, {now.right, last.top, last.right, last.bottom}});

  std::vector<Strip> strips = first == Axis::Vertical ? vertical : horizontal;
  const std::vector<Strip>& second = first == Axis::Vertical ? horizontal : vertical;
  strips.insert(strips.end(), second.begin(), second.end());
  return strips;
}

// Visits every window not in an arrangement of its own, when the adjuster is on.
template <typename Visit>
void forEachFreeChild(const ArrangementHost& host, Visit visit) {
  if (!host.noIntersection()) return;
  for (ArrangedChild* child : host.children())
    if (!child->inArrangement) visit(*child);
}

int wholeSquareRoot(int n) {
  int root = 1;
  while ((root + 1) * (root + 1) <= n) ++root;
  return root;
}

// Boundary `index` of `parts` equal parts between `from` and `to`.
int split(int from, int to, int index, int parts) { return from + (to - from) * index / parts; }

}  // namespace

Rect intersect(const Rect& a, const Rect& b) {
  const Rect common{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
  return common.isEmpty() ? Rect{} : common;
}

ArrangeMethod arrangeMethodFromText(std::string_view text) {
  if (text == kCascadeText) return ArrangeMethod::Cascade;
  if (text == kAboveEachOtherText) return ArrangeMethod::AboveEachOther;
  if (text == kSideBySideText) return ArrangeMethod::SideBySide;
  return ArrangeMethod::Other;
}

void noOverlapPass(const ArrangementHost& host, ArrangedChild& child) {
  const ArrangeMethod method = host.method();
  const Rect now = child.normalRect();
  const Rect last = child.lastRect;
  if (!child.inArrangement && method != ArrangeMethod::Cascade) {
    // The window stays out of the adjustments it causes, also those its neighbours'
    // own passes cause in turn.
    child.inArrangement = true;
    if (method == ArrangeMethod::AboveEachOther || method == ArrangeMethod::SideBySide) {
      const Axis first = method == ArrangeMethod::AboveEachOther ? Axis::Vertical : Axis::Horizontal;
      if (grew(now, last)) {
        pushAside(host, first, now);
        pushAside(host, across(first), now);
      }
      for (const Strip& strip : freedStrips(last, now, first)) fillGap(host, strip.axis, strip.rect);
    }
  }
  child.lastRect = now;
  child.inArrangement = false;
}

void pushAside(const ArrangementHost& host, Axis axis, const Rect& rect) {
  const Edges e = edgesOf(axis);
  forEachFreeChild(host, [&](ArrangedChild& child) {
    Rect f = child.normalRect();
    const Rect covered = intersect(f, rect);
    if (covered.isEmpty()) return;
    // The two cases exclude each other: the first needs the low edges to differ, the
    // second needs them equal, and the first leaves them as they were.
    if (covered.*e.high == f.*e.high && covered.*e.low != f.*e.low) {
      f.*e.high = rect.*e.low;
      child.setNormalRect(f);
    }
    if (covered.*e.low == f.*e.low && covered.*e.high != f.*e.high) {
      f.*e.low = rect.*e.high;
      child.setNormalRect(f);
    }
  });
}

void fillGap(const ArrangementHost& host, Axis axis, const Rect& strip) {
  const Edges e = edgesOf(axis);
  forEachFreeChild(host, [&](ArrangedChild& child) {
    Rect f = child.normalRect();
    if (strip.*e.crossLow > f.*e.crossLow || f.*e.crossHigh > strip.*e.crossHigh) return;
    // A window cannot touch a non-empty strip from both sides at once.
    if (strip.*e.low == f.*e.high) {
      f.*e.high = strip.*e.high;
      child.setNormalRect(f);
    } else if (strip.*e.high == f.*e.low) {
      f.*e.low = strip.*e.low;
      child.setNormalRect(f);
    }
  });
}

std::vector<Rect> cascadeLayout(const Rect& client, int count, int step) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  const int steps = step > 0 ? height / (3 * step) : 0;
  std::vector<Rect> rects;
  for (int i = 0; i < count; ++i) {
    const int offset = step * (i % (steps + 1));
    const int left = client.left + offset;
    const int top = client.top + offset;
    rects.push_back({left, top, left + width - steps * step, top + height - steps * step});
  }
  return rects;
}

std::vector<Rect> tileLayout(const Rect& client, int count, ArrangeMethod method) {
  if (count <= 0) return {};
  // Lay out columns of windows; rows are the same layout with the axes exchanged.
  const bool columns = method == ArrangeMethod::SideBySide;
  const Edges along = edgesOf(columns ? Axis::Horizontal : Axis::Vertical);
  const Edges inLine = edgesOf(columns ? Axis::Vertical : Axis::Horizontal);
  const int perLine = wholeSquareRoot(count);
  const int lines = count / perLine;
  std::vector<Rect> rects;
  for (int line = 0; line < lines; ++line) {
    const int inThisLine = line == lines - 1 ? count - perLine * (lines - 1) : perLine;
    for (int slot = 0; slot < inThisLine; ++slot) {
      Rect r;
      r.*along.low = split(client.*along.low, client.*along.high, line, lines);
      r.*along.high = split(client.*along.low, client.*along.high, line + 1, lines);
      r.*inLine.low = split(client.*inLine.low, client.*inLine.high, slot, inThisLine);
      r.*inLine.high = split(client.*inLine.low, client.*inLine.high, slot + 1, inThisLine);
      rects.push_back(r);
    }
  }
  return rects;
}

Rect withoutIconRows(const Rect& client, int iconCount, int iconWidth, int iconHeight) {
  if (iconCount <= 0) return client;
  const int perRow = std::max((client.right - client.left) / std::max(iconWidth, 1), 1);
  const int rows = (iconCount + perRow - 1) / perRow;
  Rect rest = client;
  if (rest.bottom - rows * iconHeight > rest.top) rest.bottom -= rows * iconHeight;
  return rest;
}

}  // namespace wabunko
