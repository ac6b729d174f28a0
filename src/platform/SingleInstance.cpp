#include "SingleInstance.h"

#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>

#include <QDir>
#include <QStandardPaths>
#include <memory>

namespace wabunko {
namespace {
constexpr int kConnectTimeoutMs = 2000;
constexpr char kHandled[] = "handled";
}  // namespace

// The socket lives in the user's runtime folder, which only the user can reach.
SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent),
      socketName_(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                      .filePath(name + QStringLiteral(".instance"))) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::sendToRunning(const QString& message, const std::function<void()>& whenFound) const {
  QLocalSocket socket;
  socket.connectToServer(socketName_);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  if (whenFound) whenFound();
  QByteArray payload;
  QDataStream out(&payload, QIODevice::WriteOnly);
  out << message;
  socket.write(payload);
  if (!socket.waitForBytesWritten(kConnectTimeoutMs)) return false;
  // Like a synchronous window message: wait as long as the running instance takes to
  // handle it (it may be showing a message box); a vanished instance ends the wait.
  while (socket.state() == QLocalSocket::ConnectedState && !socket.canReadLine())
    socket.waitForReadyRead(-1);
  return true;
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
      QDataStream in(socket);
      in.startTransaction();
      QString message;
      in >> message;
      if (!in.commitTransaction()) return;  // wait for the rest
      Q_EMIT messageReceived(message);
      socket->write(kHandled);
      socket->write("\n");
      socket->flush();
      socket->disconnectFromServer();
    });
  }
}

}  // namespace wabunko
