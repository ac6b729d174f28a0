#include "settings/CToolSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "platform/SettingsStore.h"
#include "settings/PageControls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace wabunko {

// The controls are made in the order Tab visits them.
CToolSettingPropertyPage::CToolSettingPropertyPage(const SettingsStore& store, FrameValues frame, QWidget* parent)
    : QWidget(parent) {
  setObjectName(QStringLiteral("toolPage"));
  autoBrace_ =
      pageCheckBox("自動で閉じ括弧を挿入する（全角文字未対応）", "autoBrace", frame.autoBrace != 0, this);
  autoIndent_ =
      pageCheckBox("オートインデント（自動頭下げ）を行う", "autoIndent", frame.autoIndent != 0, this);
  lineLength_ = pageSpinBox(settings::CommandLineLength, frame.lineLength, "lineLength", this);
  convertOnlySelected_ = pageCheckBox("変換時には選択範囲のみ変換", "convertOnlySelected",
                                      readInt(store, settings::CommandConvertOnlySelected) != 0, this);
  quotationMark_ = new QLineEdit(readString(store, settings::CommandQuotationMark), this);
  quotationMark_->setObjectName(QStringLiteral("quotationMark"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(autoBrace_);
  layout->addWidget(autoIndent_);
  QHBoxLayout* lineLengthRow =
      labelledRow("行長コマンド実行時に", lineLength_, this, "文字ごとに改行を挿入");
  lineLengthRow->addStretch();
  layout->addLayout(lineLengthRow);
  layout->addWidget(convertOnlySelected_);
  QHBoxLayout* quotationRow = labelledRow("引用記号 ： ", quotationMark_, this);
  quotationRow->addStretch();
  layout->addLayout(quotationRow);
  layout->addStretch();
}

CToolSettingPropertyPage::FrameValues CToolSettingPropertyPage::frameValues() const {
  return {.autoBrace = autoBrace_->isChecked() ? 1 : 0,
          .autoIndent = autoIndent_->isChecked() ? 1 : 0,
          .lineLength = lineLength_->value()};
}

void CToolSettingPropertyPage::writeSettings(SettingsStore& store) const {
  const FrameValues frame = frameValues();
  writeSetting(store, settings::KeyInputAutoBrace, frame.autoBrace);
  writeSetting(store, settings::KeyInputAutoIndent, frame.autoIndent);
  writeSetting(store, settings::CommandLineLength, frame.lineLength);
  writeSetting(store, settings::CommandConvertOnlySelected, convertOnlySelected_->isChecked() ? 1 : 0);
  writeSetting(store, settings::CommandQuotationMark, quotationMark_->text());
}

}  // namespace wabunko
