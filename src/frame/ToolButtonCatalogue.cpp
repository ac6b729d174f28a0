#include "ToolButtonCatalogue.h"

#include "app/AppCommands.h"
#include "frame/CommandTable.h"
#include "platform/StandardCommands.h"
#include "view/ViewCommands.h"

#include <algorithm>
#include <array>

namespace wabunko {
namespace {

constexpr ToolButton kSeparator{"区切り", 0, -1, true};

// A button's name and image come from its command's row; the bar decides where it stands
// and whether it starts enabled.
struct Slot {
  int command;
  bool initiallyEnabled;
};

constexpr Slot kFileSlots[] = {
    {cmd::FileNew, true},          {cmd::FileOpen, true},         {cmd::FileSave, true},
    {cmd::FilePrint, true},        {cmd::FilePrintPreview, true}, {cmd::EditCut, true},
    {cmd::EditCopy, true},         {cmd::EditPaste, true},        {cmd::EditUndo, true},
    {cmd::HelpIndex, true},        {cmd::FileSaveAll, true},      {cmd::FindText, true},
    {cmd::FindNext, true},         {cmd::ReplaceText, true},      {cmd::FileClose, true},
    {cmd::FileCloseAll, true},     {cmd::FileSaveAs, true},       {cmd::EditClear, true},
    {cmd::EditSelectAll, true},    {cmd::WindowTileHorz, true},   {cmd::WindowTileVert, true},
    {cmd::WindowCascade, true},    {cmd::InputMethodToggle, true}, {cmd::SelectLine, false},
    {cmd::SelectFromTop, false},   {cmd::SelectToEnd, false},     {cmd::SelectFromLineStart, false},
    {cmd::SelectToLineEnd, false}, {cmd::QuotationMarkButton, false}, {cmd::ToolSignature, false},
};

constexpr Slot kTextStyleSlots[] = {
    {cmd::FormatFont, true}, {cmd::FormatSuperscript, true}, {cmd::FormatSubscript, true},
    {cmd::FormatResize, true}, {cmd::AlignLeft, true},       {cmd::AlignCentre, true},
    {cmd::AlignRight, true},  {cmd::FormatBold, true},       {cmd::FormatItalic, true},
    {cmd::FormatUnderline, true},
};

std::vector<ToolButton> buildCatalogue(std::span<const Slot> slots) {
  std::vector<ToolButton> buttons{kSeparator};
  for (const Slot& slot : slots) {
    const Command& command = *findCommand(slot.command);
    buttons.push_back({command.buttonName, command.id, command.buttonImage, slot.initiallyEnabled});
  }
  return buttons;
}

constexpr std::array kFileDefaults{1, 2, 3, 0, 4, 5, 0, 6, 7, 8, 9, 0, 10};
constexpr std::array kTextStyleDefaults{1, 0, 2, 3, 4, 0, 5, 6, 7, 0, 8, 9, 10};

}  // namespace

std::span<const ToolButton> buttonCatalogue(Bar bar) {
  static const std::vector<ToolButton> file = buildCatalogue(kFileSlots);
  static const std::vector<ToolButton> textStyle = buildCatalogue(kTextStyleSlots);
  if (bar == Bar::File) return file;
  return textStyle;
}

int lookupButtonIndex(Bar bar, std::string_view name) {
  const auto catalogue = buttonCatalogue(bar);
  const auto it = std::find_if(catalogue.begin(), catalogue.end(),
                               [name](const ToolButton& b) { return name == b.name; });
  return it == catalogue.end() ? 0 : static_cast<int>(it - catalogue.begin());
}

std::span<const int> defaultButtons(Bar bar) {
  if (bar == Bar::File) return kFileDefaults;
  return kTextStyleDefaults;
}

bool usesDefaultButtons(int storedCount) { return storedCount < 0 || storedCount > kMaxStoredButtons; }

std::vector<int> parseButtonList(Bar bar, std::string_view items, int count) {
  std::vector<int> buttons;
  while (static_cast<int>(buttons.size()) < count) {
    const std::size_t slash = items.find('/');
    if (slash == std::string_view::npos) break;
    buttons.push_back(lookupButtonIndex(bar, items.substr(0, slash)));
    items.remove_prefix(slash + 1);
  }
  return buttons;
}

std::string formatButtonList(Bar bar, std::span<const int> buttons) {
  const auto catalogue = buttonCatalogue(bar);
  std::string items;
  for (int number : buttons) items.append(catalogue[static_cast<std::size_t>(number)].name).push_back('/');
  return items;
}

}  // namespace wabunko
