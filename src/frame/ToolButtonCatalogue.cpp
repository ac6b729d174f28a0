#include "ToolButtonCatalogue.h"

#include <algorithm>
#include <array>

namespace wabunko {
namespace {

constexpr ToolButton kSeparator{"区切り", 0, -1, true};

constexpr std::array kFileButtons{
    kSeparator,
    ToolButton{"新規", 57600, 0, true},
    ToolButton{"開く", 57601, 1, true},
    ToolButton{"保存", 57603, 2, true},
    ToolButton{"印刷", 57607, 3, true},
    ToolButton{"プレビュー", 57609, 4, true},
    ToolButton{"切り取り", 57635, 5, true},
    ToolButton{"複写", 57634, 6, true},
    ToolButton{"貼り付け", 57637, 7, true},
    ToolButton{"元に戻す", 57643, 8, true},
    ToolButton{"ヘルプ", 57669, 9, true},
    ToolButton{"全て保存", 32782, 10, true},
    ToolButton{"検索", 32810, 11, true},
    ToolButton{"次を検索", 32811, 12, true},
    ToolButton{"置換", 32812, 13, true},
    ToolButton{"閉じる", 57602, 14, true},
    ToolButton{"全て閉じる", 32800, 15, true},
    ToolButton{"名前をつけて保存", 57604, 16, true},
    ToolButton{"削除", 57632, 17, true},
    ToolButton{"全て選択", 57642, 18, true},
    ToolButton{"上下に並べて表示", 57651, 19, true},
    ToolButton{"左右に並べて表示", 57652, 20, true},
    ToolButton{"重ねて表示", 57650, 21, true},
    ToolButton{"IME", 2501, 22, true},
    ToolButton{"この行", 32806, 23, false},
    ToolButton{"先頭から", 32797, 24, false},
    ToolButton{"最後まで", 32796, 25, false},
    ToolButton{"行頭から", 32803, 26, false},
    ToolButton{"行末まで", 32793, 27, false},
    ToolButton{"引用記号", 32785, 28, false},
    ToolButton{"シグニチャ", 32804, 29, false},
};

constexpr std::array kTextStyleButtons{
    kSeparator,
    ToolButton{"フォント", 32789, 0, true},
    ToolButton{"上付き", 32781, 1, true},
    ToolButton{"下付き", 32783, 2, true},
    ToolButton{"リサイズ", 32807, 3, true},
    ToolButton{"左寄せ", 32790, 4, true},
    ToolButton{"中央寄せ", 32791, 5, true},
    ToolButton{"右寄せ", 32792, 6, true},
    ToolButton{"ボールド", 32819, 7, true},
    ToolButton{"イタリック", 32820, 8, true},
    ToolButton{"下線", 32821, 9, true},
};

constexpr std::array kFileDefaults{1, 2, 3, 0, 4, 5, 0, 6, 7, 8, 9, 0, 10};
constexpr std::array kTextStyleDefaults{1, 0, 2, 3, 4, 0, 5, 6, 7, 0, 8, 9, 10};

}  // namespace

std::span<const ToolButton> buttonCatalogue(Bar bar) {
  if (bar == Bar::File) return kFileButtons;
  return kTextStyleButtons;
}

int lookupButtonIndex(Bar bar, std::string_view name) {
  const auto catalogue = buttonCatalogue(bar);
  const auto it = std::find_if(catalogue.begin(), catalogue.end(),
                               [name](const ToolButton& b) { return name == b.name; });
  return it == catalogue.end() ? 0 : static_cast<int>(it - catalogue.begin());
}

std::span<const int> defaultButtons(Bar bar) {
  if (bar == Bar::File) return kFileDefaults;
  return kTextStyleDefaults;
}

bool usesDefaultButtons(int storedCount) { return storedCount < 0 || storedCount > kMaxStoredButtons; }

std::vector<int> parseButtonList(Bar bar, std::string_view items, int count) {
  std::vector<int> buttons;
  while (static_cast<int>(buttons.size()) < count) {
    const std::size_t slash = items.find('/');
    if (slash == std::string_view::npos) break;
    buttons.push_back(lookupButtonIndex(bar, items.substr(0, slash)));
    items.remove_prefix(slash + 1);
  }
  return buttons;
}

}  // namespace wabunko
