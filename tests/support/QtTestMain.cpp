// Test main for the widget tests: an offscreen QApplication, settings kept in a
// temporary folder, and the Japanese font names mapped as in the program.
#include "platform/FontSubstitutes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                   : qgetenv("QT_QPA_PLATFORM"));
  QTemporaryDir config;
  qputenv("WABUNKO_CONFIG_HOME", config.path().toUtf8());
  qputenv("XDG_DATA_HOME", config.filePath(QStringLiteral("data")).toUtf8());
  // The single-instance socket of a test never meets a running editor's.
  QDir(config.path()).mkdir(QStringLiteral("runtime"));
  QFile::setPermissions(config.filePath(QStringLiteral("runtime")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", config.filePath(QStringLiteral("runtime")).toUtf8());
  Q_INIT_RESOURCE(wabunko);
  Q_INIT_RESOURCE(toolbar);
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("WabSoft"));
  QApplication::setApplicationName(QStringLiteral("Wabunko"));
  wabunko::installJapaneseFontSubstitutes();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
