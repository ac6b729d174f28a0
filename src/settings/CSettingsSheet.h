#pragma once
// "詳細設定": the eight settings pages in one dialog, in the order "ファイル", "書式",
// "IMEの設定", "ツールバー", "ウィンドウ", "ホットキー", "メニュー", "ツール". Each page holds
// its edits until OK writes them all; the toolbar page edits the live bars, which Cancel
// builds again from the store. It opens on the page last used since the editor started.

#include "settings/CToolSettingPropertyPage.h"

#include <QDialog>
#include <functional>

class QTabWidget;

namespace wabunko {

class CFileSettingPropertyPage;
class CFormatSettingPropertyPage;
class CHotkeySettingPropertyPage;
class CImeSettingPropertyPage;
class CMenuSettingPropertyPage;
class CToolbarSettingPropertyPage;
class CWindowSettingPropertyPage;
class SettingsStore;
class ToolBars;

class CSettingsSheet : public QDialog {
  Q_OBJECT
public:
  struct Frame {
    ToolBars& bars;
    CToolSettingPropertyPage::FrameValues keyboard;
    // The window page's colours take effect the moment they are chosen.
    std::function<void()> repaintParent;
    std::function<void()> repaintChild;
  };
  CSettingsSheet(SettingsStore& store, const Frame& frame, QWidget* parent = nullptr);
  ~CSettingsSheet() override;

  // Every page's values, page by page in this order: file, fonts, composition colours,
  // toolbars (only when the page changed them), window, recent files, hot keys, key input
  // and command.
  void writeSettings(SettingsStore& store) const;
  // The toolbars as the store has them again.
  void restoreToolBars();

  QTabWidget* pages() const { return tabs_; }
  const CFileSettingPropertyPage& filePage() const { return *file_; }
  const CWindowSettingPropertyPage& windowPage() const { return *window_; }
  const CHotkeySettingPropertyPage& hotkeyPage() const { return *hotkey_; }
  const CToolSettingPropertyPage& toolPage() const { return *tool_; }

private:
  QTabWidget* tabs_;
  CFileSettingPropertyPage* file_;
  CFormatSettingPropertyPage* format_;
  CImeSettingPropertyPage* ime_;
  CToolbarSettingPropertyPage* toolbar_;
  CWindowSettingPropertyPage* window_;
  CHotkeySettingPropertyPage* hotkey_;
  CMenuSettingPropertyPage* menu_;
  CToolSettingPropertyPage* tool_;
};

// Runs the sheet, or lets a test's hook drive it; whether it was accepted.
using SettingsSheetHook = std::function<bool(CSettingsSheet&)>;
bool runSettingsSheet(CSettingsSheet& sheet);
void setSettingsSheetHook(SettingsSheetHook hook);

}  // namespace wabunko
