#pragma once

namespace wabunko {

// Maps the Japanese face names that settings carry ("ＭＳ ゴシック", "ＭＳ 明朝", ...)
// to the Japanese faces installed here, so stored names render in a Japanese face.
void installJapaneseFontSubstitutes();

}  // namespace wabunko
