#pragma once
// What the program says about itself, in --version and in the About box: its version, the
// Qt it runs on and its licence. The command line speaks the user's language, Japanese or
// English; the windows are Japanese throughout.

#include <QString>
#include <QtGlobal>

namespace wabunko {

enum class Language { English, Japanese };

// Japanese when the system locale's language is (LANG=ja_JP.UTF-8), English otherwise.
// Needs no application object.
Language systemLanguage();

// "Qt 6.4.2"; when the Qt the program runs on is not the one it was built with, both, the
// running one first.
QString qtVersionText(Language language, const QString& built = QStringLiteral(QT_VERSION_STR),
                      const QString& running = QString::fromLatin1(qVersion()));

// Two lines: the licence and the no-warranty note.
QString licenceText(Language language);

// What --version prints: the program and its version, the Qt line and the licence.
QString versionText(Language language);

}  // namespace wabunko
