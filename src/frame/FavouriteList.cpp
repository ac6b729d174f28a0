#include "frame/FavouriteList.h"

#include <algorithm>

namespace wabunko {
namespace {

std::string escaped(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    if (c == '%')
      out += "%25";
    else if (c == '/')
      out += "%2F";
    else
      out += c;
  }
  return out;
}

// Only the two escapes this list writes are read back; any other "%" stays as it is.
std::string unescaped(std::string_view item) {
  std::string out;
  out.reserve(item.size());
  for (std::size_t i = 0; i < item.size(); ++i) {
    if (item[i] == '%' && i + 2 < item.size()) {
      const std::string_view code = item.substr(i + 1, 2);
      if (code == "25" || code == "2F" || code == "2f") {
        out += code == "25" ? '%' : '/';
        i += 2;
        continue;
      }
    }
    out += item[i];
  }
  return out;
}

std::vector<std::string> unescapedPaths(std::string_view stored) {
  std::vector<std::string> paths;
  for (std::size_t end; (end = stored.find('/')) != std::string_view::npos; stored.remove_prefix(end + 1))
    paths.push_back(unescaped(stored.substr(0, end)));
  return paths;
}

// "/a/b.txt//c/d.txt/": each path runs from its "/" to the "/" that ends it.
std::vector<std::string> oldStylePaths(std::string_view stored) {
  std::vector<std::string> paths;
  std::size_t start = 0;
  for (std::size_t meet; (meet = stored.find("//", start + 1)) != std::string_view::npos; start = meet + 1)
    paths.emplace_back(stored.substr(start, meet - start));
  const std::string_view last = stored.substr(start);
  if (last.size() > 1 && last.back() == '/') paths.emplace_back(last.substr(0, last.size() - 1));
  return paths;
}

}  // namespace

FavouriteList FavouriteList::parse(std::string_view stored) {
  return FavouriteList(stored.starts_with('/') ? oldStylePaths(stored) : unescapedPaths(stored));
}

std::string FavouriteList::format() const {
  std::string stored;
  for (const std::string& path : paths_) stored += escaped(path) + '/';
  return stored;
}

void FavouriteList::remove(std::vector<std::size_t> positions) {
  std::ranges::sort(positions, std::greater<>());
  // std::unique, not std::ranges::unique: clang 14, which builds the fuzz targets, cannot
  // instantiate the latter's result type with the standard library of g++ 12.
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (std::size_t position : positions)
    if (position < paths_.size()) paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(position));
}

std::vector<std::size_t> FavouriteList::move(std::vector<std::size_t> positions, Direction direction) {
  std::erase_if(positions, [this](std::size_t p) { return p >= paths_.size(); });
  const bool up = direction == Direction::Up;
  // Nearest the end moved towards first, so a block of items moves together and one
  // held at the end holds those behind it.
  if (up)
    std::ranges::sort(positions);
  else
    std::ranges::sort(positions, std::greater<>());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  std::vector<bool> moving(paths_.size(), false);
  for (std::size_t p : positions) moving[p] = true;
  for (std::size_t& p : positions) {
    if (up ? p == 0 : p + 1 == paths_.size()) continue;
    const std::size_t to = up ? p - 1 : p + 1;
    if (moving[to]) continue;
    std::swap(paths_[p], paths_[to]);
    moving[p] = false;
    moving[to] = true;
    p = to;
  }
  std::ranges::sort(positions);
  return positions;
}

}  // namespace wabunko
