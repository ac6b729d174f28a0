#include "settings/HotKeyRegistration.h"

#include "frame/ProfileSettings.h"
#include "platform/HotKeyService.h"
#include "settings/HotKeyTable.h"

namespace wabunko {

void registerTableKeys(HotKeyService& service, const QObject* owner, const SettingsStore& store,
                       std::span<const std::size_t> indices) {
  unregisterTableKeys(service, owner, indices);
  for (const std::size_t index : indices) {
    const QString text = readString(store, settings::hotKeySetting(index));
    const std::optional<KeyCombo> key = parseKeyText(text.toStdString());
    if (!key) continue;
    service.registerHotKey(owner, hotkeyCommands()[index].id,
                           key->modifier == KeyModifier::Alt ? HotKeyService::Modifier::Alt
                                                             : HotKeyService::Modifier::Control,
                           key->virtualKey);
  }
}

void unregisterTableKeys(HotKeyService& service, const QObject* owner, std::span<const std::size_t> indices) {
  for (const std::size_t index : indices) service.unregisterHotKey(owner, hotkeyCommands()[index].id);
}

}  // namespace wabunko
