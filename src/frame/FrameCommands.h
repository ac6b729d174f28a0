#pragma once
// Command ids the main frame handles.

namespace wabunko::cmd {

inline constexpr int ViewTextStyleBar = 32798;
inline constexpr int ViewLineNumbers = 32813;
inline constexpr int WindowTopMost = 32788;
inline constexpr int EditSignature = 32805;
inline constexpr int SettingsSheet = 32808;
inline constexpr int FavouriteAdd = 40001;        // "追加"; favourite k opens with FavouriteAdd + k
inline constexpr int FavouriteOrganise = 32830;   // "整理"
inline constexpr int ViewToolBar = 59392;    // also the file toolbar's id
inline constexpr int ViewStatusBar = 59393;  // also the status bar's id

}  // namespace wabunko::cmd
