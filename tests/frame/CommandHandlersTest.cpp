// Every command the editor offers, checked against the running application: it has a
// row in the command table, and some target on the route handles it unless the row says
// it is not built yet.
#include "TestFiles.h"

#include "app/AppCommands.h"
#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CMainFrame.h"
#include "frame/CommandTable.h"
#include "frame/FrameCommands.h"
#include "platform/StandardCommands.h"
#include "view/ViewCommands.h"

#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <algorithm>

namespace wabunko {
namespace {

TEST(CommandHandlers, EveryMenuItemIsARowAndShowsItsText) {
  AppHarness h;
  QList<QMenu*> menus;
  for (const QAction* title : h.app().mainFrame()->menuBar()->actions()) menus << title->menu();
  while (!menus.isEmpty()) {
    for (const QAction* item : menus.takeFirst()->actions()) {
      if (item->isSeparator()) continue;
      if (item->menu()) {
        menus << item->menu();
        continue;
      }
      const Command* row = findCommand(item->data().toInt());
      ASSERT_NE(row, nullptr) << item->text().toStdString();
      EXPECT_EQ(item->text(), QString::fromUtf8(row->menuText));
    }
  }
}

TEST(CommandHandlers, EveryNamedCommandIsARow) {
  const int named[] = {
      cmd::FileSaveAll,       cmd::FileCloseAll,       cmd::ViewTextStyleBar,   cmd::ViewLineNumbers,
      cmd::WindowTopMost,     cmd::EditSignature,      cmd::ViewToolBar,        cmd::ViewStatusBar,
      cmd::WrapNone,          cmd::WrapPrintWidth,     cmd::WrapWindow,         cmd::VerticalWriting,
      cmd::ReadOnlyToggle,    cmd::InputMethodToggle,  cmd::FormatBold,         cmd::FormatItalic,
      cmd::FormatUnderline,   cmd::AlignLeft,          cmd::AlignCentre,        cmd::AlignRight,
      cmd::Reopen,            cmd::ConvertUpper,       cmd::ConvertLower,       cmd::ConvertFullWidth,
      cmd::ConvertHalfWidth,  cmd::ConvertPunctuation, cmd::ToolLineLength,     cmd::ToolTrailingBlanks,
      cmd::ToolQuotationMark, cmd::ToolClipboardPrefix, cmd::ToolSignature,     cmd::ToolAppendCopy,
      cmd::ToolAppendCut,     cmd::FileNew,            cmd::FileOpen,           cmd::FileClose,
      cmd::FileSave,          cmd::FileSaveAs,         cmd::FilePrintSetup,     cmd::FilePrint,
      cmd::FilePrintDirect,   cmd::FilePrintPreview,   cmd::FileMruFirst,       cmd::FileMruLast,
      cmd::EditClear,         cmd::EditCopy,           cmd::EditCut,            cmd::EditFind,
      cmd::EditPaste,         cmd::EditReplace,        cmd::EditSelectAll,      cmd::EditUndo,
      cmd::EditRedo,          cmd::WindowCascade,      cmd::WindowTileHorz,     cmd::WindowTileVert,
      cmd::AppAbout,          cmd::AppExit,
  };
  for (int id : named) EXPECT_NE(findCommand(id), nullptr) << id;
}

TEST(CommandHandlers, EachRowIsHandledExactlyWhenBuiltAndOnlyOncePerTarget) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("a.txt")), "text");
  ASSERT_NE(h.open(h.path(QStringLiteral("a.txt"))), nullptr);
  const std::vector<CommandTarget*> route = h.app().mainFrame()->commandRoute();
  // View, document, child frame, main frame, find and replace, find in files, arrangement,
  // application.
  ASSERT_EQ(route.size(), 8u);
  for (const Command& row : commandTable()) {
    const bool handled = std::ranges::any_of(route, [&](const CommandTarget* t) { return t->handlesCommand(row.id); });
    EXPECT_EQ(handled, row.built) << row.id;
  }
  for (const CommandTarget* target : route) EXPECT_TRUE(target->duplicateRegistrations().isEmpty());
}

}  // namespace
}  // namespace wabunko
