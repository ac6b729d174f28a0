#include "PathParts.h"

#include <algorithm>
#include <cctype>

namespace wabunko {

PathParts splitPath(std::string_view path) {
  PathParts parts;
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  parts.folder = std::string(path.substr(0, nameStart));
  parts.name = std::string(path.substr(nameStart));
  const std::size_t dot = parts.name.find('.');
  if (dot == std::string::npos) {
    parts.baseName = parts.name;
  } else {
    parts.baseName = parts.name.substr(0, dot);
    parts.extension = parts.name.substr(dot + 1);
    std::transform(parts.extension.begin(), parts.extension.end(), parts.extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  }
  return parts;
}

}  // namespace wabunko
