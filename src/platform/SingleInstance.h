#pragma once
// One running instance per user: a later start finds the running one through a local
// socket in the user's runtime folder, hands it a message and waits until the running
// instance has handled it.

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

  // Sends `message` to a running instance and waits for it to be handled; false when no
  // instance is running. `whenFound` runs once a running instance has been found, before
  // the message goes out.
  bool sendToRunning(const QString& message, const std::function<void()>& whenFound = {}) const;

  // Starts answering later starts; false when another instance already listens.
  bool listen();

  // The socket's path.
  QString socketName() const { return socketName_; }

Q_SIGNALS:
  // A later start's message; the sender waits until every connected slot has returned.
  void messageReceived(const QString& message);

private:
  void onNewConnection();

  QString socketName_;
  QLocalServer* server_ = nullptr;
};

}  // namespace wabunko
