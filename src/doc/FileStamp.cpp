#include "doc/FileStamp.h"

#include <system_error>

namespace wabunko {

FileStamp::State FileStamp::stateOf(const std::filesystem::path& path) {
  std::error_code error;
  State state;
  state.regular = std::filesystem::is_regular_file(path, error);
  if (!state.regular) return state;
  // Nanoseconds where the file system keeps them, so that a write within the same second
  // that keeps the size still shows.
  state.size = std::filesystem::file_size(path, error);
  if (error) return State{};
  state.modified = std::filesystem::last_write_time(path, error);
  if (error) return State{};
  return state;
}

FileStamp::Change FileStamp::compare(const State& recorded, const State& now) {
  if (!now.regular) return recorded.regular ? Change::Removed : Change::None;
  return now == recorded ? Change::None : Change::Changed;
}

void FileStamp::record(const std::filesystem::path& path) {
  path_ = path;
  recorded_ = stateOf(path);
  told_.reset();
}

FileStamp::Change FileStamp::change() const {
  return recorded_ ? compare(*recorded_, stateOf(path_)) : Change::None;
}

FileStamp::Change FileStamp::changeNotYetTold() {
  if (!recorded_) return Change::None;
  const State now = stateOf(path_);
  const Change change = compare(*recorded_, now);
  if (change == Change::None || told_ == now) return Change::None;
  told_ = now;
  return change;
}

void FileStamp::markTold() {
  if (recorded_) told_ = stateOf(path_);
}

}  // namespace wabunko
