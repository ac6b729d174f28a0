#pragma once
// System-wide hot keys: register(id, modifier, key) per owner, unregister(id), and a
// signal when one is pressed, even while another program is in front.

#include <QObject>

namespace wabunko {

class HotKeyService : public QObject {
  Q_OBJECT
public:
  enum class Modifier { Control, Alt };

  explicit HotKeyService(QObject* parent = nullptr);
  ~HotKeyService() override;

  // `virtualKey` is a Windows virtual-key code ('A'..'Z', '0'..'9', VK_F1.., ...).
  bool registerHotKey(int id, Modifier modifier, int virtualKey);
  void unregisterHotKey(int id);

Q_SIGNALS:
  void hotKeyPressed(int id);
};

}  // namespace wabunko
