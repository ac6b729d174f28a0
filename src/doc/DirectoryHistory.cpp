#include "DirectoryHistory.h"

#include <algorithm>

namespace wabunko {

void moveToFront(DirectoryHistory& history, const std::string& folder) {
  if (folder.empty()) return;
  auto found = std::find(history.begin(), history.end(), folder);
  if (found == history.end()) found = history.end() - 1;
  std::rotate(history.begin(), found, found + 1);
  history.front() = folder;
}

std::size_t storedCount(const DirectoryHistory& history) {
  return static_cast<std::size_t>(
      std::find(history.begin(), history.end(), std::string()) - history.begin());
}

}  // namespace wabunko
