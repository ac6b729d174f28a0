#include "FrameHotKeys.h"

#include "platform/HotKeyService.h"
#include "settings/HotKeyRegistration.h"
#include "settings/HotKeyTable.h"
#include "settings/WindowCommands.h"

namespace wabunko {
namespace {

// Hot-key ids of the frame's window keys; the file keys post their own command.
constexpr int kCascade = 57650;
constexpr int kTileHorizontal = 57651;
constexpr int kTileVertical = 57652;
constexpr int kPreviousWindow = 2201;
constexpr int kNextWindow = 2202;

}  // namespace

FrameHotKeys::FrameHotKeys(HotKeyService& service, SettingsStore& store, Actions actions, QObject* parent)
    : QObject(parent), service_(service), store_(store), actions_(std::move(actions)) {
  connect(&service_, &HotKeyService::hotKeyPressed, this, [this](const QObject* owner, int id) {
    if (owner == this) onHotKey(id);
  });
}

void FrameHotKeys::registerKeys() { registerTableKeys(service_, this, store_, frameHotkeyIndices()); }

void FrameHotKeys::unregisterKeys() {
  unregisterTableKeys(service_, this, frameHotkeyIndices());
  actions_.unregisterViewKeys();
}

void FrameHotKeys::onHotKey(int id) {
  switch (id) {
    case kCascade: return actions_.cascade();
    case kTileHorizontal: return actions_.tileHorizontal();
    case kTileVertical: return actions_.tileVertical();
    case kPreviousWindow: return actions_.previousWindow();
    case kNextWindow: return actions_.nextWindow();
    case syscmd::Maximize: return actions_.maximize();
    case syscmd::Minimize: return actions_.minimize();
    case syscmd::Restore: return actions_.restore();
    case syscmd::Close: return actions_.close();
    default: return actions_.postCommand(id);  // the file commands 0-5
  }
}

}  // namespace wabunko
