#pragma once
// The ten most recently used folders of the file dialogs, most recent first. Each folder
// ends in '/'; an entry never filled is empty.

#include <array>
#include <cstddef>
#include <string>

namespace wabunko {

inline constexpr std::size_t kDirectoryHistorySize = 10;
using DirectoryHistory = std::array<std::string, kDirectoryHistorySize>;

// Puts `folder` at the front. A folder already present (exact comparison, the first
// occurrence counts) moves there and the entries before it move one place down;
// otherwise every entry moves down and the last is dropped. An empty folder (a path
// without one) leaves the history alone: it would hide every entry from the store.
void moveToFront(DirectoryHistory& history, const std::string& folder);

// How many entries, from the front, are written to the store: those before the first
// empty one.
std::size_t storedCount(const DirectoryHistory& history);

}  // namespace wabunko
