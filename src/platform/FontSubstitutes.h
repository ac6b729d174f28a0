#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace wabunko {

// A Japanese face name that settings carry and the faces that stand in for it here, in
// order of preference.
struct FontSubstitute {
  QString name;
  QStringList faces;
};
std::vector<FontSubstitute> japaneseFontSubstitutes();

// Maps the Japanese face names that settings carry ("ＭＳ ゴシック", "ＭＳ 明朝", ...)
// to the Japanese faces installed here, so stored names render in a Japanese face.
void installJapaneseFontSubstitutes();

}  // namespace wabunko
