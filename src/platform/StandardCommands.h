#pragma once
// Command ids of the framework's own commands (file, edit, window, application).

namespace wabunko::cmd {

inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintDirect = 57608;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FileMruFirst = 57616;  // the recent files, 57616 to 57631
inline constexpr int FileMruLast = 57631;
inline constexpr int EditClear = 57632;
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditFind = 57636;
inline constexpr int EditPaste = 57637;
inline constexpr int EditReplace = 57641;
inline constexpr int EditSelectAll = 57642;
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTileHorz = 57651;
inline constexpr int WindowTileVert = 57652;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;

}  // namespace wabunko::cmd
