#pragma once
// The system commands the window hot keys run on the main window or a document window.

namespace wabunko::syscmd {

inline constexpr int Maximize = 0xF030;
inline constexpr int Minimize = 0xF020;
inline constexpr int Restore = 0xF120;
inline constexpr int Close = 0xF060;

}  // namespace wabunko::syscmd
