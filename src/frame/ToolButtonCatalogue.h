#pragma once
// The buttons the two toolbars can carry, the default sets, and the stored form of a
// bar's button list (names, each followed by "/"). Texts are UTF-8.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wabunko {

struct ToolButton {
  const char* name;  // the text stored in the settings
  int command;       // 0: separator
  int image;         // index into the bar's images; -1 for the separator
  bool initiallyEnabled;
};

enum class Bar { File = 0, TextStyle = 1 };

// Entry 0 of each catalogue is the separator "区切り".
std::span<const ToolButton> buttonCatalogue(Bar bar);

// The catalogue number of the button called `name` exactly; 0 (the separator) when none.
int lookupButtonIndex(Bar bar, std::string_view name);

// The default buttons of a bar, as catalogue numbers.
std::span<const int> defaultButtons(Bar bar);

// A stored count outside 0..30 selects the default set.
inline constexpr int kMaxStoredButtons = 30;
bool usesDefaultButtons(int storedCount);

// The first `count` names of a stored list, as catalogue numbers; a list that ends before
// `count` names stops there.
std::vector<int> parseButtonList(Bar bar, std::string_view items, int count);
// The stored form of a bar's buttons (catalogue numbers): their names, each followed by "/".
std::string formatButtonList(Bar bar, std::span<const int> buttons);

}  // namespace wabunko
