#include "SingleInstance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>
#include <memory>

namespace wabunko {
namespace {
constexpr char kReceived[] = "received\n";
// A message goes as its length in bytes and then its strings. Paths are short; what makes a
// message long is text a start read from its standard input, two bytes for each of its
// bytes. A longer message than this is not sent, and one announced is not taken.
constexpr qint64 kHeaderBytes = 4;
constexpr qint64 kMaxMessageBytes = qint64(64) << 20;
// A long message is given time for its bytes on top of the sender's wait, at a rate far
// below what a local socket carries on a busy machine: 2 seconds for the longest.
constexpr qint64 kBytesPerMs = 32 << 10;
// A sender gives up long before this; a connection still without its whole message is dead.
constexpr int kReadTimeoutMs = 5000;
// Connecting to a socket answers at once, refused or accepted; only a listener too busy to
// accept takes longer, and that one is alive.
constexpr int kProbeTimeoutMs = 500;
// A start keeps the lock for a few milliseconds (a listen, or a probe and a hand-over), a
// second at most when the running instance does not answer; the wait leaves room for a
// crowd of starts to take their turns. A holder that died is recognised at once by its
// process id, so the stale time only covers a lock file whose process id has been reused.
constexpr int kLockTimeoutMs = 2000;
constexpr int kLockPollMs = 5;
constexpr int kStaleLockMs = 10000;

// What QDataStream makes of the strings: each one's length and its UTF-16 units.
qint64 payloadBytes(const QStringList& message) {
  qint64 bytes = 0;
  for (const QString& s : message) bytes += 4 + 2 * static_cast<qint64>(s.size());
  return bytes;
}

QByteArray framed(const QStringList& message) {
  QByteArray payload;
  QDataStream out(&payload, QIODevice::WriteOnly);
  for (const QString& s : message) out << s;
  QByteArray frame(kHeaderBytes, Qt::Uninitialized);
  qToBigEndian<quint32>(static_cast<quint32>(payload.size()), frame.data());
  return frame + payload;
}

// Waits for the lock with short steps: QLockFile's own wait doubles its pauses, which lets
// a crowd of starts at the same moment queue for seconds.
bool lockWithin(QLockFile& lock, int timeoutMs) {
  lock.setStaleLockTime(kStaleLockMs);
  const QDeadlineTimer deadline(timeoutMs);
  while (!lock.tryLock(0)) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(kLockPollMs);
  }
  return true;
}
}  // namespace

// The socket lives in the user's runtime folder, which only the user can reach.
SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent),
      socketName_(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                      .filePath(name + QStringLiteral(".instance"))),
      lockName_(socketName_ + QStringLiteral(".lock")) {
  answering_.setObjectName(QStringLiteral("SingleInstance"));
}

SingleInstance::~SingleInstance() {
  if (!server_) return;
  // Closing the server removes the socket file: not while another start takes the name
  // over, or its fresh socket would go. A lock not had in time does not keep this one open.
  QLockFile lock(lockName_);
  lockWithin(lock, kLockTimeoutMs);
  answering_.quit();
  answering_.wait();
}

SingleInstance::Outcome SingleInstance::start(const QStringList& message, const std::function<void()>& whenFound) {
  // Starts take their turns from finding out who has the name to handing over, so what
  // `whenFound` does (writing a setting) never runs in a crowd. One that does not get its
  // turn in time must not listen, but may still hand over.
  QLockFile lock(lockName_);
  if (lockWithin(lock, kLockTimeoutMs) && listenLocked()) return Outcome::Listening;
  switch (sendToRunning(message, whenFound)) {
    case Sent::Delivered: return Outcome::Delivered;
    case Sent::NoAnswer: return Outcome::NoAnswer;
    case Sent::TooLong:
    case Sent::NoInstance: break;
  }
  return Outcome::Alone;
}

SingleInstance::Sent SingleInstance::sendToRunning(const QStringList& message, const std::function<void()>& whenFound,
                                                   int timeoutMs) const {
  const qint64 length = payloadBytes(message);
  QDeadlineTimer deadline(timeoutMs + length / kBytesPerMs);
  QLocalSocket socket;
  socket.connectToServer(socketName_);
  if (!socket.waitForConnected(deadline.remainingTime())) return Sent::NoInstance;
  if (length > kMaxMessageBytes) return Sent::TooLong;
  if (whenFound) {
    // Its time is this start's own, not the running instance's.
    const qint64 left = deadline.remainingTime();
    whenFound();
    deadline.setRemainingTime(left);
  }
  socket.write(framed(message));
  while (socket.bytesToWrite() > 0 && !deadline.hasExpired())
    if (!socket.waitForBytesWritten(deadline.remainingTime())) break;
  while (socket.state() == QLocalSocket::ConnectedState && !socket.canReadLine() && !deadline.hasExpired())
    socket.waitForReadyRead(deadline.remainingTime());
  return socket.canReadLine() && socket.readLine() == kReceived ? Sent::Delivered : Sent::NoAnswer;
}

bool SingleInstance::listen() {
  QLockFile lock(lockName_);
  return lockWithin(lock, kLockTimeoutMs) && listenLocked();
}

bool SingleInstance::listenLocked() {
  if (server_) return true;
  auto server = std::make_unique<QLocalServer>();
  if (!server->listen(socketName_)) {
    if (server->serverError() != QAbstractSocket::AddressInUseError) return false;
    // A socket file left behind by an instance that died refuses connections: take it over.
    // One that accepts, or is too busy to say, belongs to a running instance.
    QLocalSocket probe;
    probe.connectToServer(socketName_);
    if (probe.waitForConnected(kProbeTimeoutMs)) return false;
    if (probe.error() != QLocalSocket::ConnectionRefusedError && probe.error() != QLocalSocket::ServerNotFoundError)
      return false;
    QLocalServer::removeServer(socketName_);
    if (!server->listen(socketName_)) return false;
  }
  server_ = server.release();
  connect(server_, &QLocalServer::newConnection, server_, [this] { onNewConnection(); });
  connect(&answering_, &QThread::finished, server_, &QObject::deleteLater);
  server_->moveToThread(&answering_);
  answering_.start();
  return true;
}

// Runs on the answering thread.
void SingleInstance::onNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    socket->setReadBufferSize(kHeaderBytes + kMaxMessageBytes);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // The socket goes on its own when its sender hangs up; whatever outlives it holds it
    // guarded.
    const QPointer<QLocalSocket> guarded(socket);
    connect(socket, &QLocalSocket::readyRead, server_, [this, guarded] {
      if (guarded) readMessage(*guarded);
    });
    QTimer::singleShot(kReadTimeoutMs, server_, [guarded] {
      if (guarded) guarded->abort();
    });
  }
}

// Runs on the answering thread.
void SingleInstance::readMessage(QLocalSocket& socket) {
  const QByteArray head = socket.peek(kHeaderBytes);
  if (head.size() < kHeaderBytes) return;
  const qint64 length = qFromBigEndian<quint32>(head.constData());
  if (length > kMaxMessageBytes) {
    socket.abort();
    return;
  }
  if (socket.bytesAvailable() < kHeaderBytes + length) return;  // wait for the rest
  socket.skip(kHeaderBytes);
  QDataStream in(socket.read(length));
  QStringList message;
  while (in.status() == QDataStream::Ok && !in.atEnd()) {
    QString s;
    in >> s;
    message << s;
  }
  if (in.status() != QDataStream::Ok) {
    socket.abort();
    return;
  }
  socket.write(kReceived);
  socket.flush();
  socket.disconnectFromServer();
  // Handled on this object's thread once the sender has its answer: what handling shows
  // (a message box) must not keep the sender waiting.
  QMetaObject::invokeMethod(this, [this, message] { receive(message); }, Qt::QueuedConnection);
}

void SingleInstance::receive(const QStringList& message) {
  if (delivering_) Q_EMIT messageReceived(message);
  else held_.append(message);
}

void SingleInstance::deliverMessages() {
  // Handling a message may wait in an event loop, where more messages come: they queue
  // behind the held ones.
  while (!held_.isEmpty()) Q_EMIT messageReceived(held_.takeFirst());
  delivering_ = true;
}

}  // namespace wabunko
