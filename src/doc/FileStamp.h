#pragma once
// What the editor last saw of a document's file on disk: its size and modification time
// when the document read it or last wrote it. Another program that changes or removes the
// file since shows as a difference, so that a save can ask before it overwrites what the
// other program wrote. Only regular files count: anything else at the path is a file gone.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace wabunko {

class FileStamp {
public:
  enum class Change { None, Changed, Removed };

  // Takes what is on disk at `path` now as the state the document matches (after a read
  // or a save there). A missing file records that nothing is there.
  void record(const std::filesystem::path& path);
  // The path of the last record; empty when nothing was recorded.
  const std::filesystem::path& path() const { return path_; }

  // How the file on disk differs from the record; None when nothing was recorded.
  Change change() const;
  // The change, unless the user has already been told of the file in exactly its present
  // state; from now on they have been.
  Change changeNotYetTold();
  // The user has been told of the file's present state (a question about it counts).
  void markTold();

private:
  struct State {
    bool regular = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    bool operator==(const State&) const = default;
  };
  static State stateOf(const std::filesystem::path& path);
  static Change compare(const State& recorded, const State& now);

  std::filesystem::path path_;
  std::optional<State> recorded_;
  std::optional<State> told_;
};

}  // namespace wabunko
