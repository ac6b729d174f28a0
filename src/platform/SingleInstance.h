#pragma once
// One running instance per user: a later start finds the running one through a local
// socket in the user's runtime folder and hands it a message. The running instance
// acknowledges the message as soon as it has read it and handles it afterwards, so a later
// start never waits on whatever the running one is showing (a message box, a dialog).

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace wabunko {

class SingleInstance : public QObject {
  Q_OBJECT
public:
  // `name` names the socket (e.g. "Wabunko").
  explicit SingleInstance(const QString& name, QObject* parent = nullptr);
  ~SingleInstance() override;

  enum class Sent {
    NoInstance,  // nobody listens: this start is the only one
    Delivered,   // the running instance has the message
    NoAnswer,    // an instance listens but did not take the message in time
  };
  // Sends `message` to a running instance and waits, at most `timeoutMs` in all, for it to
  // acknowledge the message. `whenFound` runs once a running instance has been found,
  // before the message goes out.
  Sent sendToRunning(const QString& message, const std::function<void()>& whenFound = {},
                     int timeoutMs = kDefaultTimeoutMs) const;
  static constexpr int kDefaultTimeoutMs = 900;

  // Starts answering later starts; false when another instance already listens.
  bool listen();

  // The socket's path.
  QString socketName() const { return socketName_; }

Q_SIGNALS:
  // A later start's message, emitted from the event loop after the sender has been
  // answered.
  void messageReceived(const QString& message);

private:
  void onNewConnection();

  QString socketName_;
  QLocalServer* server_ = nullptr;
};

}  // namespace wabunko
