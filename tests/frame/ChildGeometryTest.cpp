// The document windows' geometry: the no-overlap rule over windows whose rectangle
// changes re-enter the rule as real windows do, and the cascade and tile layouts.
#include "frame/ChildGeometry.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace wabunko {

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace {

class Windows : public ArrangementHost {
public:
  class Window : public ArrangedChild {
  public:
    Window(const Windows& host, Rect rect) : host_(host), rect_(rect) { lastRect = rect; }
    Rect normalRect() const override { return rect_; }
    // Like a real window: a new rectangle runs the window's own pass.
    void setNormalRect(const Rect& rect) override {
      rect_ = rect;
      noOverlapPass(host_, *this);
    }
    void moveTo(const Rect& rect) { setNormalRect(rect); }

  private:
    const Windows& host_;
    Rect rect_;
  };

  Windows(std::string_view method, bool noIntersection, const std::vector<Rect>& rects)
      : method_(arrangeMethodFromText(method)), noIntersection_(noIntersection) {
    for (const Rect& r : rects) windows_.push_back(std::make_unique<Window>(*this, r));
  }

  std::vector<ArrangedChild*> children() const override {
    std::vector<ArrangedChild*> all;
    for (const auto& w : windows_) all.push_back(w.get());
    return all;
  }
  bool noIntersection() const override { return noIntersection_; }
  ArrangeMethod method() const override { return method_; }

  Window& operator[](std::size_t i) { return *windows_[i]; }
  std::vector<Rect> rects() const {
    std::vector<Rect> all;
    for (const auto& w : windows_) all.push_back(w->normalRect());
    return all;
  }

private:
  ArrangeMethod method_;
  bool noIntersection_;
  std::vector<std::unique_ptr<Window>> windows_;
};

TEST(ChildGeometry, NoOverlapPassPushesAsideAndFillsGaps) {
  // Two windows one above the other, and the same side by side, in a 400 x 400 client.
  const std::vector<Rect> rows{{0, 0, 400, 200}, {0, 200, 400, 400}};
  const std::vector<Rect> columns{{0, 0, 200, 400}, {200, 0, 400, 400}};
  const struct Case {
    const char* name;
    std::string_view method;
    bool noIntersection;
    bool marked;  // window 0 is in an arrangement when it moves
    std::vector<Rect> windows;
    Rect moved;  // window 0's new rectangle
    std::vector<Rect> expected;
  } cases[] = {
      {"bottom edge down pushes the top edge below", "上下に", true, false, rows,
       {0, 0, 400, 250}, {{0, 0, 400, 250}, {0, 250, 400, 400}}},
      {"bottom edge up lets the window below fill the strip", "上下に", true, false, rows,
       {0, 0, 400, 150}, {{0, 0, 400, 150}, {0, 150, 400, 400}}},
      {"right edge right pushes the left edge beside", "左右に", true, false, columns,
       {0, 0, 250, 400}, {{0, 0, 250, 400}, {250, 0, 400, 400}}},
      {"right edge left lets the window beside fill the strip", "左右に", true, false, columns,
       {0, 0, 150, 400}, {{0, 0, 150, 400}, {150, 0, 400, 400}}},
      {"left edge right of the right window, horizontal fill", "左右に", true, false,
       {{200, 0, 400, 400}, {0, 0, 200, 400}}, {250, 0, 400, 400},
       {{250, 0, 400, 400}, {0, 0, 250, 400}}},
      {"one above the other pushes vertically first", "上下に", true, false,
       {{0, 0, 200, 200}, {200, 200, 400, 400}}, {0, 0, 250, 250},
       {{0, 0, 250, 250}, {200, 250, 400, 400}}},
      {"side by side pushes horizontally first", "左右に", true, false,
       {{0, 0, 200, 200}, {200, 200, 400, 400}}, {0, 0, 250, 250},
       {{0, 0, 250, 250}, {250, 200, 400, 400}}},
      {"a move grows one side and frees the other", "上下に", true, false,
       {{0, 100, 400, 200}, {0, 0, 400, 100}, {0, 200, 400, 400}}, {0, 150, 400, 250},
       {{0, 150, 400, 250}, {0, 0, 400, 150}, {0, 250, 400, 400}}},
      {"a cut through the middle leaves the neighbour", "上下に", true, false,
       {{400, 150, 500, 250}, {0, 100, 400, 300}}, {0, 150, 500, 250},
       {{0, 150, 500, 250}, {0, 100, 400, 300}}},
      {"a full cover leaves the neighbour", "上下に", true, false, rows, {0, 0, 400, 400},
       {{0, 0, 400, 400}, {0, 200, 400, 400}}},
      {"the switch off lets windows overlap", "上下に", false, false, rows, {0, 0, 400, 250},
       {{0, 0, 400, 250}, {0, 200, 400, 400}}},
      {"cascaded windows are not adjusted", "重ねて", true, false, rows, {0, 0, 400, 250},
       {{0, 0, 400, 250}, {0, 200, 400, 400}}},
      {"an unknown method adjusts nothing", "斜めに", true, false, rows, {0, 0, 400, 150},
       {{0, 0, 400, 150}, {0, 200, 400, 400}}},
      {"a window in an arrangement only leaves it", "上下に", true, true, rows, {0, 0, 400, 250},
       {{0, 0, 400, 250}, {0, 200, 400, 400}}},
      // The pushed window's own pass hands its freed strip to a third window, whose own
      // pass finds nothing left to push: the chain ends.
      {"re-entered passes chain and end", "上下に", true, false,
       {{0, 0, 200, 200}, {0, 200, 400, 400}, {200, 0, 400, 200}}, {0, 0, 200, 250},
       {{0, 0, 200, 250}, {0, 250, 400, 400}, {200, 0, 400, 250}}},
      {"both neighbours below fill a strip as wide as both", "上下に", true, false,
       {{0, 0, 400, 200}, {0, 200, 200, 400}, {200, 200, 400, 400}}, {0, 0, 400, 150},
       {{0, 0, 400, 150}, {0, 150, 200, 400}, {200, 150, 400, 400}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Windows windows(c.method, c.noIntersection, c.windows);
    windows[0].inArrangement = c.marked;
    windows[0].moveTo(c.moved);
    EXPECT_EQ(windows.rects(), c.expected);
    for (ArrangedChild* w : windows.children()) {
      EXPECT_FALSE(w->inArrangement);
      EXPECT_EQ(w->lastRect, w->normalRect());
    }
  }
}

TEST(ChildGeometry, LayoutsFollowThePlatformMeanings) {
  const Rect client{0, 0, 600, 400};
  const auto above = [&](int n) { return tileLayout(client, n, ArrangeMethod::AboveEachOther); };
  const auto beside = [&](int n) { return tileLayout(client, n, ArrangeMethod::SideBySide); };

  EXPECT_EQ(above(1), (std::vector<Rect>{client}));
  EXPECT_EQ(above(3), (std::vector<Rect>{{0, 0, 600, 133}, {0, 133, 600, 266}, {0, 266, 600, 400}}));
  EXPECT_EQ(beside(2), (std::vector<Rect>{{0, 0, 300, 400}, {300, 0, 600, 400}}));
  // Five windows: two lines of two, the last line taking the rest.
  EXPECT_EQ(above(5), (std::vector<Rect>{{0, 0, 300, 200},
                                         {300, 0, 600, 200},
                                         {0, 200, 200, 400},
                                         {200, 200, 400, 400},
                                         {400, 200, 600, 400}}));
  EXPECT_EQ(beside(5), (std::vector<Rect>{{0, 0, 300, 200},
                                          {0, 200, 300, 400},
                                          {300, 0, 600, 133},
                                          {300, 133, 600, 266},
                                          {300, 266, 600, 400}}));
  EXPECT_TRUE(above(0).empty());

  // A 400-high client holds 400 / (3 * 20) = 6 steps; the eighth window starts over.
  const std::vector<Rect> cascade = cascadeLayout(client, 8, 20);
  EXPECT_EQ(cascade[0], (Rect{0, 0, 480, 280}));
  EXPECT_EQ(cascade[6], (Rect{120, 120, 600, 400}));
  EXPECT_EQ(cascade[7], cascade[0]);

  // Five 160-wide icons fit three to a row in 600: two rows of 30.
  EXPECT_EQ(withoutIconRows(client, 5, 160, 30), (Rect{0, 0, 600, 340}));
  EXPECT_EQ(withoutIconRows(client, 0, 160, 30), client);
  EXPECT_EQ(withoutIconRows({0, 0, 600, 50}, 5, 160, 30), (Rect{0, 0, 600, 50}));
}

}  // namespace
}  // namespace wabunko
