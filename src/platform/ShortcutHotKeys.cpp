// Hot keys where no key can be taken for the whole desktop: every key event the program
// receives is looked at before any widget or shortcut sees it, so a registered key works
// in every window of the program, as a system-wide key does while the program is in front.
#include "platform/HotKeyBackend.h"
#include "platform/VirtualKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>
#include <vector>

namespace wabunko {
namespace {

class ShortcutHotKeys final : public QObject, public HotKeyBackend {
public:
  explicit ShortcutHotKeys(Pressed pressed) : pressed_(std::move(pressed)) {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
  }

  bool grab(HotKeyService::Modifier modifier, int virtualKey) override {
    const std::optional<PlatformKey> key = platformKey(virtualKey);
    if (!key) return false;
    combos_.push_back({modifier, virtualKey, *key});
    return true;
  }

  void ungrab(HotKeyService::Modifier modifier, int virtualKey) override {
    std::erase_if(combos_, [&](const Combo& c) {
      return c.modifier == modifier && c.virtualKey == virtualKey;
    });
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
      return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    const auto it =
        std::ranges::find_if(combos_, [key](const Combo& c) { return c.matches(*key); });
    if (it == combos_.end()) return QObject::eventFilter(watched, event);
    // The override keeps the menus' own shortcuts from taking the key; the key press
    // that follows it is the hot key.
    event->accept();
    if (type == QEvent::KeyPress) pressed_(it->modifier, it->virtualKey);
    return true;
  }

private:
  struct Combo {
    HotKeyService::Modifier modifier;
    int virtualKey;
    PlatformKey key;

    // Exactly the registered modifier, as a system hot key needs: Ctrl+Shift+N is not
    // Ctrl+N.
    bool matches(const QKeyEvent& event) const {
      const Qt::KeyboardModifiers held =
          event.modifiers() &
          (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
      const Qt::KeyboardModifier wanted = modifier == HotKeyService::Modifier::Alt
                                              ? Qt::AltModifier
                                              : Qt::ControlModifier;
      return event.key() == key.qtKey && held == wanted &&
             event.modifiers().testFlag(Qt::KeypadModifier) == key.keypad;
    }
  };

  Pressed pressed_;
  std::vector<Combo> combos_;
};

}  // namespace

std::unique_ptr<HotKeyBackend> makeShortcutHotKeys(HotKeyBackend::Pressed pressed) {
  return std::make_unique<ShortcutHotKeys>(std::move(pressed));
}

}  // namespace wabunko
