#include "settings/CFileSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "platform/SettingsStore.h"
#include "search/CFolderSelectDlg.h"
#include "settings/PageControls.h"
#include "settings/SettingsPageValues.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace wabunko {

// The controls are made in the order Tab visits them.
CFileSettingPropertyPage::CFileSettingPropertyPage(const SettingsStore& store, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("filePage"));
  backUp_ = pageCheckBox("バックアップを行う", "backUp", readInt(store, settings::FileDoBackUp) != 0, this);
  directory_ = new QLineEdit(readString(store, settings::FileBackUpDirectory), this);
  directory_->setObjectName(QStringLiteral("backUpDirectory"));
  QPushButton* change = pageButton("変更", "changeDirectory", this);
  autoSave_ = pageCheckBox("自動保存を行う", "autoSave", readInt(store, settings::FileDoAutoSave) != 0, this);
  minutes_ = pageSpinBox(settings::FileTimeSpanForAutoSave, readInt(store, settings::FileTimeSpanForAutoSave),
                         "autoSaveMinutes", this);
  readOnly_ = pageCheckBox("書込み禁止属性のファイルは読み出し専用で開く", "readOnly",
                           readInt(store, settings::FileReadOnly) != 0, this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(backUp_);
  QHBoxLayout* directoryRow = labelledRow("ディレクトリ ：", directory_, this);
  directoryRow->addWidget(change);
  layout->addLayout(directoryRow);
  layout->addWidget(autoSave_);
  QHBoxLayout* minutesRow = labelledRow("間隔 ：", minutes_, this, "分");
  minutesRow->addStretch();
  layout->addLayout(minutesRow);
  layout->addWidget(readOnly_);
  layout->addStretch();

  connect(change, &QPushButton::clicked, this, [this] { chooseDirectory(); });
}

void CFileSettingPropertyPage::writeSettings(SettingsStore& store) const {
  writeSetting(store, settings::FileDoBackUp, backUp_->isChecked() ? 1 : 0);
  writeSetting(store, settings::FileBackUpDirectory,
               QString::fromStdString(storedBackUpDirectory(directory_->text().toStdString())));
  writeSetting(store, settings::FileDoAutoSave, autoSave() ? 1 : 0);
  writeSetting(store, settings::FileTimeSpanForAutoSave, minutes_->value());
  writeSetting(store, settings::FileReadOnly, readOnly_->isChecked() ? 1 : 0);
}

bool CFileSettingPropertyPage::autoSave() const { return autoSave_->isChecked(); }

void CFileSettingPropertyPage::chooseDirectory() {
  // No folder yet means the file's own, which varies; the user's home is where to begin.
  const QString current = directory_->text();
  if (const auto chosen = runFolderDialog(this, current.isEmpty() ? QDir::homePath() : current))
    directory_->setText(*chosen);
}

}  // namespace wabunko
