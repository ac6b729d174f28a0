#pragma once
// The layout of the settings store: every section and key the editor reads or writes,
// with its type and default. Readers and writers name a setting by its entry here.
// Texts are UTF-8.

#include <span>
#include <string>
#include <string_view>

namespace wabunko::settings {

enum class Type { Int, String };

struct Setting {
  const char* section;
  const char* key;
  Type type;
  int intDefault;
  const char* stringDefault;
};

constexpr Setting intSetting(const char* section, const char* key, int def) {
  return {section, key, Type::Int, def, ""};
}
constexpr Setting stringSetting(const char* section, const char* key, const char* def) {
  return {section, key, Type::String, 0, def};
}

// Section names as the editor spells them.
inline constexpr const char* kFramePosition = "Frame position";
inline constexpr const char* kFile = "File";
inline constexpr const char* kFontDefault = "Font\\Default";
inline constexpr const char* kFontReadOnly = "Font\\Read only";
inline constexpr const char* kFontLineNumber = "Font\\Line number";
// ... the helper completes the declarations below and the table in SettingsLayout.cpp.

// Every fixed setting of the layout (numbered families such as "Dir History 0".."9",
// the IME sets and the hot keys included, each key spelled out).
std::span<const Setting> layout();

// The entry for section/key (section compared without case), or nullptr.
const Setting* findSetting(std::string_view section, std::string_view key);

// The one spelling under which a section is stored: the layout's spelling of a known
// section, otherwise the name with its ASCII letters in lower case.
std::string canonicalSection(std::string_view section);

}  // namespace wabunko::settings
