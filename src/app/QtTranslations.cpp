#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace wabunko {

QTranslator* installQtTranslations(QCoreApplication& application, const QLocale& locale) {
  auto* translator = new QTranslator(&application);
  // Tries each of the locale's languages in turn ("qtbase_ja_JP", "qtbase_ja", ...).
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace wabunko
