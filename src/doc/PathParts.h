#pragma once
// The parts of a file path the document's load and save work with. The separator is '/'
// (a backslash is an ordinary character of a name here); the folder keeps its final '/'.

#include <string>
#include <string_view>

namespace wabunko {

struct PathParts {
  std::string name;       // after the last separator
  std::string extension;  // after the name's first dot, ASCII upper case; empty without a dot
  std::string baseName;   // the name without the dot and extension
  std::string folder;     // everything before the name, final separator included
};

PathParts splitPath(std::string_view path);

}  // namespace wabunko
