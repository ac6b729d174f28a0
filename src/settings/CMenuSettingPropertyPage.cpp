#include "settings/CMenuSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "platform/SettingsStore.h"
#include "settings/PageControls.h"

#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace wabunko {

// 0 lists no files; the list keeps no more than its sixteen menu commands.
CMenuSettingPropertyPage::CMenuSettingPropertyPage(const SettingsStore& store, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("menuPage"));
  count_ = pageSpinBox(settings::MenuNumberOfMruList, readInt(store, settings::MenuNumberOfMruList), "mruCount", this);
  auto* layout = new QVBoxLayout(this);
  QHBoxLayout* row = labelledRow("最近編集したファイルの表示数 ： ", count_, this);
  row->addStretch();
  layout->addLayout(row);
  layout->addStretch();
}

void CMenuSettingPropertyPage::writeSettings(SettingsStore& store) const {
  writeSetting(store, settings::MenuNumberOfMruList, count_->value());
}

}  // namespace wabunko
