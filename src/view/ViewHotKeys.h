#pragma once
// The editing view's hot keys: commands 6-22 and 32-42 of the hot-key command table,
// held only while the view has the focus, and what each does when pressed.

#include <QObject>
#include <functional>

namespace wabunko {

class HotKeyService;
class SettingsStore;

class ViewHotKeys : public QObject {
  Q_OBJECT
public:
  // What the keys act on; the view supplies them.
  struct Actions {
    std::function<void(int command)> postCommand;
    // The caret moves, by their hot-key ids 2211-2216.
    std::function<void(int id)> moveCaret;
    // Maximise, minimise, restore or close the view's own window, by the system
    // command's id.
    std::function<void(int id)> childWindow;
  };

  ViewHotKeys(HotKeyService& service, SettingsStore& store, Actions actions, QObject* parent = nullptr);

  // The 28 keys as "Hot key" gives them now (registerTableKeys), and their removal.
  void registerKeys();
  void unregisterKeys();

private:
  void onHotKey(int id);

  HotKeyService& service_;
  SettingsStore& store_;
  Actions actions_;
};

}  // namespace wabunko
