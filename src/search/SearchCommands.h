#pragma once
// The find and replace commands: the main frame's, and those the find dialog posts.

namespace wabunko::cmd {

inline constexpr int FindText = 32810;
inline constexpr int FindNext = 32811;
inline constexpr int ReplaceText = 32812;
inline constexpr int FindUpward = 32815;
inline constexpr int FindInFiles = 32824;
inline constexpr int ReplaceNext = 4001;
inline constexpr int ReplaceAll = 2311;
inline constexpr int CountMatches = 0x411;  // WM_USER + 17

}  // namespace wabunko::cmd
