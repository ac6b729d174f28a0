#include "FrameHotKeys.h"

namespace wabunko {

FrameHotKeys::FrameHotKeys(HotKeyService& service, SettingsStore& store, Actions actions, QObject* parent)
    : QObject(parent), service_(service), store_(store), actions_(std::move(actions)) {}

void FrameHotKeys::registerKeys() {}
void FrameHotKeys::unregisterKeys() {}

}  // namespace wabunko
