#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QUuid>
#include <algorithm>
#include <atomic>
#include <memory>
#include <gtest/gtest.h>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wabunko {
namespace {

QString uniqueName() { return QStringLiteral("wabunko-test-") + QUuid::createUuid().toString(QUuid::Id128); }

using Sent = SingleInstance::Sent;

std::string lines(const QStringList& list) { return list.join(u'\n').toStdString(); }

// What a later start saw, sending from a thread of its own while this thread runs the
// running instance's event loop.
struct LaterStart {
  std::atomic<bool> done = false;
  std::atomic<Sent> sent = Sent::NoInstance;
  std::atomic<qint64> tookMs = -1;
  std::thread thread;

  LaterStart(const QString& name, const QStringList& message) {
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
  running.deliverMessages();

  QStringList received;
  std::unique_ptr<LaterStart> second;
  bool secondDoneWhileShowing = false;
  QObject::connect(&running, &SingleInstance::messageReceived, [&](const QStringList& m) {
    received << m;
    if (received.size() > 1) return;
    // Handling the first file shows a modal message for a while, as a damaged file does;
    // another start comes meanwhile.
    second = std::make_unique<LaterStart>(name, QStringList{QStringLiteral("/tmp/二つ目.txt")});
    QEventLoop dialog;
    QTimer::singleShot(1500, &dialog, &QEventLoop::quit);
    dialog.exec();
    secondDoneWhileShowing = second->done;
  });
  LaterStart first(name, {QStringLiteral("/tmp/壊れた.rtf")});
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
  LaterStart later(name, {QStringLiteral("/tmp/a.txt")});
  QElapsedTimer timer;
  timer.start();
  while (!later.done && timer.elapsed() < 5000) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(later.done);
  EXPECT_EQ(later.sent, Sent::NoAnswer);
  EXPECT_LT(later.tookMs, 1000);
}

// What makes a message long is the text a start read from its standard input: 16 MB goes
// over whole; over 64 MB is not sent (that start runs on its own), and a frame announcing
// more is not taken.
TEST(SingleInstance, LongMessagesArriveWholeAndOverlongOnesAreNeitherSentNorTaken) {
  const QString name = uniqueName();
  SingleInstance running(name);
  ASSERT_TRUE(running.listen());
  running.deliverMessages();
  QList<QStringList> received;
  QObject::connect(&running, &SingleInstance::messageReceived, [&](const QStringList& m) { received << m; });

  const QStringList longMessage{QStringLiteral("/tmp/a.txt"), QString(8 << 20, QLatin1Char('x'))};
  LaterStart later(name, longMessage);
  ASSERT_TRUE(later.waitDone(10000));
  EXPECT_EQ(later.sent, Sent::Delivered);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }, 5000));
  EXPECT_TRUE(received.constFirst() == longMessage);

  const QStringList overlong{QString((32 << 20) + 1, QLatin1Char('x'))};
  EXPECT_EQ(SingleInstance(name).sendToRunning(overlong), Sent::TooLong);
  EXPECT_EQ(SingleInstance(name).start(overlong), SingleInstance::Outcome::Alone);

  QLocalSocket raw;
  raw.connectToServer(running.socketName());
  ASSERT_TRUE(raw.waitForConnected(1000));
  const char header[] = {0x04, 0x00, 0x00, 0x01};  // 64 MB and a byte
  raw.write(header, sizeof header);
  raw.flush();
  EXPECT_TRUE(QTest::qWaitFor([&] { return raw.state() == QLocalSocket::UnconnectedState; }, 5000));
  QCoreApplication::processEvents();
  EXPECT_EQ(received.size(), 1);
}

TEST(SingleInstance, NoRunningInstanceAndLeftOverSocketsAreHandled) {
  const QString name = uniqueName();
  SingleInstance first(name);
  EXPECT_EQ(first.sendToRunning({QStringLiteral("x")}), Sent::NoInstance);

  // An instance that died leaves its socket file behind: the next one takes it over.
  const QString path = first.socketName();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.toLocal8Bit().constData(), sizeof addr.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::close(fd);
  EXPECT_EQ(first.sendToRunning({QStringLiteral("x")}), Sent::NoInstance);
  EXPECT_TRUE(first.listen());
}

TEST(SingleInstance, MessagesWaitUntilTakenAndArriveWholeAndInOrder) {
  const QString name = uniqueName();
  SingleInstance running(name);
  ASSERT_TRUE(running.listen());
  QList<QStringList> received;
  QObject::connect(&running, &SingleInstance::messageReceived, [&](const QStringList& m) { received << m; });

  // Sent while the running one is still starting: answered, but held.
  const QStringList several{QStringLiteral("/tmp/一つ目.txt"), QStringLiteral("/tmp/two words.txt"), QString()};
  LaterStart early(name, several);
  ASSERT_TRUE(early.waitDone(5000));
  EXPECT_EQ(early.sent, Sent::Delivered);
  QTest::qWait(200);
  EXPECT_TRUE(received.isEmpty());

  running.deliverMessages();
  LaterStart late(name, QStringList{QStringLiteral("/tmp/後.txt")});
  ASSERT_TRUE(late.waitDone(5000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }, 5000));
  EXPECT_EQ(received, (QList<QStringList>{several, {QStringLiteral("/tmp/後.txt")}}))
      << lines(received.value(0)) << "\n--\n" << lines(received.value(1));
}

// A lock file is left behind by a start that died holding it, or held by one that is
// stuck. Neither keeps a start waiting for long; only the dead one's lock is taken over.
TEST(SingleInstance, ALockOfADeadStartIsTakenOverAndAStuckOneIsNotWaitedForLong) {
  struct Case {
    const char* holder;
    bool holderAlive;
    SingleInstance::Outcome outcome;
  };
  for (const Case& c : {Case{"died", false, SingleInstance::Outcome::Listening},
                        Case{"stuck", true, SingleInstance::Outcome::Alone}}) {
    SCOPED_TRACE(c.holder);
    SingleInstance start(uniqueName());
    const QString lockName = start.socketName() + QStringLiteral(".lock");
    QLockFile held(lockName);
    if (c.holderAlive) {
      ASSERT_TRUE(held.tryLock(0));
    } else {
      const pid_t child = ::fork();
      if (child == 0) {
        QLockFile lock(lockName);
        ::_exit(lock.tryLock(0) ? 0 : 1);  // dies without letting go
      }
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      ASSERT_TRUE(QFile::exists(lockName));
    }
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(start.start({QStringLiteral("/tmp/a.txt")}), c.outcome);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(QFile::exists(start.socketName()), !c.holderAlive);
  }
}

TEST(SingleInstance, AStartThatCannotListenRunsAloneAndTouchesNothing) {
  SingleInstance start(uniqueName());
  ASSERT_TRUE(QDir().mkdir(start.socketName()));  // something else holds the path
  EXPECT_EQ(start.start({QStringLiteral("/tmp/a.txt")}), SingleInstance::Outcome::Alone);
  EXPECT_TRUE(QFileInfo(start.socketName()).isDir());
  EXPECT_FALSE(QFile::exists(start.socketName() + QStringLiteral(".lock")));
}

// Twenty starts at the same moment, each with its own file: exactly one takes the name and
// is handed every other file, and the others end at once.
TEST(SingleInstance, OfManySimultaneousStartsOneListensAndGetsEveryFile) {
  constexpr int kStarts = 20;
  const QString name = uniqueName();
  QElapsedTimer clock;
  std::vector<std::unique_ptr<QProcess>> starts;
  std::vector<qint64> endedMs(kStarts, -1);
  QStringList files;
  for (int i = 0; i < kStarts; ++i) {
    files << QStringLiteral("/tmp/ファイル%1.txt").arg(i);
    auto& start = starts.emplace_back(std::make_unique<QProcess>());
    start->setProgram(QStringLiteral(INSTANCE_STARTER));
    start->setArguments({name, files.constLast(), QStringLiteral("4000")});
    QObject::connect(start.get(), &QProcess::finished, [&endedMs, &clock, i] { endedMs[i] = clock.elapsed(); });
  }
  clock.start();
  for (auto& start : starts) start->start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::ranges::none_of(endedMs, [](qint64 ms) { return ms < 0; }); }, 30000));

  QStringList listening;
  QStringList received;
  for (int i = 0; i < kStarts; ++i) {
    const QStringList said = QString::fromUtf8(starts[i]->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    SCOPED_TRACE(files[i].toStdString() + ": " + said.join(u'|').toStdString());
    EXPECT_EQ(starts[i]->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(starts[i]->exitCode(), 0);
    ASSERT_FALSE(said.isEmpty());
    if (said.constFirst() == QStringLiteral("listening")) {
      listening << files[i];
      for (const QString& line : said.mid(1)) received << line.mid(5);
    } else {
      EXPECT_EQ(lines(said), "delivered");
      EXPECT_LT(endedMs[i], 2000);
    }
  }
  ASSERT_EQ(listening.size(), 1) << lines(listening);
  EXPECT_EQ(lines(received.mid(0, 1)), lines(listening));  // its own file first
  received.sort();
  files.sort();
  EXPECT_EQ(lines(received), lines(files));
}

}  // namespace
}  // namespace wabunko
