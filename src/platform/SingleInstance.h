#pragma once
// One running instance per user: a later start finds the running one through a local
// socket in the user's runtime folder and hands it a message, a list of strings. The
// running instance answers on a thread of its own, as soon as it has read a message, and
// handles it afterwards on the user-interface thread, so a later start never waits on
// whatever the running one is doing (starting up, a message box, a long load).
//
// Taking the name is guarded by a lock file next to the socket, so of several starts at the
// same moment exactly one listens, and none removes a socket another one listens on.

#include <QObject>
#include <QStringList>
#include <QThread>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace wabunko {

class SingleInstance : public QObject {
  Q_OBJECT
public:
  // `name` names the socket and its lock (e.g. "Wabunko").
  explicit SingleInstance(const QString& name, QObject* parent = nullptr);
  ~SingleInstance() override;

  enum class Outcome {
    Listening,  // this instance answers later starts from now on
    Delivered,  // an instance runs and has the message: this start is done
    NoAnswer,   // an instance listens but did not take the message in time
    Alone,      // nobody answers and the name cannot be had, or the message is too long to
                // hand over: this instance runs on its own
  };
  // Takes the name, or, when a running instance has it, hands that one `message` as
  // sendToRunning does. Starts at the same moment take their turns, `whenFound` included.
  Outcome start(const QStringList& message, const std::function<void()>& whenFound = {});

  enum class Sent {
    NoInstance,  // nobody listens: this start is the only one
    Delivered,   // the running instance has the message
    NoAnswer,    // an instance listens but did not take the message in time
    TooLong,     // an instance listens, but the message is longer than it takes (64 MB)
  };
  // Sends `message` to a running instance and waits, at most `timeoutMs` in all and more
  // for a long message, for it to acknowledge the message. `whenFound` runs once a running
  // instance has been found, before the message goes out; its own time does not count.
  Sent sendToRunning(const QStringList& message, const std::function<void()>& whenFound = {},
                     int timeoutMs = kDefaultTimeoutMs) const;
  static constexpr int kDefaultTimeoutMs = 900;

  // Starts answering later starts; false when another instance has the name or it cannot be
  // had in time. Messages are held until deliverMessages().
  bool listen();

  // Emits the held messages, in the order they came, and from now on each one as it comes.
  void deliverMessages();

  // The socket's path; the lock that guards taking the name is this path with ".lock".
  QString socketName() const { return socketName_; }

Q_SIGNALS:
  // A later start's message, emitted on the thread this object lives in, after the sender
  // has been answered.
  void messageReceived(const QStringList& message);

private:
  bool listenLocked();
  void onNewConnection();
  void readMessage(QLocalSocket& socket);
  void receive(const QStringList& message);

  QString socketName_;
  QString lockName_;
  QThread answering_;
  QLocalServer* server_ = nullptr;
  bool delivering_ = false;
  QList<QStringList> held_;
};

}  // namespace wabunko
