#include "FontSubstitutes.h"

#include <QFont>

namespace wabunko {

std::vector<FontSubstitute> japaneseFontSubstitutes() {
  return {
      {QStringLiteral("ＭＳ ゴシック"),
       {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
        QStringLiteral("VL Gothic")}},
      {QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")}},
      {QStringLiteral("ＭＳ 明朝"), {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAMincho")}},
      {QStringLiteral("ＭＳ Ｐ明朝"), {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAPMincho")}},
  };
}

void installJapaneseFontSubstitutes() {
  for (const FontSubstitute& substitute : japaneseFontSubstitutes())
    QFont::insertSubstitutions(substitute.name, substitute.faces);
}

}  // namespace wabunko
