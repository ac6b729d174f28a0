#pragma once
// The folders of the file system as find in files walks them: a folder's entries sorted by
// name in byte order, so a walk takes the same way on every run whatever order the file
// system keeps them in. A link is listed as what it points at; a link that points nowhere,
// pipes, devices and sockets are Other. Plain POSIX, so the pure library can use it.

#include "search/FolderWalk.h"

namespace wabunko {

class PosixFolderLister final : public FolderLister {
public:
  // `folder` ends in "/" or not.
  std::optional<std::vector<FolderEntry>> list(const std::string& folder) override;
  std::optional<std::pair<std::uint64_t, std::uint64_t>> identity(const std::string& folder) override;
};

}  // namespace wabunko
