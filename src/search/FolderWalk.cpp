#include "search/FolderWalk.h"

namespace wabunko {

FolderWalk::FolderWalk(std::string root, ExtensionList extensions, FolderLister& lister)
    : extensions_(std::move(extensions)), lister_(lister) {
  if (!root.ends_with('/')) root += '/';
  current_ = root;
  // The root counts as entered, so a link back to it is not followed.
  if (const auto identity = lister_.identity(root)) visited_.insert(*identity);
  // Without an extension no file can be searched, and there is nothing to walk for.
  if (extensions_.passes() > 0) pending_.push_back(std::move(root));
  pass_ = extensions_.passes();
}

std::optional<WalkFile> FolderWalk::next() {
  while (!stopped_) {
    for (; pass_ < extensions_.passes(); ++pass_, entry_ = 0) {
      while (entry_ < entries_.size()) {
        const FolderEntry& entry = entries_[entry_++];
        if (entry.kind == FolderEntry::Kind::File && extensions_.fits(pass_, entry.name))
          return WalkFile{current_, entry.name};
      }
    }
    if (pending_.empty()) break;
    std::string folder = std::move(pending_.front());
    pending_.pop_front();
    enter(std::move(folder));
  }
  return std::nullopt;
}

void FolderWalk::enter(std::string folder) {
  current_ = std::move(folder);
  ++listed_;
  pass_ = 0;
  entry_ = 0;
  std::optional<std::vector<FolderEntry>> entries = lister_.list(current_);
  if (!entries) {
    unreadable_.push_back(current_);
    entries_.clear();
    return;
  }
  entries_ = std::move(*entries);
  for (const FolderEntry& entry : entries_) {
    if (entry.kind != FolderEntry::Kind::Folder || entry.name.starts_with('.')) continue;
    // A folder reached a second time (through a link) is not entered again.
    if (visited_.insert({entry.device, entry.inode}).second) pending_.push_back(current_ + entry.name + '/');
  }
}

void FolderWalk::stop() { stopped_ = true; }

const std::string& FolderWalk::currentFolder() const { return current_; }

int FolderWalk::foldersListed() const { return listed_; }

const std::vector<std::string>& FolderWalk::unreadableFolders() const { return unreadable_; }

}  // namespace wabunko
