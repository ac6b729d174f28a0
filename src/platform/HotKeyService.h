#pragma once
// Hot keys: an owner registers a key under an id of its own, and the service signals the
// owner and id when the key is pressed. They work wherever the program's own windows have
// the keyboard; system-wide, also while another program is in front, where the window
// system lets a program take a key for the whole desktop (an X server) — which takes the
// key from every other program, so that is for the user to choose.

#include <QObject>
#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace wabunko {

class HotKeyBackend;

class HotKeyService : public QObject {
  Q_OBJECT
public:
  enum class Modifier { Control, Alt };

  explicit HotKeyService(QObject* parent = nullptr);
  ~HotKeyService() override;

  // Registers the key for `owner` under `id`. Ids belong to their owner, as hot-key ids
  // belong to a window: two owners may use the same id. Registering an id again replaces
  // its key. False, and nothing registered, when the combination is already registered
  // here or held by another program, or the key does not exist on this platform.
  // `virtualKey` is a Windows virtual-key code ('A'..'Z', '0'..'9', VK_F1.., ...).
  bool registerHotKey(const QObject* owner, int id, Modifier modifier, int virtualKey);
  void unregisterHotKey(const QObject* owner, int id);
  // Everything `owner` registered; done by itself when the owner is destroyed.
  void unregisterAll(const QObject* owner);
  bool isRegistered(const QObject* owner, int id) const;
  // Keys for the whole desktop (on) or for the program's own windows (off, the start);
  // the registrations carry over. False, and nothing changed, where the whole desktop
  // cannot be had.
  bool setSystemWide(bool on);
  bool systemWide() const { return systemWide_; }
  // While suspended, keys pressed are let go without a signal (as a modal window takes the
  // keyboard); registrations stay.
  void setSuspended(bool suspended) { suspended_ = suspended; }

Q_SIGNALS:
  void hotKeyPressed(const QObject* owner, int id);

private:
  struct Registration {
    const QObject* owner;
    int id;
    Modifier modifier;
    int virtualKey;
  };

  std::function<void(Modifier, int)> pressed();
  void dispatch(Modifier modifier, int virtualKey);
  void watch(const QObject* owner);

  std::unique_ptr<HotKeyBackend> backend_;
  std::vector<Registration> registrations_;
  std::set<const QObject*> watched_;
  bool suspended_ = false;
  bool systemWide_ = false;
};

}  // namespace wabunko
