#include "settings/CWindowSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "platform/SettingsStore.h"
#include "platform/ColorDialog.h"
#include "settings/PageControls.h"
#include "view/CharFormat.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace wabunko {
namespace {

constexpr QSize kSwatchSize{48, 20};

QColor storedColor(const SettingsStore& store, const settings::Setting& setting) {
  return colorFromRef(static_cast<std::uint32_t>(readInt(store, setting)));
}

}  // namespace

// The controls are made in the order Tab visits them.
CWindowSettingPropertyPage::CWindowSettingPropertyPage(SettingsStore& store, std::function<void()> repaintParent,
                                                       std::function<void()> repaintChild, QWidget* parent)
    : QWidget(parent),
      store_(store),
      parentBackground_{&settings::ColorBackGroundParent, std::move(repaintParent),
                        storedColor(store, settings::ColorBackGroundParent)},
      childBackground_{&settings::ColorBackGroundChild, std::move(repaintChild),
                       storedColor(store, settings::ColorBackGroundChild)} {
  setObjectName(QStringLiteral("windowPage"));
  auto* layout = new QVBoxLayout(this);

  auto* parentGroup = new QGroupBox(QStringLiteral("親ウィンドウ"), this);
  auto* parentLayout = new QVBoxLayout(parentGroup);
  parentSingle_ = pageCheckBox("親ウィンドウの複数起動を禁止", "parentSingle",
                               readInt(store, settings::FrameParentSingle) != 0, parentGroup);
  parentLayout->addWidget(parentSingle_);
  parentLayout->addLayout(backgroundRow(parentGroup, parentBackground_, "parentColour", "changeParentColour"));
  layout->addWidget(parentGroup);

  auto* childGroup = new QGroupBox(QStringLiteral("子ウィンドウ"), this);
  auto* childLayout = new QVBoxLayout(childGroup);
  autoArrange_ = pageCheckBox("自動並べ替えを行う", "autoArrange",
                              readInt(store, settings::FrameAutoArrangeChild) != 0, childGroup);
  noIntersection_ = pageCheckBox("並べて表示時に重なりを防止", "noIntersection",
                                 readInt(store, settings::FrameNoIntersectionChild) != 0, childGroup);
  childLayout->addWidget(autoArrange_);
  childLayout->addWidget(noIntersection_);
  childLayout->addLayout(backgroundRow(childGroup, childBackground_, "childColour", "changeChildColour"));
  layout->addWidget(childGroup);
  layout->addStretch();
}

QHBoxLayout* CWindowSettingPropertyPage::backgroundRow(QWidget* group, Background& background, const char* swatchName,
                                                      const char* changeName) {
  background.swatch = new QFrame(group);
  background.swatch->setObjectName(QString::fromUtf8(swatchName));
  background.swatch->setFrameShape(QFrame::Box);
  background.swatch->setFixedSize(kSwatchSize);
  background.swatch->setAutoFillBackground(true);
  background.change = pageButton("変更", changeName, group);
  // The swatch takes no focus; the button, which does, names its row and the colour.
  QHBoxLayout* row = labelledRow("背景色 ：", background.change, group);
  row->insertWidget(1, background.swatch);
  row->addStretch();
  showColor(background);
  connect(background.change, &QPushButton::clicked, this, [this, &background] { changeColor(background); });
  return row;
}

void CWindowSettingPropertyPage::showColor(const Background& background) {
  QPalette palette = background.swatch->palette();
  palette.setColor(QPalette::Window, background.color);
  background.swatch->setPalette(palette);
  const QString name = QStringLiteral("背景色 ") + background.color.name().toUpper();
  background.swatch->setAccessibleName(name);
  background.change->setAccessibleDescription(name);
}

// Picked or kept, the colour is written and shown again: the store and the windows agree
// with the swatch whatever the dialog's answer.
void CWindowSettingPropertyPage::changeColor(Background& background) {
  if (const auto chosen = chooseColor(this, background.color, QStringLiteral("色の設定")))
    background.color = chosen->toRgb();
  showColor(background);
  writeSetting(store_, *background.setting, static_cast<int>(colorRefFromColor(background.color)));
  if (background.repaint) background.repaint();
}

bool CWindowSettingPropertyPage::autoArrangeChild() const { return autoArrange_->isChecked(); }

void CWindowSettingPropertyPage::writeSettings(SettingsStore& store) const {
  writeSetting(store, settings::FrameParentSingle, parentSingle_->isChecked() ? 1 : 0);
  writeSetting(store, settings::FrameAutoArrangeChild, autoArrangeChild() ? 1 : 0);
  writeSetting(store, settings::FrameNoIntersectionChild, noIntersection_->isChecked() ? 1 : 0);
}

}  // namespace wabunko
