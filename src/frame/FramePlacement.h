#pragma once
// Where the main window opens: the normal rectangle it had when it last closed, fitted to
// the screens there are now.

#include <QRect>

namespace wabunko {

class SettingsStore;

// The stored rectangle (left and top of the frame, size of the inside), moved and shrunk
// onto the nearest screen's available area when it would open off the screens.
QRect framePlacement(const SettingsStore& store);

}  // namespace wabunko
