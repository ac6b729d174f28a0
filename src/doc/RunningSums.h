#pragma once
// A sequence of values with running totals: the sum of the values before any of them, and
// the value a running total reaches, each in O(log n) over a Fenwick tree. Changing one
// value costs O(log n); inserting or removing values, or changing many at once, leaves
// the tree to be rebuilt (O(n)) at the next question.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <span>
#include <vector>

namespace wabunko {

template <typename T>
class RunningSums {
public:
  std::size_t size() const { return values_.size(); }
  T operator[](std::size_t i) const { return values_[i]; }

  // `n` values, each `value`.
  void assign(std::size_t n, T value) {
    values_.assign(n, value);
    stale_ = true;
  }
  void set(std::size_t i, T value) {
    if (!stale_) add(i, value - values_[i]);
    values_[i] = value;
  }
  // Sets values first, first + 1, ...; past a point rebuilding the tree is cheaper than
  // following each value.
  void set(std::size_t first, std::span<const T> values) {
    if (values.size() > values_.size() / 16) stale_ = true;
    for (std::size_t i = 0; i < values.size(); ++i) set(first + i, values[i]);
  }
  // Values [first, first + removed) give way to `inserted` values `value`.
  void replace(std::size_t first, std::size_t removed, std::size_t inserted, T value) {
    if (removed == inserted && !stale_ && removed < 64) {
      for (std::size_t i = first; i < first + removed; ++i) set(i, value);
      return;
    }
    const auto begin = values_.begin() + static_cast<std::ptrdiff_t>(first);
    values_.insert(values_.erase(begin, begin + static_cast<std::ptrdiff_t>(removed)), inserted, value);
    stale_ = true;
  }

  // The sum of values [0, i).
  T sumBefore(std::size_t i) const {
    if (stale_) rebuild();
    T sum{};
    for (i = std::min(i, values_.size()); i > 0; i &= i - 1) sum += tree_[i];
    return sum;
  }
  T total() const { return sumBefore(values_.size()); }

  // How many leading values fit in `amount` (their sum does not pass it) and what is left
  // of it after them: the value at `index` is the one the total `amount` reaches, and
  // index == size() past the last. The values must not be negative.
  struct Place {
    std::size_t index = 0;
    T rest{};
  };
  Place locate(T amount) const {
    if (stale_) rebuild();
    Place place{0, std::max(amount, T{})};
    const std::size_t n = values_.size();
    for (std::size_t step = n > 0 ? std::bit_floor(n) : 0; step > 0; step >>= 1) {
      const std::size_t next = place.index + step;
      if (next <= n && tree_[next] <= place.rest) {
        place.index = next;
        place.rest -= tree_[next];
      }
    }
    return place;
  }

private:
  void rebuild() const {
    const std::size_t n = values_.size();
    tree_.assign(n + 1, T{});
    for (std::size_t i = 1; i <= n; ++i) {
      tree_[i] += values_[i - 1];
      const std::size_t parent = i + (i & (~i + 1));
      if (parent <= n) tree_[parent] += tree_[i];
    }
    stale_ = false;
  }
  void add(std::size_t i, T delta) {
    if (delta == T{}) return;
    for (++i; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
  }

  std::vector<T> values_;
  mutable std::vector<T> tree_;
  mutable bool stale_ = true;
};

}  // namespace wabunko
