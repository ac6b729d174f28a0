#pragma once
// "30 21 41": byte strings compare readably in failure messages.

#include <cstdio>
#include <string>
#include <string_view>

namespace wabunko {

inline std::string hex(std::string_view bytes) {
  std::string out;
  for (const unsigned char c : bytes) {
    char cell[4];
    std::snprintf(cell, sizeof cell, out.empty() ? "%02X" : " %02X", c);
    out += cell;
  }
  return out;
}

}  // namespace wabunko
