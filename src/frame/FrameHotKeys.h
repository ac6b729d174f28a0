#pragma once
// The main frame's system-wide hot keys: commands 0-5 and 23-31 of the hot-key command
// table, registered for the life of the frame, and what each does when pressed.

#include <QObject>
#include <functional>

namespace wabunko {

class HotKeyService;
class SettingsStore;

class FrameHotKeys : public QObject {
  Q_OBJECT
public:
  // What the keys act on; the main frame supplies them.
  struct Actions {
    std::function<void(int)> postCommand;
    std::function<void()> cascade, tileHorizontal, tileVertical;
    std::function<void()> previousWindow, nextWindow;
    std::function<void()> maximize, minimize, restore, close;
    std::function<void()> unregisterViewKeys;  // asks the active view to remove its own
  };

  FrameHotKeys(HotKeyService& service, SettingsStore& store, Actions actions, QObject* parent = nullptr);

  // Registers the key each of the fifteen commands has in "Hot key" (its default when
  // absent), after removing the frame's keys of before. A text that names no key, or a
  // key another program holds, leaves its command without one.
  void registerKeys();
  // Removes the fifteen keys, then asks the active view to remove its own.
  void unregisterKeys();

private:
  void onHotKey(int id);

  HotKeyService& service_;
  SettingsStore& store_;
  Actions actions_;
};

}  // namespace wabunko
