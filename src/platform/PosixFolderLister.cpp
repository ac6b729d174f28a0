#include "platform/PosixFolderLister.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace wabunko {
namespace {

FolderEntry::Kind kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return FolderEntry::Kind::Folder;
  if (S_ISREG(mode)) return FolderEntry::Kind::File;
  return FolderEntry::Kind::Other;
}

struct CloseFolder {
  void operator()(DIR* folder) const { closedir(folder); }
};

}  // namespace

std::optional<std::vector<FolderEntry>> PosixFolderLister::list(const std::string& folder) {
  const std::unique_ptr<DIR, CloseFolder> handle(opendir(folder.c_str()));
  if (!handle) return std::nullopt;
  const int descriptor = dirfd(handle.get());
  std::vector<FolderEntry> entries;
  for (;;) {
    errno = 0;
    const dirent* item = readdir(handle.get());
    if (!item) {
      if (errno != 0) return std::nullopt;
      break;
    }
    const std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry entry{std::string(name)};
    // The entry's type from the folder itself spares a stat for every plain file; folders
    // need one for their identity, links for what they point at.
    struct stat status {};
    if (item->d_type == DT_REG) {
      entry.kind = FolderEntry::Kind::File;
    } else if (item->d_type != DT_UNKNOWN && item->d_type != DT_DIR && item->d_type != DT_LNK) {
      entry.kind = FolderEntry::Kind::Other;
    } else if (fstatat(descriptor, item->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
      entry.kind = FolderEntry::Kind::Other;
    } else {
      entry.link = S_ISLNK(status.st_mode);
      if (entry.link && fstatat(descriptor, item->d_name, &status, 0) != 0) {
        entry.kind = FolderEntry::Kind::Other;  // points nowhere
      } else {
        entry.kind = kindOf(status.st_mode);
        entry.device = static_cast<std::uint64_t>(status.st_dev);
        entry.inode = static_cast<std::uint64_t>(status.st_ino);
      }
    }
    entries.push_back(std::move(entry));
  }
  std::ranges::sort(entries, {}, &FolderEntry::name);
  return entries;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> PosixFolderLister::identity(const std::string& folder) {
  struct stat status {};
  if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
  return std::pair{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace wabunko
