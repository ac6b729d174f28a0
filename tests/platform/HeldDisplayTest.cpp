// Holding the X display before Qt opens it: a display that starts late is waited for, one
// that never answers is given up on, and a program not shown on X does not wait.
#include "platform/HeldDisplay.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <unistd.h>

namespace wabunko {
namespace {

using namespace std::chrono_literals;

// Sets an environment variable for the test's length.
class Environment {
public:
  Environment(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
    qputenv(name, value);
  }
  ~Environment() {
    if (had_) qputenv(name_, old_);
    else qunsetenv(name_);
  }

private:
  const char* name_;
  QByteArray old_;
  bool had_;
};

// A display number no server holds.
QByteArray freeDisplay() {
  int number = 200 + static_cast<int>(getpid() % 100);
  while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))) ++number;
  return ':' + QByteArray::number(number);
}

TEST(HeldDisplay, WaitsForADisplayThatStartsLate) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
  const QByteArray display = freeDisplay();
  const Environment onX("QT_QPA_PLATFORM", "xcb");
  const Environment there("DISPLAY", display);
  EXPECT_FALSE(HeldDisplay(0ms).answered()) << "no server yet";
  QProcess server;
  server.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("sleep 0.3; exec %1 %2 -nolisten tcp")
                                                                .arg(xvfb, QString::fromLatin1(display))});
  ASSERT_TRUE(server.waitForStarted());
  EXPECT_TRUE(HeldDisplay(20s).answered());
  server.terminate();
  server.waitForFinished();
}

TEST(HeldDisplay, GivesUpOnADisplayThatNeverAnswersAndDoesNotWaitOffX) {
  const Environment there("DISPLAY", freeDisplay());
  {
    const Environment onX("QT_QPA_PLATFORM", "xcb");
    EXPECT_FALSE(HeldDisplay(50ms).answered());
  }
  const Environment offscreen("QT_QPA_PLATFORM", "offscreen");
  EXPECT_TRUE(HeldDisplay(50ms).answered());
}

}  // namespace
}  // namespace wabunko
