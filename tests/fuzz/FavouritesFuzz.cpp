// libFuzzer target for the favourites list's stored form and its edits. For any stored
// value: the items parse reads are those a plain reading of the rules in the header gives
// (old-style values included), and they survive being written and read again. For any
// list of paths whose first path is not empty (the stored form cannot tell an empty first
// item from an old-style value): writing and reading it gives it back. Removing and moving
// items agree with a plain reading of the rules.
//
// Input: a flag byte (bit 0: move down, else up), a count k (mod 8), k positions, then the
// stored value; the same bytes cut at each NUL make the list of paths.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "frame/FavouriteList.h"

namespace {

using wabunko::FavouriteList;
using Paths = std::vector<std::string>;
using Positions = std::vector<std::size_t>;

void check(bool condition) {
  if (!condition) std::abort();
}

namespace plain {

std::string unescaped(std::string_view item) {
  std::string out;
  for (std::size_t i = 0; i < item.size();) {
    const std::string_view next = item.substr(i, 3);
    if (next == "%25" || next == "%2F" || next == "%2f") {
      out += next == "%25" ? '%' : '/';
      i += 3;
    } else {
      out += item[i++];
    }
  }
  return out;
}

// An old-style value is a run of absolute paths each followed by "/": a path ends at the
// first "/" that another "/" follows, or at the last "/" of the value.
Paths parse(std::string_view stored) {
  Paths paths;
  if (!stored.starts_with('/')) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) {
      if (stored[i] != '/') continue;
      paths.push_back(unescaped(stored.substr(start, i - start)));
      start = i + 1;
    }
    return paths;
  }
  std::size_t start = 0;
  for (std::size_t i = 1; i + 1 < stored.size(); ++i) {
    if (stored[i] == '/' && stored[i + 1] == '/') {
      paths.emplace_back(stored.substr(start, i - start));
      start = i + 1;
      ++i;
    }
  }
  if (stored.size() - start > 1 && stored.back() == '/')
    paths.emplace_back(stored.substr(start, stored.size() - start - 1));
  return paths;
}

std::set<std::size_t> valid(const Positions& positions, std::size_t size) {
  std::set<std::size_t> chosen;
  for (std::size_t p : positions) {
    if (p < size) chosen.insert(p);
  }
  return chosen;
}

Paths remove(const Paths& paths, const Positions& positions) {
  const std::set<std::size_t> chosen = valid(positions, paths.size());
  Paths out;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!chosen.contains(i)) out.push_back(paths[i]);
  }
  return out;
}

// Upward, each run of chosen items changes places with the item above it, except a run at
// the top; downward the same with the item below and the bottom. Gives the new positions.
Positions move(Paths& paths, const Positions& positions, bool down) {
  const std::size_t n = paths.size();
  std::vector<bool> chosen(n, false);
  for (std::size_t p : valid(positions, n)) chosen[p] = true;
  if (down) {
    std::ranges::reverse(paths);
    std::reverse(chosen.begin(), chosen.end());
  }
  Positions now;
  for (std::size_t i = 0; i < n;) {
    if (!chosen[i]) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < n && chosen[end]) ++end;
    const std::size_t shift = i == 0 ? 0 : 1;
    if (shift)
      std::rotate(paths.begin() + static_cast<std::ptrdiff_t>(i - 1), paths.begin() + static_cast<std::ptrdiff_t>(i),
                  paths.begin() + static_cast<std::ptrdiff_t>(end));
    for (std::size_t k = i; k < end; ++k) now.push_back(down ? n - 1 - (k - shift) : k - shift);
    i = end;
  }
  if (down) std::ranges::reverse(paths);
  std::ranges::sort(now);
  return now;
}

}  // namespace plain

void checkStored(std::string_view stored) {
  const FavouriteList list = FavouriteList::parse(stored);
  check(list.paths() == plain::parse(stored));
  check(list.empty() || !list[0].empty());
  const std::string written = list.format();
  check(FavouriteList::parse(written) == list);
  check(FavouriteList::parse(written).format() == written);
}

void checkWritten(const Paths& paths) {
  if (!paths.empty() && paths[0].empty()) return;
  const FavouriteList list(paths);
  const std::string written = list.format();
  check(static_cast<std::size_t>(std::ranges::count(written, '/')) == paths.size());
  check(!written.starts_with('/') && (paths.empty() || written.ends_with('/')));
  check(FavouriteList::parse(written).paths() == paths);
}

void checkEdits(const Paths& paths, const Positions& positions, bool down) {
  FavouriteList removed(paths);
  removed.remove(positions);
  check(removed.paths() == plain::remove(paths, positions));

  FavouriteList moved(paths);
  const Positions now = moved.move(positions, down ? FavouriteList::Direction::Down : FavouriteList::Direction::Up);
  Paths want = paths;
  check(now == plain::move(want, positions, down));
  check(moved.paths() == want);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool down = data[0] & 1;
  const std::size_t count = std::min<std::size_t>(data[1] % 8, size - 2);
  const Positions positions(data + 2, data + 2 + count);
  const std::string_view stored(reinterpret_cast<const char*>(data + 2 + count), size - 2 - count);

  checkStored(stored);
  Paths paths;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(stored.find('\0', start), stored.size());
    paths.emplace_back(stored.substr(start, end - start));
    if (end == stored.size()) break;
    start = end + 1;
  }
  if (stored.empty()) paths.clear();
  checkWritten(paths);
  checkEdits(paths, positions, down);
  checkEdits(FavouriteList::parse(stored).paths(), positions, down);
  return 0;
}
