#include "settings/CSettingsSheet.h"

#include "platform/Dialogs.h"
#include "settings/CFileSettingPropertyPage.h"
#include "settings/CFormatSettingPropertyPage.h"
#include "settings/CHotkeySettingPropertyPage.h"
#include "settings/CImeSettingPropertyPage.h"
#include "settings/CMenuSettingPropertyPage.h"
#include "settings/CToolbarSettingPropertyPage.h"
#include "settings/CWindowSettingPropertyPage.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace wabunko {
namespace {

SettingsSheetHook& settingsSheetHook() {
  static SettingsSheetHook hook;
  return hook;
}

// The page the sheet showed when it last closed, while the editor runs.
int lastPage = 0;

}  // namespace

CSettingsSheet::CSettingsSheet(SettingsStore& store, const Frame& frame, QWidget* parent)
    : QDialog(parent),
      tabs_(new QTabWidget(this)),
      file_(new CFileSettingPropertyPage(store, tabs_)),
      format_(new CFormatSettingPropertyPage(store, tabs_)),
      ime_(new CImeSettingPropertyPage(store, tabs_)),
      toolbar_(new CToolbarSettingPropertyPage(store, frame.bars, tabs_)),
      window_(new CWindowSettingPropertyPage(store, frame.repaintParent, frame.repaintChild, tabs_)),
      hotkey_(new CHotkeySettingPropertyPage(store, tabs_)),
      menu_(new CMenuSettingPropertyPage(store, tabs_)),
      tool_(new CToolSettingPropertyPage(store, frame.keyboard, tabs_)) {
  setWindowTitle(QStringLiteral("詳細設定"));
  setObjectName(QStringLiteral("settingsSheet"));
  const std::pair<QWidget*, const char*> pages[] = {
      {file_, "ファイル"},     {format_, "書式"},       {ime_, "IMEの設定"}, {toolbar_, "ツールバー"},
      {window_, "ウィンドウ"}, {hotkey_, "ホットキー"}, {menu_, "メニュー"}, {tool_, "ツール"},
  };
  for (const auto& [page, title] : pages) tabs_->addTab(page, QString::fromUtf8(title));
  tabs_->setCurrentIndex(lastPage);
  connect(tabs_, &QTabWidget::currentChanged, this, [](int index) { lastPage = index; });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(okCancelButtons(this));
}

CSettingsSheet::~CSettingsSheet() = default;

void CSettingsSheet::writeSettings(SettingsStore& store) const {
  file_->writeSettings(store);
  format_->writeSettings(store);
  ime_->writeSettings(store);
  if (toolbar_->changed()) toolbar_->writeSettings(store);
  window_->writeSettings(store);
  menu_->writeSettings(store);
  hotkey_->writeSettings(store);
  tool_->writeSettings(store);
}

void CSettingsSheet::restoreToolBars() { toolbar_->cancel(); }

bool runSettingsSheet(CSettingsSheet& sheet) { return execOrHook(sheet, settingsSheetHook()); }

void setSettingsSheetHook(SettingsSheetHook hook) { settingsSheetHook() = std::move(hook); }

}  // namespace wabunko
