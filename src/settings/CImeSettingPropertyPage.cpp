#include "settings/CImeSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "platform/CompositionFormat.h"
#include "platform/EditControl.h"
#include "platform/SettingsStore.h"
#include "platform/ColorDialog.h"
#include "settings/PageControls.h"
#include "settings/SampleText.h"
#include "view/CharFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <iterator>
#include <optional>

namespace wabunko {
namespace {

// The composition states in the order of the colour sets.
constexpr const char* kStateLabels[] = {"変換前", "変換中", "変換待ち", "区切り位置変更"};
static_assert(std::size(kStateLabels) == settings::kImeColorSetCount);

constexpr qreal kSamplePoints = 9;

// The sample's own text, over which a composition's style is laid as over the text at
// the caret.
QTextCharFormat sampleTextFormat() {
  QTextCharFormat format;
  format.setFontFamilies({QStringLiteral("ＭＳ ゴシック")});
  format.setFontPointSize(kSamplePoints);
  return format;
}

}  // namespace

CImeSettingPropertyPage::CImeSettingPropertyPage(const SettingsStore& store, QWidget* parent)
    : QWidget(parent) {
  for (std::size_t i = 0; i < sets_.size(); ++i)
    sets_[i] = {static_cast<std::uint32_t>(readInt(store, settings::imeText(i))),
                static_cast<std::uint32_t>(readInt(store, settings::imeBackground(i))),
                readInt(store, settings::imeEffects(i))};
  buildControls();
  autoOpen_->setChecked(readInt(store, settings::ImeAuto) != 0);
  showState();
}

// The controls are made in the order Tab visits them.
void CImeSettingPropertyPage::buildControls() {
  setObjectName(QStringLiteral("imePage"));
  auto* layout = new QVBoxLayout(this);

  state_ = new QComboBox(this);
  state_->setObjectName(QStringLiteral("state"));
  for (const char* label : kStateLabels) state_->addItem(QString::fromUtf8(label));
  QHBoxLayout* stateRow = labelledRow("状態 ： ", state_, this);
  stateRow->addStretch();
  layout->addLayout(stateRow);

  auto* colourRow = new QHBoxLayout;
  textColour_ = pageButton("文字色", "textColour", this);
  backgroundColour_ = pageButton("背景色", "backgroundColour", this);
  colourRow->addWidget(textColour_);
  colourRow->addWidget(backgroundColour_);
  colourRow->addStretch();
  layout->addLayout(colourRow);

  auto* effectRow = new QHBoxLayout;
  bold_ = pageCheckBox("ボールド", "bold", false, this);
  italic_ = pageCheckBox("イタリック", "italic", false, this);
  underline_ = pageCheckBox("下線", "underline", false, this);
  effectRow->addWidget(bold_);
  effectRow->addWidget(italic_);
  effectRow->addWidget(underline_);
  effectRow->addStretch();
  layout->addLayout(effectRow);

  auto* sampleBox = new QGroupBox(QStringLiteral("サンプル"), this);
  auto* sampleLayout = new QVBoxLayout(sampleBox);
  sample_ = new SampleText(QStringLiteral("日本語変換時の文字色"), sampleBox);
  sample_->setObjectName(QStringLiteral("imeSample"));
  sampleLayout->addWidget(sample_);
  layout->addWidget(sampleBox);

  autoOpen_ = pageCheckBox("起動時にI自動に立ち上げる", "autoOpen", false, this);
  layout->addWidget(autoOpen_);
  layout->addStretch();

  connect(state_, &QComboBox::currentIndexChanged, this, [this] { showState(); });
  connect(textColour_, &QPushButton::clicked, this,
          [this] { pickColor(&ColorSet::text, textColour_->text()); });
  connect(backgroundColour_, &QPushButton::clicked, this,
          [this] { pickColor(&ColorSet::background, backgroundColour_->text()); });
  connect(bold_, &QCheckBox::toggled, this, [this](bool on) { setEffect(kCompositionBold, on); });
  connect(italic_, &QCheckBox::toggled, this, [this](bool on) { setEffect(kCompositionItalic, on); });
  connect(underline_, &QCheckBox::toggled, this, [this](bool on) { setEffect(kCompositionUnderline, on); });
}

void CImeSettingPropertyPage::writeSettings(SettingsStore& store) const {
  for (std::size_t i = 0; i < sets_.size(); ++i) {
    writeSetting(store, settings::imeText(i), static_cast<int>(sets_[i].text));
    writeSetting(store, settings::imeBackground(i), static_cast<int>(sets_[i].background));
    writeSetting(store, settings::imeEffects(i), sets_[i].effects);
  }
  writeSetting(store, settings::ImeAuto, autoOpen_->isChecked() ? 1 : 0);
}

CImeSettingPropertyPage::ColorSet& CImeSettingPropertyPage::shown() {
  return sets_.at(static_cast<std::size_t>(state_->currentIndex()));
}

void CImeSettingPropertyPage::showState() {
  const int effects = shown().effects;
  const std::pair<QCheckBox*, int> boxes[] = {
      {bold_, kCompositionBold}, {italic_, kCompositionItalic}, {underline_, kCompositionUnderline}};
  for (const auto& [box, bit] : boxes) {
    const QSignalBlocker blocker(box);
    box->setChecked(effects & bit);
  }
  showSample();
}

void CImeSettingPropertyPage::showSample() {
  const ColorSet& set = shown();
  const EditControl::CompositionStyle style{colorFromRef(set.text), colorFromRef(set.background), set.effects};
  QTextCharFormat format = sampleTextFormat();
  format.merge(compositionCharFormat(style));
  sample_->showFormat(format, style.background);
}

void CImeSettingPropertyPage::setEffect(int bit, bool on) {
  int& effects = shown().effects;
  effects = on ? effects | bit : effects & ~bit;
  showSample();
}

void CImeSettingPropertyPage::pickColor(std::uint32_t ColorSet::*which, const QString& caption) {
  std::uint32_t& colour = shown().*which;
  const std::optional<QColor> chosen = chooseColor(this, colorFromRef(colour), caption);
  if (!chosen) return;
  colour = colorRefFromColor(*chosen);
  showSample();
}

}  // namespace wabunko
