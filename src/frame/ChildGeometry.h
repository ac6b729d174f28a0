#pragma once
// Geometry of the document windows inside the main window: cascade, the two tilings, and
// the rule that keeps tiled windows from overlapping (a window that grows pushes its
// neighbours aside, a window that shrinks lets its neighbours grow into the freed strip).
// Rectangles are the windows' normal (restored) rectangles in the client area's
// coordinates; right and bottom lie just outside, so neighbours share an edge value.

#include <string_view>
#include <vector>

namespace wabunko {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool isEmpty() const { return left >= right || top >= bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The part two rectangles have in common; empty when they do not overlap.
Rect intersect(const Rect& a, const Rect& b);

// How the windows are arranged, under the names the settings store keeps.
enum class ArrangeMethod { Cascade, AboveEachOther, SideBySide, Other };
inline constexpr std::string_view kCascadeText = "重ねて";
inline constexpr std::string_view kAboveEachOtherText = "上下に";
inline constexpr std::string_view kSideBySideText = "左右に";
ArrangeMethod arrangeMethodFromText(std::string_view text);

// Vertical: the top and bottom edges move. Horizontal: the left and right edges move.
enum class Axis { Vertical, Horizontal };

// A document window as the arrangement sees it.
class ArrangedChild {
public:
  virtual ~ArrangedChild() = default;
  virtual Rect normalRect() const = 0;
  // Takes effect at once; on a real window the change runs the window's own
  // no-overlap pass before this returns.
  virtual void setNormalRect(const Rect& rect) = 0;

  // Set while the window's own pass runs, and by an arrangement of all windows: the
  // window's next pass then only clears it.
  bool inArrangement = false;
  // The normal rectangle as last seen.
  Rect lastRect;
};

class ArrangementHost {
public:
  virtual ~ArrangementHost() = default;
  // Every document window: templates, then documents, then views, in list order.
  virtual std::vector<ArrangedChild*> children() const = 0;
  // "No intersection child"; off, windows may overlap freely.
  virtual bool noIntersection() const = 0;
  // The stored arrangement method, read each time.
  virtual ArrangeMethod method() const = 0;
};

// Runs after a window was moved or sized: a window that grew pushes the others aside, one
// that shrank hands the freed strips to its neighbours; the method decides which axis
// goes first. Nothing happens for cascaded windows.
void noOverlapPass(const ArrangementHost& host, ArrangedChild& child);

// Moves the edge of every other window that `rect` covers on one side, along `axis`, to
// the edge of `rect`. A window covered entirely, or cut only in its middle, keeps its
// place.
void pushAside(const ArrangementHost& host, Axis axis, const Rect& rect);

// Lets a window that touches the freed `strip` along `axis`, and lies within its extent
// across it, grow over the strip.
void fillGap(const ArrangementHost& host, Axis axis, const Rect& strip);

// Cascade of `count` windows, listed from the bottom of the stacking order up, each one
// `step` further right and down than the one below it. As on the platform's own MDI
// arrangement, the windows are all the same size, leaving room for a third of the client
// height in steps, and the sequence starts again at the top left when it is used up.
std::vector<Rect> cascadeLayout(const Rect& client, int count, int step);

// Tiling of `count` windows, listed from the top of the stacking order down, filling the
// client rectangle. SideBySide makes columns of windows, anything else rows (windows one
// above the other). With k the whole square root of `count`, there are count / k lines of
// k windows each and the last line takes the rest: two or three windows make full lines,
// five windows one above the other make a row of two over a row of three.
std::vector<Rect> tileLayout(const Rect& client, int count, ArrangeMethod method);

// The client rectangle less the rows of `iconCount` minimised windows of the given size
// along its bottom, when there is room for both.
Rect withoutIconRows(const Rect& client, int iconCount, int iconWidth, int iconHeight);

}  // namespace wabunko
