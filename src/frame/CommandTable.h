#pragma once
// Every command of the editor, one row each, with what the main menus, the view's context
// menu, the toolbars and the hot-key page show of it. They all read their texts from here, so a command's label is written once. Texts are UTF-8; an empty text means
// the command has no place there.

#include "search/SearchCommands.h"

#include <span>

namespace wabunko {

namespace cmd {
// Commands the menus, bars and hot keys offer before any target handles them.
inline constexpr int FormatFont = 32789;
inline constexpr int FormatSuperscript = 32781;
inline constexpr int FormatSubscript = 32783;
inline constexpr int FormatResize = 32807;
inline constexpr int FormatIndent = 32794;
inline constexpr int JumpFirstLine = 32776;
inline constexpr int JumpLastLine = 32777;
inline constexpr int JumpToLine = 32801;
inline constexpr int SelectLine = 32806;
inline constexpr int SelectFromTop = 32797;
inline constexpr int SelectToEnd = 32796;
inline constexpr int SelectFromLineStart = 32803;
inline constexpr int SelectToLineEnd = 32793;
inline constexpr int QuotationMarkButton = 32785;
inline constexpr int InsertObject = 57856;
inline constexpr int HelpIndex = 57669;
}  // namespace cmd

struct Command {
  int id;
  const char* menuText;    // the item's text in the main menus
  const char* buttonName;  // the toolbar button's name, also its stored form
  int buttonImage;         // index into its bar's images; -1 when on no bar
  bool built;              // false: offered, but no target handles it yet
  // The command's setting in "Hot key" and its text on the hot-key page, and the key it
  // has until the user gives it another; empty where no hot key runs the command.
  const char* hotkeyName = "";
  const char* defaultKey = "";
  const char* popupText = "";  // the item's text in the view's context menu
};

// Ordered by id.
std::span<const Command> commandTable();

// The row of a command; nullptr for an id that names none.
const Command* findCommand(int id);

}  // namespace wabunko
