#include "HotKeyService.h"

#include "platform/HotKeyBackend.h"

#include <algorithm>

namespace wabunko {

HotKeyService::HotKeyService(QObject* parent) : QObject(parent) { backend_ = makeShortcutHotKeys(pressed()); }

HotKeyBackend::Pressed HotKeyService::pressed() {
  return [this](Modifier modifier, int virtualKey) { dispatch(modifier, virtualKey); };
}

bool HotKeyService::setSystemWide(bool on) {
  if (on == systemWide_) return true;
  std::unique_ptr<HotKeyBackend> next = on ? makeX11HotKeys(pressed()) : makeShortcutHotKeys(pressed());
  if (!next) return false;
  for (const Registration& r : registrations_) backend_->ungrab(r.modifier, r.virtualKey);
  backend_ = std::move(next);
  systemWide_ = on;
  // A key another program holds for the whole desktop is lost, as at registration.
  std::erase_if(registrations_, [this](const Registration& r) { return !backend_->grab(r.modifier, r.virtualKey); });
  return true;
}

HotKeyService::~HotKeyService() {
  for (const Registration& r : registrations_) backend_->ungrab(r.modifier, r.virtualKey);
}

bool HotKeyService::registerHotKey(const QObject* owner, int id, Modifier modifier,
                                   int virtualKey) {
  unregisterHotKey(owner, id);
  const bool taken = std::ranges::any_of(registrations_, [&](const Registration& r) {
    return r.modifier == modifier && r.virtualKey == virtualKey;
  });
  if (taken || !backend_->grab(modifier, virtualKey)) return false;
  registrations_.push_back({owner, id, modifier, virtualKey});
  watch(owner);
  return true;
}

void HotKeyService::unregisterHotKey(const QObject* owner, int id) {
  const auto it = std::ranges::find_if(
      registrations_, [&](const Registration& r) { return r.owner == owner && r.id == id; });
  if (it == registrations_.end()) return;
  backend_->ungrab(it->modifier, it->virtualKey);
  registrations_.erase(it);
}

void HotKeyService::unregisterAll(const QObject* owner) {
  std::erase_if(registrations_, [&](const Registration& r) {
    if (r.owner != owner) return false;
    backend_->ungrab(r.modifier, r.virtualKey);
    return true;
  });
}

bool HotKeyService::isRegistered(const QObject* owner, int id) const {
  return std::ranges::any_of(
      registrations_, [&](const Registration& r) { return r.owner == owner && r.id == id; });
}

void HotKeyService::dispatch(Modifier modifier, int virtualKey) {
  if (suspended_) return;
  const auto it = std::ranges::find_if(registrations_, [&](const Registration& r) {
    return r.modifier == modifier && r.virtualKey == virtualKey;
  });
  if (it == registrations_.end()) return;
  // The receiver may register or unregister keys; copy before the signal.
  const Registration hit = *it;
  Q_EMIT hotKeyPressed(hit.owner, hit.id);
}

void HotKeyService::watch(const QObject* owner) {
  if (!watched_.insert(owner).second) return;
  connect(owner, &QObject::destroyed, this, [this, owner] {
    unregisterAll(owner);
    watched_.erase(owner);
  });
}

}  // namespace wabunko
