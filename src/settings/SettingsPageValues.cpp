#include "settings/SettingsPageValues.h"

namespace wabunko {

std::string storedBackUpDirectory(std::string_view folder) {
  std::string stored(folder);
  if (!stored.empty() && !stored.ends_with('/')) stored += '/';
  return stored;
}

}  // namespace wabunko
