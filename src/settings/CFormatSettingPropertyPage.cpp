#include "settings/CFormatSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/FontDialog.h"
#include "platform/SettingsStore.h"
#include "platform/ColorDialog.h"
#include "settings/PageControls.h"
#include "settings/SampleText.h"
#include "view/CharFormat.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>
#include <optional>

namespace wabunko {
namespace {

// The categories in the order of settings::kFontSections.
constexpr const char* kCategoryLabels[] = {"標準のフォント", "編集不可の文書", "行番号"};
static_assert(std::size(kCategoryLabels) == settings::kFontSections.size());

constexpr int kBold = 700;
constexpr int kNormal = 400;

QTextCharFormat sampleFormat(const FontRecord& record) {
  QTextCharFormat format = charFormatFromFont(record.font);
  format.setForeground(colorFromRef(record.color));
  return format;
}

FontChoice fontChoice(const FontRecord& record) {
  const LogFont& f = record.font;
  return {QString::fromStdString(f.faceName),
          f.height * 10,
          f.weight == kBold ? kBold : kNormal,
          f.italic != 0,
          f.underline != 0,
          f.strikeOut != 0,
          colorFromRef(record.color)};
}

// The record takes what the font dialog can choose and keeps its other fields. A weight
// between the two the record knows, such as semi-bold, counts as normal, and the size
// drops its tenths. The face is kept whole: installed faces often have longer names than
// the 31 bytes of a logical font, and a cut name matches no face.
void takeChoice(FontRecord& record, const FontChoice& chosen) {
  LogFont& f = record.font;
  f.faceName = chosen.family.toStdString();
  f.height = chosen.pointTenths / 10;
  f.weight = chosen.weight == kBold ? kBold : kNormal;
  f.italic = chosen.italic ? 1 : 0;
  f.underline = chosen.underline ? 1 : 0;
  f.strikeOut = chosen.strikeOut ? 1 : 0;
  record.color = colorRefFromColor(chosen.color);
}

QLineEdit* shownValue(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  edit->setReadOnly(true);
  return edit;
}

}  // namespace

CFormatSettingPropertyPage::CFormatSettingPropertyPage(const SettingsStore& store, QWidget* parent)
    : QWidget(parent) {
  for (std::size_t i = 0; i < records_.size(); ++i)
    records_[i] = readFont(store, QString::fromUtf8(settings::kFontSections[i]));
  buildControls();
  showCategory();
}

// The controls are made in the order Tab visits them.
void CFormatSettingPropertyPage::buildControls() {
  setObjectName(QStringLiteral("formatPage"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;

  const auto addRow = [this, grid](int row, const char* text, QWidget* field) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
  };
  category_ = new QComboBox(this);
  category_->setObjectName(QStringLiteral("category"));
  for (const char* label : kCategoryLabels) category_->addItem(QString::fromUtf8(label));
  addRow(0, "分類", category_);
  faceName_ = shownValue("faceName", this);
  addRow(1, "フォント", faceName_);
  pointSize_ = shownValue("pointSize", this);
  addRow(2, "サイズ", pointSize_);
  changeFont_ = pageButton("変更", "changeFont", this);
  grid->addWidget(changeFont_, 2, 2);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);

  auto* sampleBox = new QGroupBox(QStringLiteral("サンプル"), this);
  auto* sampleLayout = new QVBoxLayout(sampleBox);
  sample_ = new SampleText(QStringLiteral("Wabエディター"), sampleBox);
  sample_->setObjectName(QStringLiteral("fontSample"));
  sampleLayout->addWidget(sample_);
  layout->addWidget(sampleBox);
  layout->addStretch();

  connect(category_, &QComboBox::currentIndexChanged, this, [this] { showCategory(); });
  connect(changeFont_, &QPushButton::clicked, this, [this] { chooseFont(); });
}

void CFormatSettingPropertyPage::writeSettings(SettingsStore& store) const {
  for (std::size_t i = 0; i < records_.size(); ++i)
    writeFont(store, QString::fromUtf8(settings::kFontSections[i]), records_[i]);
}

FontRecord& CFormatSettingPropertyPage::shown() {
  return records_.at(static_cast<std::size_t>(category_->currentIndex()));
}

void CFormatSettingPropertyPage::showCategory() {
  const FontRecord& record = shown();
  faceName_->setText(QString::fromStdString(record.font.faceName));
  pointSize_->setText(QString::number(record.font.height));
  sample_->showFormat(sampleFormat(record));
}

void CFormatSettingPropertyPage::chooseFont() {
  const std::optional<FontChoice> chosen = runFontDialog(this, fontChoice(shown()));
  if (!chosen) return;
  takeChoice(shown(), *chosen);
  showCategory();
}

}  // namespace wabunko
