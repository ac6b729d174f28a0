#pragma once
// Qt's own texts (the standard buttons of message boxes, the file, colour and font
// dialogs) in the user's language, from Qt's translation files. Without them Qt speaks
// English, and the program runs all the same.

#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace wabunko {

// Installs the qtbase translation for `locale` into `application`, which owns it; none
// when Qt has no translation for the locale's languages (or it is not installed).
QTranslator* installQtTranslations(QCoreApplication& application, const QLocale& locale = QLocale::system());

}  // namespace wabunko
