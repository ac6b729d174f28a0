#pragma once
// The walk of find in files: breadth first from the root folder (the root, then its
// subfolders in the order they are listed, then theirs, and so on), and in each folder the
// files of each extension in turn, so a file whose name fits two extensions comes twice.
// Folders whose names begin with "." are not entered. Only regular files are searched; a
// folder reached again through a link is not entered again, so every walk ends. Folders
// that cannot be listed are remembered for the report after the results. Paths are UTF-8
// with "/" between names.

#include "search/ExtensionList.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace wabunko {

struct FolderEntry {
  enum class Kind { Folder, File, Other };  // Other: devices, pipes, sockets, broken links
  std::string name;
  Kind kind = Kind::File;  // what a link points at, for a link
  bool link = false;
  // Identity of a folder, to know it when a link leads to it again.
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

// Lists a folder's entries in the order the walk takes them; nothing when the folder
// cannot be read.
class FolderLister {
public:
  virtual std::optional<std::vector<FolderEntry>> list(const std::string& folder) = 0;
  // The identity of the root folder; nothing when it cannot be read.
  virtual std::optional<std::pair<std::uint64_t, std::uint64_t>> identity(const std::string& folder) = 0;

protected:
  ~FolderLister() = default;
};

struct WalkFile {
  std::string folder;  // ends in "/"
  std::string name;
  std::string path() const { return folder + name; }
};

class FolderWalk {
public:
  // `root` may end in "/" or not.
  FolderWalk(std::string root, ExtensionList extensions, FolderLister& lister);

  // The next file to search; nothing once the walk is over or stopped.
  std::optional<WalkFile> next();
  // No file after the one last given.
  void stop();

  // The folder whose files are being given, ending in "/".
  const std::string& currentFolder() const;
  // Folders come to so far, the current one and those that could not be listed included.
  int foldersListed() const;
  // Folders that could not be listed, in walk order.
  const std::vector<std::string>& unreadableFolders() const;

private:
  // Makes `folder` the current one: lists it and puts its subfolders in the queue.
  void enter(std::string folder);

  ExtensionList extensions_;
  FolderLister& lister_;
  std::deque<std::string> pending_;  // folders still to list, ending in "/"
  std::set<std::pair<std::uint64_t, std::uint64_t>> visited_;  // identities of the folders queued
  std::string current_;
  std::vector<FolderEntry> entries_;  // of the current folder
  std::size_t pass_ = 0;
  std::size_t entry_ = 0;             // next entry to look at in this pass
  int listed_ = 0;
  std::vector<std::string> unreadable_;
  bool stopped_ = false;
};

}  // namespace wabunko
