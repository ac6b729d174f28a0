#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalServer>
#include <QTest>
#include <QTimer>
#include <QUuid>
#include <atomic>
#include <memory>
#include <gtest/gtest.h>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace wabunko {
namespace {

QString uniqueName() { return QStringLiteral("wabunko-test-") + QUuid::createUuid().toString(QUuid::Id128); }

using Sent = SingleInstance::Sent;

// What a later start saw, sending from a thread of its own while this thread runs the
// running instance's event loop.
struct LaterStart {
  std::atomic<bool> done = false;
  std::atomic<Sent> sent = Sent::NoInstance;
  std::atomic<qint64> tookMs = -1;
  std::thread thread;

  LaterStart(const QString& name, const QString& message) {
    thread = std::thread([this, name, message] {
      QElapsedTimer timer;
      timer.start();
      sent = SingleInstance(name).sendToRunning(message);
      tookMs = timer.elapsed();
      done = true;
    });
  }
  // Runs events until the later start is done, at most `ms`.
  bool waitDone(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done;
  }
  ~LaterStart() {
    // A later start that never returns is a failure already reported; do not hang on it.
    if (done) thread.join();
    else thread.detach();
  }
};

TEST(SingleInstance, LaterStartIsAnsweredAtOnceWhileTheRunningOneShowsADialog) {
  const QString name = uniqueName();
  SingleInstance running(name);
  ASSERT_TRUE(running.listen());
  EXPECT_FALSE(SingleInstance(name).listen());  // the name is taken

  QStringList received;
  std::unique_ptr<LaterStart> second;
  bool secondDoneWhileShowing = false;
  QObject::connect(&running, &SingleInstance::messageReceived, [&](const QString& m) {
    received << m;
    if (received.size() > 1) return;
    // Handling the first file shows a modal message for a while, as a damaged file does;
    // another start comes meanwhile.
    second = std::make_unique<LaterStart>(name, QStringLiteral("/tmp/二つ目.txt"));
    QEventLoop dialog;
    QTimer::singleShot(1500, &dialog, &QEventLoop::quit);
    dialog.exec();
    secondDoneWhileShowing = second->done;
  });
  LaterStart first(name, QStringLiteral("/tmp/壊れた.rtf"));
  ASSERT_TRUE(first.waitDone(5000));
  EXPECT_EQ(first.sent, Sent::Delivered);
  EXPECT_LT(first.tookMs, 1000);

  ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }, 5000));
  EXPECT_TRUE(secondDoneWhileShowing);
  EXPECT_EQ(second->sent, Sent::Delivered);
  EXPECT_LT(second->tookMs, 1000);
  EXPECT_EQ(received, (QStringList{QStringLiteral("/tmp/壊れた.rtf"), QStringLiteral("/tmp/二つ目.txt")}));
}

TEST(SingleInstance, AnInstanceThatNeverAnswersIsGivenUpWithinASecond) {
  const QString name = uniqueName();
  // Listens but never reads: the connection is accepted by the system and nothing more.
  QLocalServer silent;
  ASSERT_TRUE(silent.listen(SingleInstance(name).socketName()));
  LaterStart later(name, QStringLiteral("/tmp/a.txt"));
  QElapsedTimer timer;
  timer.start();
  while (!later.done && timer.elapsed() < 5000) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(later.done);
  EXPECT_EQ(later.sent, Sent::NoAnswer);
  EXPECT_LT(later.tookMs, 1000);
}

TEST(SingleInstance, AnOverlongMessageIsRefused) {
  const QString name = uniqueName();
  SingleInstance running(name);
  ASSERT_TRUE(running.listen());
  bool received = false;
  QObject::connect(&running, &SingleInstance::messageReceived, [&] { received = true; });
  LaterStart later(name, QString(600000, QLatin1Char('x')));  // 1.2 MB as UTF-16
  ASSERT_TRUE(later.waitDone(5000));
  EXPECT_EQ(later.sent, Sent::NoAnswer);
  QCoreApplication::processEvents();
  EXPECT_FALSE(received);
}

TEST(SingleInstance, NoRunningInstanceAndLeftOverSocketsAreHandled) {
  const QString name = uniqueName();
  SingleInstance first(name);
  EXPECT_EQ(first.sendToRunning(QStringLiteral("x")), Sent::NoInstance);

  // An instance that died leaves its socket file behind: the next one takes it over.
  const QString path = first.socketName();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.toLocal8Bit().constData(), sizeof addr.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::close(fd);
  EXPECT_EQ(first.sendToRunning(QStringLiteral("x")), Sent::NoInstance);
  EXPECT_TRUE(first.listen());
}

}  // namespace
}  // namespace wabunko
