#include "FrameHotKeys.h"

#include "frame/ProfileSettings.h"
#include "platform/HotKeyService.h"
#include "settings/HotKeyTable.h"

namespace wabunko {
namespace {

// Hot-key ids of the frame's window keys; the file keys post their own command.
constexpr int kCascade = 57650;
constexpr int kTileHorizontal = 57651;
constexpr int kTileVertical = 57652;
constexpr int kPreviousWindow = 2201;
constexpr int kNextWindow = 2202;
// The system commands the parent window's keys are registered under.
constexpr int kScMaximize = 0xF030;
constexpr int kScMinimize = 0xF020;
constexpr int kScRestore = 0xF120;
constexpr int kScClose = 0xF060;

HotKeyService::Modifier serviceModifier(KeyModifier modifier) {
  return modifier == KeyModifier::Alt ? HotKeyService::Modifier::Alt
                                      : HotKeyService::Modifier::Control;
}

}  // namespace

FrameHotKeys::FrameHotKeys(HotKeyService& service, SettingsStore& store, Actions actions, QObject* parent)
    : QObject(parent), service_(service), store_(store), actions_(std::move(actions)) {
  connect(&service_, &HotKeyService::hotKeyPressed, this, [this](const QObject* owner, int id) {
    if (owner == this) onHotKey(id);
  });
}

void FrameHotKeys::registerKeys() {
  removeOwnKeys();
  for (const std::size_t index : frameHotkeyIndices()) {
    const QString text = readString(store_, settings::hotKeySetting(index));
    if (const std::optional<KeyCombo> key = parseKeyText(text.toStdString()))
      service_.registerHotKey(this, hotkeyCommands()[index].id, serviceModifier(key->modifier),
                              key->virtualKey);
  }
}

void FrameHotKeys::unregisterKeys() {
  removeOwnKeys();
  actions_.unregisterViewKeys();
}

void FrameHotKeys::removeOwnKeys() {
  for (const std::size_t index : frameHotkeyIndices())
    service_.unregisterHotKey(this, hotkeyCommands()[index].id);
}

void FrameHotKeys::onHotKey(int id) {
  switch (id) {
    case kCascade: return actions_.cascade();
    case kTileHorizontal: return actions_.tileHorizontal();
    case kTileVertical: return actions_.tileVertical();
    case kPreviousWindow: return actions_.previousWindow();
    case kNextWindow: return actions_.nextWindow();
    case kScMaximize: return actions_.maximize();
    case kScMinimize: return actions_.minimize();
    case kScRestore: return actions_.restore();
    case kScClose: return actions_.close();
    default: return actions_.postCommand(id);  // the file commands 0-5
  }
}

}  // namespace wabunko
