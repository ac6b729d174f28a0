#include "view/ViewHotKeys.h"

#include "platform/HotKeyService.h"
#include "settings/HotKeyRegistration.h"
#include "settings/HotKeyTable.h"
#include "settings/WindowCommands.h"

#include <algorithm>

namespace wabunko {
namespace {

constexpr int kFirstCaretMove = 2211;
constexpr int kLastCaretMove = 2216;

}  // namespace

ViewHotKeys::ViewHotKeys(HotKeyService& service, SettingsStore& store, Actions actions, QObject* parent)
    : QObject(parent), service_(service), store_(store), actions_(std::move(actions)) {
  connect(&service_, &HotKeyService::hotKeyPressed, this, [this](const QObject* owner, int id) {
    if (owner == this) onHotKey(id);
  });
}

void ViewHotKeys::registerKeys() { registerTableKeys(service_, this, store_, viewHotkeyIndices()); }

void ViewHotKeys::unregisterKeys() { unregisterTableKeys(service_, this, viewHotkeyIndices()); }

void ViewHotKeys::onHotKey(int id) {
  if (id >= kFirstCaretMove && id <= kLastCaretMove) return actions_.moveCaret(id);
  if (id == syscmd::Maximize || id == syscmd::Minimize || id == syscmd::Restore || id == syscmd::Close) return actions_.childWindow(id);
  const auto indices = viewHotkeyIndices();
  const auto it = std::ranges::find_if(indices, [id](std::size_t i) { return hotkeyCommands()[i].id == id; });
  if (it != indices.end() && hotkeyCommands()[*it].commandId != 0) actions_.postCommand(hotkeyCommands()[*it].commandId);
}

}  // namespace wabunko
