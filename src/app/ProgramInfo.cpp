#include "ProgramInfo.h"

#include <QLocale>

namespace wabunko {

Language systemLanguage() {
  return QLocale::system().language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

QString qtVersionText(Language language, const QString& built, const QString& running) {
  if (built == running) return QStringLiteral("Qt %1").arg(running);
  return (language == Language::Japanese ? QStringLiteral("Qt %1 で動作 (ビルドは Qt %2)")
                                         : QStringLiteral("Qt %1 (built with Qt %2)"))
      .arg(running, built);
}

QString licenceText(Language language) {
  return language == Language::Japanese
             ? QStringLiteral("ライセンス: GNU General Public License version 3 or later\n"
                              "このプログラムには、法律が認める範囲で一切の保証がありません。")
             : QStringLiteral("License: GNU General Public License version 3 or later\n"
                              "This program comes with no warranty, to the extent permitted by law.");
}

QString versionText(Language language) {
  return QStringLiteral("Wabunko %1\n%2\n%3\n")
      .arg(QStringLiteral(WABUNKO_VERSION), qtVersionText(language), licenceText(language));
}

}  // namespace wabunko
