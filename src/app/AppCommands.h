#pragma once
// Command ids the application object handles besides the framework's own.

namespace wabunko::cmd {

inline constexpr int FileSaveAll = 32782;
inline constexpr int FileCloseAll = 32800;

}  // namespace wabunko::cmd
