#include "app/CWabunkoApp.h"
#include "frame/ProfileSettings.h"
#include "platform/FontSubstitutes.h"
#include "platform/QSettingsStore.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
  Q_INIT_RESOURCE(wabunko);
  Q_INIT_RESOURCE(toolbar);
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("WabSoft"));
  QApplication::setApplicationName(QStringLiteral("Wabunko"));
  QApplication::setDesktopFileName(QStringLiteral("wabunko"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/wabunko.svg")));
  wabunko::installJapaneseFontSubstitutes();

  wabunko::CWabunkoApp app(std::make_unique<wabunko::QSettingsStore>(wabunko::canonicalSectionName));
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  switch (app.initInstance(arguments)) {
    case wabunko::CWabunkoApp::Start::HandedOver: return 0;
    case wabunko::CWabunkoApp::Start::Failed: return 1;
    case wabunko::CWabunkoApp::Start::Running: break;
  }
  return QApplication::exec();
}
