#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUuid>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace wabunko {
namespace {

QString uniqueName() { return QStringLiteral("wabunko-test-") + QUuid::createUuid().toString(QUuid::Id128); }

TEST(SingleInstance, LaterStartWaitsUntilTheRunningOneHasHandledTheMessage) {
  const QString name = uniqueName();
  SingleInstance running(name);
  ASSERT_TRUE(running.listen());
  EXPECT_FALSE(SingleInstance(name).listen());  // the name is taken

  std::atomic<bool> handled = false, sawHandled = false, sent = false, done = false;
  QString received;
  QObject::connect(&running, &SingleInstance::messageReceived, [&](const QString& m) {
    received = m;
    handled = true;
  });
  std::thread later([&] {
    SingleInstance second(name);
    sent = second.sendToRunning(QStringLiteral("/tmp/ファイル.txt"));
    sawHandled = handled.load();
    done = true;
  });
  QElapsedTimer timer;
  timer.start();
  while (!done && timer.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  later.join();
  EXPECT_TRUE(sent);
  EXPECT_TRUE(sawHandled);
  EXPECT_EQ(received, QStringLiteral("/tmp/ファイル.txt"));
}

TEST(SingleInstance, NoRunningInstanceAndLeftOverSocketsAreHandled) {
  const QString name = uniqueName();
  SingleInstance first(name);
  EXPECT_FALSE(first.sendToRunning(QStringLiteral("x")));

  // An instance that died leaves its socket file behind: the next one takes it over.
  const QString path = first.socketName();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.toLocal8Bit().constData(), sizeof addr.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::close(fd);
  EXPECT_FALSE(first.sendToRunning(QStringLiteral("x")));
  EXPECT_TRUE(first.listen());
}

}  // namespace
}  // namespace wabunko
