#pragma once
// The favourites: file paths in menu order, kept as one stored string of items each
// followed by "/". Since "/" also separates the parts of every path here, an item is
// stored with "%" written as "%25" and "/" as "%2F"; what follows the last "/" is no item.
// Paths are UTF-8.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wabunko {

class FavouriteList {
public:
  enum class Direction { Up, Down };

  FavouriteList() = default;
  explicit FavouriteList(std::vector<std::string> paths) : paths_(std::move(paths)) {}

  // Reads a stored value. A value that starts with "/" comes from before items were
  // escaped: a list of absolute paths, each followed by "/". Two such paths meet as
  // "…/" + "/…", so it is split where "//" stands, and a last path not followed by "/"
  // is dropped. Paths that themselves hold "//" cannot be told apart from two paths.
  static FavouriteList parse(std::string_view stored);
  // The stored form: every item escaped and followed by "/".
  std::string format() const;

  const std::vector<std::string>& paths() const { return paths_; }
  std::size_t size() const { return paths_.size(); }
  bool empty() const { return paths_.empty(); }
  const std::string& operator[](std::size_t position) const { return paths_[position]; }

  // At the end; a path may be there more than once.
  void add(std::string path) { paths_.push_back(std::move(path)); }
  // Positions past the end are ignored, so are repeats.
  void remove(std::vector<std::size_t> positions);
  // Moves each item at `positions` one place up or down, past the next unmoved item; an
  // item already at that end, or behind one that is, stays. The items' new positions.
  std::vector<std::size_t> move(std::vector<std::size_t> positions, Direction direction);

  bool operator==(const FavouriteList&) const = default;

private:
  std::vector<std::string> paths_;
};

}  // namespace wabunko
