#include "frame/SettingsLayout.h"

#include "settings/HotKeyTable.h"

#include <algorithm>
#include <vector>

namespace wabunko::settings {
namespace {

std::vector<Setting> buildLayout() {
  std::vector<Setting> t = {
      FrameLeft, FrameTop, FrameWidth, FrameHeight, FrameMaximized, FrameMaximizedChild,
      FrameViewToolBar, FrameViewStatusBar, FrameViewTextStyleBar, FrameDrawLineNumber,
      FrameChildWindow, FrameAutoArrangeChild, FrameNoIntersectionChild, FrameParentSingle,
      FrameWordWrap, FrameVertical,

      FileDoBackUp, FileBackUpDirectory, FileDoAutoSave, FileTimeSpanForAutoSave, FileReadOnly,
      FileFavorite, FileLoad, FileOpenDir, FileSaveDir, FileExtDefaultOpen,

      ToolBarCount, ToolBarItem, TextStyleBarCount, TextStyleBarItem,
  };
  for (std::size_t i = 0; i < kDirHistoryCount; ++i) t.push_back(fileDirHistory(i));
  for (const char* section : kFontSections) {
    for (std::size_t f = 0; f < kFontFieldCount; ++f)
      t.push_back(fontSetting(section, static_cast<FontField>(f)));
  }
  for (std::size_t i = 0; i < kImeColorSetCount; ++i) {
    t.push_back(imeText(i));
    t.push_back(imeBackground(i));
    t.push_back(imeEffects(i));
  }
  t.insert(t.end(), {
      ImeAuto, KeyInputAutoBrace, KeyInputAutoIndent, CommandLineLength,
      CommandConvertOnlySelected, CommandQuotationMark, MenuNumberOfMruList,
      ColorBackGroundParent, ColorBackGroundChild, StyleTabSpace, StyleIndentStart,
      StyleIndentLeft, StyleIndentRight, FindReplacePathName, FindReplaceExt, ConfigFontName,
  });
  for (std::size_t i = 0; i < kRecentFileCount; ++i) t.push_back(recentFile(i));
  for (std::size_t i = 0; i < kFindHistoryCount; ++i) {
    t.push_back(findItem(i));
    t.push_back(replaceItem(i));
  }
  for (std::size_t i = 0; i < kHotkeyCommandCount; ++i) t.push_back(hotKeySetting(i));
  t.push_back(HotKeySystemWide);
  return t;
}

// Sections that hold no fixed keys of the layout but are still the editor's.
constexpr std::array<const char*, 1> kSectionsWithoutFixedKeys = {kBarState};

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameSection(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace

Setting hotKeySetting(std::size_t index) {
  const HotkeyCommand& command = hotkeyCommands()[index];
  return stringSetting(kHotKey, command.name, command.defaultKey);
}

std::span<const Setting> layout() {
  static const std::vector<Setting> table = buildLayout();
  return table;
}

const Setting* findSetting(std::string_view section, std::string_view key) {
  const auto table = layout();
  const auto it = std::ranges::find_if(table, [&](const Setting& s) {
    return s.key == key && sameSection(s.section, section);
  });
  return it == table.end() ? nullptr : &*it;
}

std::string canonicalSection(std::string_view section) {
  for (const char* known : kSectionsWithoutFixedKeys) {
    if (sameSection(known, section)) return known;
  }
  for (const Setting& s : layout()) {
    if (sameSection(s.section, section)) return s.section;
  }
  std::string lower(section);
  std::ranges::transform(lower, lower.begin(), asciiLower);
  return lower;
}

}  // namespace wabunko::settings
