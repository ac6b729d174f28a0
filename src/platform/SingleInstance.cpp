#include "SingleInstance.h"

#include <QDataStream>
#include <QtEndian>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include <QDir>
#include <QStandardPaths>
#include <memory>

namespace wabunko {
namespace {
constexpr int kConnectTimeoutMs = 2000;
constexpr char kReceived[] = "received\n";
// A message is a path: anything longer than this is not one of ours.
constexpr qint64 kMaxMessageBytes = 1 << 20;
}  // namespace

// The socket lives in the user's runtime folder, which only the user can reach.
SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent),
      socketName_(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                      .filePath(name + QStringLiteral(".instance"))) {}

SingleInstance::~SingleInstance() = default;

SingleInstance::Sent SingleInstance::sendToRunning(const QString& message, const std::function<void()>& whenFound,
                                                   int timeoutMs) const {
  const QDeadlineTimer deadline(timeoutMs);
  QLocalSocket socket;
  socket.connectToServer(socketName_);
  if (!socket.waitForConnected(deadline.remainingTime())) return Sent::NoInstance;
  if (whenFound) whenFound();
  QByteArray payload;
  QDataStream out(&payload, QIODevice::WriteOnly);
  out << message;
  socket.write(payload);
  while (socket.bytesToWrite() > 0 && !deadline.hasExpired())
    if (!socket.waitForBytesWritten(deadline.remainingTime())) break;
  while (socket.state() == QLocalSocket::ConnectedState && !socket.canReadLine() && !deadline.hasExpired())
    socket.waitForReadyRead(deadline.remainingTime());
  return socket.canReadLine() && socket.readLine() == kReceived ? Sent::Delivered : Sent::NoAnswer;
}

bool SingleInstance::listen() {
  if (server_) return true;
  auto server = std::make_unique<QLocalServer>(this);
  if (!server->listen(socketName_)) {
    // A socket file left behind by an instance that died answers nobody: take it over.
    QLocalSocket probe;
    probe.connectToServer(socketName_);
    if (probe.waitForConnected(kConnectTimeoutMs)) return false;
    QLocalServer::removeServer(socketName_);
    if (!server->listen(socketName_)) return false;
  }
  server_ = server.release();
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
  return true;
}

void SingleInstance::onNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // A string goes as its length in bytes and then the bytes; nothing of ours is
      // longer than a path.
      const QByteArray head = socket->peek(4);
      if (head.size() < 4) return;
      const quint32 length = qFromBigEndian<quint32>(head.constData());
      if (length != 0xFFFFFFFFu && length > kMaxMessageBytes) {
        socket->abort();
        return;
      }
      QDataStream in(socket);
      in.startTransaction();
      QString message;
      in >> message;
      if (!in.commitTransaction()) return;  // wait for the rest
      socket->write(kReceived);
      socket->flush();
      socket->disconnectFromServer();
      // Handled once the sender has its answer: what handling shows (a message box) must
      // not keep the sender waiting.
      QMetaObject::invokeMethod(
          this, [this, message] { Q_EMIT messageReceived(message); }, Qt::QueuedConnection);
    });
  }
}

}  // namespace wabunko
