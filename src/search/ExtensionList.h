#pragma once
// The file extensions find in files searches, as "Find Replace List"/"Ext" stores them
// (each followed by "/"), and whether a file name fits one: "txt" fits names ending in
// ".txt" in any letter case; an empty extension fits names without a dot. With every file
// chosen, every name fits, once.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wabunko {

// The longest extension the list keeps, in bytes of UTF-8.
inline constexpr std::size_t kMaxExtensionBytes = 27;

// Why an extension cannot be added; nothing when it can.
enum class ExtensionProblem { ContainsSlash, TooLong };
std::optional<ExtensionProblem> checkExtension(std::string_view extension);

class ExtensionList {
public:
  // All files: one pass over every file of a folder.
  static ExtensionList allFiles();
  // The stored form; the text after the last "/" does not count.
  static ExtensionList parse(std::string_view stored);
  explicit ExtensionList(std::vector<std::string> extensions);

  // The stored form: each extension followed by "/".
  std::string stored() const;
  const std::vector<std::string>& extensions() const;
  bool everyFile() const;

  // The passes over a folder's files: one per extension in order (one in all for every
  // file); whether `name` fits pass `pass`.
  std::size_t passes() const;
  bool fits(std::size_t pass, std::string_view name) const;

private:
  ExtensionList() = default;

  std::vector<std::string> extensions_;
  bool everyFile_ = false;
};

}  // namespace wabunko
