#include "app/CWabunkoApp.h"
#include "app/CommandLine.h"
#include "app/QtTranslations.h"
#include "frame/ProfileSettings.h"
#include "platform/FontSubstitutes.h"
#include "platform/HeldDisplay.h"
#include "platform/QSettingsStore.h"

#include <QApplication>
#include <QIcon>
#include <chrono>
#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
  // Help, the version and mistakes in the command line are answered before anything needs
  // a display, a window or the single-instance socket.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const wabunko::Language language = wabunko::systemLanguage();
  const wabunko::CommandLine line = wabunko::parseCommandLine(arguments, language);
  if (line.action != wabunko::CommandLine::Action::Open) {
    std::fputs(line.text.toLocal8Bit().constData(),
               line.action == wabunko::CommandLine::Action::Refuse ? stderr : stdout);
    return line.exitCode();
  }
  // A display that has only just started, or is resetting, may refuse a connection for a
  // moment; one that never answers is reported here, where Qt would abort.
  std::optional<wabunko::HeldDisplay> display(std::in_place, std::chrono::seconds(5));
  if (!display->answered()) {
    const QString text = language == wabunko::Language::Japanese
                             ? QStringLiteral("wabunko: X ディスプレイ %1 に接続できません。\n")
                             : QStringLiteral("wabunko: cannot connect to the X display %1.\n");
    std::fputs(text.arg(QString::fromLocal8Bit(qgetenv("DISPLAY"))).toLocal8Bit().constData(), stderr);
    return 1;
  }

  Q_INIT_RESOURCE(wabunko);
  Q_INIT_RESOURCE(toolbar);
  QApplication application(argc, argv);
  display.reset();  // Qt holds its own connection now
  QApplication::setOrganizationName(QStringLiteral("WabSoft"));
  QApplication::setApplicationName(QStringLiteral("Wabunko"));
  QApplication::setDesktopFileName(QStringLiteral("wabunko"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/wabunko.svg")));
  wabunko::installQtTranslations(application);
  wabunko::installJapaneseFontSubstitutes();

  wabunko::CWabunkoApp app(std::make_unique<wabunko::QSettingsStore>(wabunko::canonicalSectionName));
  switch (app.initInstance(arguments)) {
    case wabunko::CWabunkoApp::Start::HandedOver: return 0;
    case wabunko::CWabunkoApp::Start::Failed: return 1;
    case wabunko::CWabunkoApp::Start::Running: break;
  }
  return QApplication::exec();
}
