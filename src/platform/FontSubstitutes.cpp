#include "FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace wabunko {

void installJapaneseFontSubstitutes() {
  const QStringList gothic{QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP"),
                           QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic")};
  const QStringList proportionalGothic{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")};
  const QStringList mincho{QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAMincho")};
  const QStringList proportionalMincho{QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAPMincho")};
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), proportionalGothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), mincho);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), proportionalMincho);
}

}  // namespace wabunko
