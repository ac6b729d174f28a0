#include "search/ResultRows.h"

#include "doc/TextBridge.h"
#include "doc/rtf/CodePages.h"

#include <algorithm>
#include <unordered_set>

namespace wabunko {

// Rows shown from the top: first those added since the last sort, newest first, then the
// sorted ones in their sorted order. Nothing moves when a row comes.
std::size_t ResultRows::indexOf(std::size_t shown) const {
  const std::size_t newer = rows_.size() - sorted_.size();
  return shown < newer ? rows_.size() - 1 - shown : sorted_[shown - newer];
}

void ResultRows::add(std::string file, std::string folder, int paragraph, std::string excerpt) {
  rows_.push_back({std::move(file), std::move(folder), paragraph, std::move(excerpt), nextSerial_++});
}

void ResultRows::clear() {
  rows_.clear();
  sorted_.clear();
}

std::size_t ResultRows::size() const { return rows_.size(); }

const ResultRow& ResultRows::at(std::size_t i) const { return rows_.at(indexOf(i)); }

void ResultRows::sortByFileDescending() {
  std::vector<std::size_t> order(rows_.size());
  for (std::size_t shown = 0; shown < order.size(); ++shown) order[shown] = indexOf(shown);
  std::vector<std::string> keys(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) keys[i] = TextBridge::toShiftJis(rtf::fromUtf8(rows_[i].file));
  // std::string compares its chars as unsigned bytes.
  std::ranges::stable_sort(order, [&keys](std::size_t a, std::size_t b) { return keys[a] > keys[b]; });
  sorted_ = std::move(order);
}

std::vector<std::string> ResultRows::paths() const {
  std::vector<std::string> paths;
  std::unordered_set<std::string> seen;
  for (std::size_t shown = rows_.size(); shown-- > 0;) {
    const ResultRow& row = rows_[indexOf(shown)];
    std::string path = row.folder + row.file;
    if (seen.insert(path).second) paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace wabunko
