#pragma once
// "詳細(&O)": the settings sheet, and what its OK changes in the running editor besides the
// store: the auto-save timer, the input method's button, the arrangement of the child
// windows, the keyboard aids and line length, hot keys for the whole desktop or not, and
// the active view's fonts and composition colours. The hot keys rest while the sheet is
// open, so the hot-key page receives the keys pressed on it.

namespace wabunko {

class CMainFrame;
class SettingsStore;

void runSettingsSheetCommand(CMainFrame& frame, SettingsStore& store);

}  // namespace wabunko
