#pragma once
// Switching the platform's input method on and off for the program's focused window.
// Only fcitx5 lets a program do that (over D-Bus); with any other input method, or none,
// the state reads as unavailable and the switches do nothing.

#include <QDBusConnection>
#include <functional>

class QWidget;

namespace wabunko {

class InputMethod {
public:
  enum class State { Unavailable, Closed, Open };

  InputMethod();  // on the session bus
  explicit InputMethod(const QDBusConnection& bus);

  // The state for the program's focused window; unavailable while none of its windows
  // has the focus, since the input method then answers for another program.
  State state() const;
  // Each returns the state reached.
  State setOpen(bool open) const;
  State toggle() const;
  // Opens the input method for `widget`'s window once that window has the focus and its
  // input context exists (a moment after the focus arrives; a switch sent earlier is
  // lost), then calls `done` with the state reached. Gives up after two seconds.
  void openWhenReady(QWidget* widget, std::function<void(State)> done) const;

private:
  QDBusMessage call(const char* method) const;

  QDBusConnection bus_;
};

}  // namespace wabunko
