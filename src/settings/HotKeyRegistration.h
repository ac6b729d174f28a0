#pragma once
// Turning the stored key texts of hot-key commands into registered hot keys, for the
// owner that holds those commands (the main frame, an editing view).

#include <cstddef>
#include <span>

class QObject;

namespace wabunko {

class HotKeyService;
class SettingsStore;

// Removes the owner's keys of the commands at `indices` of the hot-key command table,
// then registers the key each has in "Hot key" (its default when absent) under its hot-key
// id. A text that names no key, or a key already taken, leaves its command without one.
void registerTableKeys(HotKeyService& service, const QObject* owner, const SettingsStore& store,
                       std::span<const std::size_t> indices);
void unregisterTableKeys(HotKeyService& service, const QObject* owner, std::span<const std::size_t> indices);

}  // namespace wabunko
