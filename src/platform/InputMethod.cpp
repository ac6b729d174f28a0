#include "InputMethod.h"

#include <QDBusMessage>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace wabunko {
namespace {
const QString kService = QStringLiteral("org.fcitx.Fcitx5");
const QString kPath = QStringLiteral("/controller");
const QString kInterface = QStringLiteral("org.fcitx.Fcitx.Controller1");
// The first switch after the daemon starts loads the engine, about a quarter second.
constexpr int kCallTimeoutMs = 1000;
constexpr int kPollIntervalMs = 25;
constexpr int kPollLimit = 80;
}  // namespace

InputMethod::InputMethod() : InputMethod(QDBusConnection::sessionBus()) {}

InputMethod::InputMethod(const QDBusConnection& bus) : bus_(bus) {}

QDBusMessage InputMethod::call(const char* method) const {
  QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, QString::fromLatin1(method));
  // Asking a daemon that is not running must not start a second one.
  message.setAutoStartService(false);
  return bus_.call(message, QDBus::Block, kCallTimeoutMs);
}

InputMethod::State InputMethod::state() const {
  if (!QGuiApplication::focusWindow() || !bus_.isConnected()) return State::Unavailable;
  const QDBusMessage reply = call("State");
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return State::Unavailable;
  // 0: no input context has the focus yet.
  switch (reply.arguments().constFirst().toInt()) {
    case 1: return State::Closed;
    case 2: return State::Open;
    default: return State::Unavailable;
  }
}

InputMethod::State InputMethod::setOpen(bool open) const {
  const State now = state();
  if (now == State::Unavailable || (now == State::Open) == open) return now;
  call(open ? "Activate" : "Deactivate");
  return state();
}

InputMethod::State InputMethod::toggle() const {
  const State now = state();
  return now == State::Unavailable ? now : setOpen(now == State::Closed);
}

void InputMethod::openWhenReady(QWidget* widget, std::function<void(State)> done) const {
  auto* timer = new QTimer(widget);
  timer->setInterval(kPollIntervalMs);
  QObject::connect(timer, &QTimer::timeout, widget, [self = *this, widget, timer, done, tries = 0]() mutable {
    const bool ready = widget->isActiveWindow() && self.state() != State::Unavailable;
    if (!ready && ++tries < kPollLimit) return;
    timer->stop();
    timer->deleteLater();
    const State reached = ready ? self.setOpen(true) : State::Unavailable;
    if (done) done(reached);
  });
  timer->start();
}

}  // namespace wabunko
