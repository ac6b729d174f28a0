#include "search/ExtensionList.h"

#include "search/TextMatch.h"

#include <algorithm>

namespace wabunko {

std::optional<ExtensionProblem> checkExtension(std::string_view extension) {
  // "/" ends an extension in the stored form, so one containing it would come back as two.
  if (extension.find('/') != std::string_view::npos) return ExtensionProblem::ContainsSlash;
  if (extension.size() > kMaxExtensionBytes) return ExtensionProblem::TooLong;
  return std::nullopt;
}

ExtensionList ExtensionList::allFiles() {
  ExtensionList list;
  list.everyFile_ = true;
  return list;
}

ExtensionList ExtensionList::parse(std::string_view stored) {
  std::vector<std::string> extensions;
  for (std::size_t slash = stored.find('/'); slash != std::string_view::npos; slash = stored.find('/')) {
    extensions.emplace_back(stored.substr(0, slash));
    stored.remove_prefix(slash + 1);
  }
  return ExtensionList(std::move(extensions));
}

ExtensionList::ExtensionList(std::vector<std::string> extensions) : extensions_(std::move(extensions)) {}

std::string ExtensionList::stored() const {
  std::string out;
  for (const std::string& extension : extensions_) out += extension + '/';
  return out;
}

const std::vector<std::string>& ExtensionList::extensions() const { return extensions_; }

bool ExtensionList::everyFile() const { return everyFile_; }

std::size_t ExtensionList::passes() const { return everyFile_ ? 1 : extensions_.size(); }

bool ExtensionList::fits(std::size_t pass, std::string_view name) const {
  if (everyFile_) return true;
  // As the pattern "*." + extension: an empty extension asks for a name without one.
  const std::string& extension = extensions_.at(pass);
  if (extension.empty()) return name.find('.') == std::string_view::npos;
  if (name.size() <= extension.size()) return false;
  const std::size_t dot = name.size() - extension.size() - 1;
  if (name[dot] != '.') return false;
  const auto folded = [](char c) { return foldLetterCaseByte(static_cast<unsigned char>(c)); };
  return std::ranges::equal(name.substr(dot + 1), extension, {}, folded, folded);
}

}  // namespace wabunko
