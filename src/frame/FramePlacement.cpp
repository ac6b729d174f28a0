#include "frame/FramePlacement.h"

#include "frame/CChildFrame.h"
#include "frame/ProfileSettings.h"
#include "frame/ScreenFit.h"
#include "frame/SettingsLayout.h"

#include <QGuiApplication>
#include <QScreen>

#include <vector>

namespace wabunko {

QRect framePlacement(const SettingsStore& store) {
  const QRect stored(readInt(store, settings::FrameLeft), readInt(store, settings::FrameTop),
                     readInt(store, settings::FrameWidth), readInt(store, settings::FrameHeight));
  std::vector<Rect> screens;
  for (const QScreen* screen : QGuiApplication::screens())
    screens.push_back(toRect(screen->availableGeometry()));
  return toQRect(fitOnScreens(toRect(stored), screens));
}

}  // namespace wabunko
