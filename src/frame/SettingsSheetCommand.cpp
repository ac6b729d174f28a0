#include "frame/SettingsSheetCommand.h"

#include "app/CWabunkoApp.h"
#include "frame/AutoSave.h"
#include "frame/CMainFrame.h"
#include "frame/FrameHotKeys.h"
#include "frame/MdiArrangement.h"
#include "frame/ToolBars.h"
#include "platform/HotKeyService.h"
#include "settings/CFileSettingPropertyPage.h"
#include "settings/CHotkeySettingPropertyPage.h"
#include "settings/CSettingsSheet.h"
#include "settings/CWindowSettingPropertyPage.h"
#include "view/CWabunkoView.h"
#include "view/ViewHotKeys.h"

#include <QMdiArea>

namespace wabunko {
namespace {

// What OK changes besides the store, in the order the values were written.
void applyInEditor(CMainFrame& frame, const CSettingsSheet& sheet) {
  CWabunkoApp& app = CWabunkoApp::instance();
  frame.autoSave().stop();
  frame.autoSaveOn = sheet.filePage().autoSave() ? 1 : 0;
  if (frame.autoSaveOn) frame.autoSave().start();
  frame.showImeStatus();
  frame.arrangement().autoArrangeChild = sheet.windowPage().autoArrangeChild();
  if (frame.arrangement().autoArrangeChild) frame.arrangement().autoArrange();
  app.hotKeyService().setSystemWide(sheet.hotkeyPage().systemWide());
  const CToolSettingPropertyPage::FrameValues keyboard = sheet.toolPage().frameValues();
  frame.autoBrace = keyboard.autoBrace;
  frame.autoIndent = keyboard.autoIndent;
  frame.lineLength = keyboard.lineLength;
  if (CWabunkoView* view = frame.activeView()) view->applyFontSettings();
  if (frame.drawLineNumber) app.refreshAllGutters(true);
}

}  // namespace

void runSettingsSheetCommand(CMainFrame& frame, SettingsStore& store) {
  CWabunkoApp& app = CWabunkoApp::instance();
  frame.hotKeys().unregisterKeys();
  if (CWabunkoView* view = frame.activeView()) view->hotKeys().unregisterKeys();
  app.hotKeyService().setSuspended(true);
  {
    CSettingsSheet sheet(store,
                         {frame.toolBars(),
                          {frame.autoBrace, frame.autoIndent, frame.lineLength},
                          [&frame] { frame.mdiArea()->viewport()->update(); },
                          [&app] { app.setChildBackground(); }},
                         &frame);
    if (runSettingsSheet(sheet)) {
      sheet.writeSettings(store);
      applyInEditor(frame, sheet);
    } else {
      sheet.restoreToolBars();
    }
  }
  app.hotKeyService().setSuspended(false);
  frame.hotKeys().registerKeys();
  if (CWabunkoView* view = frame.activeView()) view->hotKeys().registerKeys();
}

}  // namespace wabunko
