// Switching the input method on and off, against a stand-in for fcitx5's controller on a
// private message bus.
#include "platform/InputMethod.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

// Answers as fcitx5's controller does: State() 0 while no input context has the focus,
// 1 off, 2 on.
class FakeController : public QDBusVirtualObject {
public:
  std::atomic<int> state{1};
  std::atomic<int> switches{0};

  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QString member = message.member();
    if (member == QLatin1String("State")) return connection.send(message.createReply(state.load()));
    if (member == QLatin1String("Activate") || member == QLatin1String("Deactivate")) {
      ++switches;
      if (state != 0) state = member == QLatin1String("Activate") ? 2 : 1;
      return connection.send(message.createReply());
    }
    return false;
  }
};

class InputMethodTest : public testing::Test {
protected:
  void SetUp() override {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    bus_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--address=unix:dir=") + dir_.path(),
                        QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    ASSERT_TRUE(QTest::qWaitFor([this] {
      bus_.waitForReadyRead(50);
      return bus_.canReadLine();
    }));
    const QString address = QString::fromUtf8(bus_.readLine()).trimmed();
    client_ = QDBusConnection::connectToBus(address, QStringLiteral("im-client"));
    service_ = QDBusConnection::connectToBus(address, QStringLiteral("im-service"));
    ASSERT_TRUE(client_.isConnected() && service_.isConnected());
    // The controller answers from a thread of its own, as the daemon would, while the
    // test's thread waits for the answer.
    controller_.moveToThread(&controllerThread_);
    controllerThread_.start();
    ASSERT_TRUE(service_.registerVirtualObject(QStringLiteral("/controller"), &controller_));

    window_ = std::make_unique<QWidget>();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  void TearDown() override {
    window_.reset();
    service_.unregisterObject(QStringLiteral("/controller"));
    // Connections are closed only once no handle refers to them.
    client_ = service_ = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(QStringLiteral("im-client"));
    QDBusConnection::disconnectFromBus(QStringLiteral("im-service"));
    controllerThread_.quit();
    controllerThread_.wait();
    bus_.kill();
    bus_.waitForFinished();
  }

  void startDaemon() { ASSERT_TRUE(service_.registerService(QStringLiteral("org.fcitx.Fcitx5"))); }

  QTemporaryDir dir_;
  QProcess bus_;
  QDBusConnection client_{QString()};
  QDBusConnection service_{QString()};
  FakeController controller_;
  QThread controllerThread_;
  std::unique_ptr<QWidget> window_;
};

TEST_F(InputMethodTest, WithoutTheDaemonNothingIsAvailable) {
  const InputMethod inputMethod(client_);
  EXPECT_EQ(inputMethod.state(), InputMethod::State::Unavailable);
  EXPECT_EQ(inputMethod.toggle(), InputMethod::State::Unavailable);
  EXPECT_EQ(inputMethod.setOpen(true), InputMethod::State::Unavailable);
  EXPECT_EQ(controller_.switches, 0);
}

TEST_F(InputMethodTest, SwitchesFollowTheFocusedWindowsState) {
  startDaemon();
  const InputMethod inputMethod(client_);
  EXPECT_EQ(inputMethod.state(), InputMethod::State::Closed);
  EXPECT_EQ(inputMethod.toggle(), InputMethod::State::Open);
  EXPECT_EQ(inputMethod.setOpen(true), InputMethod::State::Open);
  EXPECT_EQ(controller_.switches, 1) << "an open input method is not opened again";
  EXPECT_EQ(inputMethod.toggle(), InputMethod::State::Closed);

  // No input context has the focus: nothing to switch.
  controller_.state = 0;
  EXPECT_EQ(inputMethod.toggle(), InputMethod::State::Unavailable);
  EXPECT_EQ(controller_.switches, 2);

  // Another program has the focus: its input method is not ours to switch.
  controller_.state = 1;
  window_.reset();
  ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::focusWindow() == nullptr; }));
  EXPECT_EQ(inputMethod.setOpen(true), InputMethod::State::Unavailable);
  EXPECT_EQ(controller_.switches, 2);
}

TEST_F(InputMethodTest, OpeningWaitsForTheWindowsInputContext) {
  startDaemon();
  controller_.state = 0;
  std::optional<InputMethod::State> reached;
  InputMethod(client_).openWhenReady(window_.get(), [&reached](InputMethod::State s) { reached = s; });
  QTest::qWait(100);
  EXPECT_FALSE(reached.has_value());
  EXPECT_EQ(controller_.switches, 0) << "a switch sent before the context exists is lost";

  controller_.state = 1;
  ASSERT_TRUE(QTest::qWaitFor([&reached] { return reached.has_value(); }));
  EXPECT_EQ(reached, InputMethod::State::Open);
  EXPECT_EQ(controller_.state, 2);
}

}  // namespace
}  // namespace wabunko
