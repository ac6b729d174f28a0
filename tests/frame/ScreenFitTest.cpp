// The main window's stored rectangle against the screens: kept where the user can reach
// it, otherwise brought onto the nearest screen.
#include "frame/ScreenFit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wabunko {
namespace {

std::string text(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

constexpr Rect kMain{0, 0, 1920, 1080};
constexpr Rect kRight{1920, 0, 3200, 1024};
constexpr Rect kLeft{-1280, 0, 0, 1024};

struct Case {
  const char* name;
  std::vector<Rect> screens;
  Rect stored;
  Rect fitted;
};

TEST(FitOnScreens, KeepsWhatTheUserCanReachAndBringsTheRestOntoTheNearestScreen) {
  const Case cases[] = {
      {"inside", {kMain}, {100, 100, 500, 500}, {100, 100, 500, 500}},
      {"hanging off, most of it on", {kMain}, {1700, 100, 2000, 400}, {1700, 100, 2000, 400}},
      {"across two screens", {kMain, kRight}, {1800, 100, 2100, 400}, {1800, 100, 2100, 400}},
      {"far off to the bottom left", {kMain, kRight}, {-32767, 32767, -32367, 33167},
       {0, 680, 400, 1080}},
      {"off past the right screen", {kMain, kRight}, {5000, 100, 5400, 500},
       {2800, 100, 3200, 500}},
      {"off past a screen left of the main one", {kMain, kLeft}, {-32767, 100, -32367, 500},
       {-1280, 100, -880, 500}},
      {"mostly below the bottom", {kMain}, {100, 900, 500, 1300}, {100, 680, 500, 1080}},
      {"caption above the top", {kMain}, {100, -100, 500, 300}, {100, 0, 500, 400}},
      {"to the screen it overlaps most", {kMain, kRight}, {1700, -600, 2300, 300},
       {1920, 0, 2520, 900}},
      {"larger than the screen and off", {kMain}, {-5000, -5000, -1000, -1000}, kMain},
      {"no screens", {}, {-32767, 32767, -32367, 33167}, {-32767, 32767, -32367, 33167}},
      {"only an empty screen", {{0, 0, 0, 0}}, {5000, 100, 5400, 500}, {5000, 100, 5400, 500}},
  };
  for (const Case& c : cases) {
    const Rect fitted = fitOnScreens(c.stored, c.screens);
    EXPECT_EQ(fitted, c.fitted) << c.name << ": " << text(fitted);
  }
}

}  // namespace
}  // namespace wabunko
