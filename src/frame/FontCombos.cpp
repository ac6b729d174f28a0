#include "frame/FontCombos.h"

#include "frame/FontLists.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "view/CWabunkoView.h"
#include "view/FormatCommands.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QToolBar>

#include <vector>

namespace wabunko {
namespace {

// The writing systems that stand for the usual character sets, with our names for them.
struct Script {
  QFontDatabase::WritingSystem system;
  const char* name;
};
constexpr Script kScripts[] = {
    {QFontDatabase::Latin, "欧文"},
    {QFontDatabase::Greek, "ギリシャ語"},
    {QFontDatabase::Cyrillic, "キリル"},
    {QFontDatabase::Hebrew, "ヘブライ語"},
    {QFontDatabase::Arabic, "アラビア語"},
    {QFontDatabase::Thai, "タイ語"},
    {QFontDatabase::Vietnamese, "ベトナム語"},
    {QFontDatabase::Japanese, "日本語"},
    {QFontDatabase::Korean, "ハングル"},
    {QFontDatabase::SimplifiedChinese, "簡体中国語"},
    {QFontDatabase::TraditionalChinese, "繁体中国語"},
    {QFontDatabase::Symbol, "シンボル"},
};

// Fonts of fixed sizes have no place in a list of faces text can be set in at any size.
std::vector<FaceInScript> installedFaces() {
  std::vector<FaceInScript> faces;
  for (const Script& script : kScripts)
    for (const QString& family : QFontDatabase::families(script.system))
      if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
        faces.push_back({family.toStdString(), script.name});
  return faces;
}

std::vector<FontSizeItem> sizesOf(const QString& face) {
  const QString installed = QFontInfo(QFont(face)).family();
  if (QFontDatabase::isScalable(installed)) return fixedSizeItems();
  std::vector<int> twips;
  for (int points : QFontDatabase::pointSizes(installed)) twips.push_back(points * 20);
  return ownSizeItems(twips);
}

}  // namespace

FontBox::FontBox(const QString& name, int width, QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);  // typing chooses; it does not add to the list
  setAccessibleName(name);
  setToolTip(name);
  setFixedWidth(width);
  // Measuring every face's name for the width would cost a lot with many fonts.
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (!leaving_) Q_EMIT chosen(itemText(index));
  });
}

void FontBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    Q_EMIT chosen(currentText());
    return;
  }
  if (event->key() == Qt::Key_Escape && !view()->isVisible()) {
    event->accept();
    Q_EMIT abandoned();
    return;
  }
  QComboBox::keyPressEvent(event);
}

void FontBox::focusOutEvent(QFocusEvent* event) {
  // The box takes text matching an item as picked when the focus leaves it.
  leaving_ = true;
  QComboBox::focusOutEvent(event);
  leaving_ = false;
}

CFontNameCombo::CFontNameCombo(QWidget* parent) : FontBox(tr("フォント名"), 200, parent) {
  setObjectName(QStringLiteral("fontNameCombo"));
  for (const FontNameItem& item : fontNameItems(installedFaces()))
    addItem(QString::fromStdString(item.text), QString::fromStdString(item.face));
}

int CFontNameCombo::itemFor(const QString& text) const {
  const int index = findText(text, Qt::MatchFixedString);
  return index >= 0 ? index : findData(text, Qt::UserRole, Qt::MatchFixedString);
}

void CFontNameCombo::showFace(const QString& face) {
  // Matched by the whole face: a face that begins another's name ("Noto Sans", "Noto Sans
  // Mono") must not show as that other one.
  const int index = findData(face, Qt::UserRole, Qt::MatchFixedString);
  setCurrentIndex(index);
  if (index < 0) setEditText(face);
}

CFontSizeCombo::CFontSizeCombo(const QString& face, QWidget* parent) : FontBox(tr("フォントサイズ"), 60, parent) {
  setObjectName(QStringLiteral("fontSizeCombo"));
  setCompleter(nullptr);  // "1" must stay 1 point, not complete to 10
  for (const FontSizeItem& item : sizesOf(face)) addItem(QString::fromStdString(item.text));
}

void CFontSizeCombo::showSize(int twips) {
  const QString text = QString::fromStdString(sizeText(twips));
  const int index = findText(text);
  setCurrentIndex(index);
  if (index < 0) setEditText(text);
}

FontCombos::FontCombos(QToolBar* bar, SettingsStore& store, std::function<CWabunkoView*()> activeView,
                       QObject* parent)
    : QObject(parent),
      activeView_(std::move(activeView)),
      name_(new CFontNameCombo(bar)),
      size_(new CFontSizeCombo(readString(store, settings::ConfigFontName), bar)) {
  bar->addWidget(name_);
  bar->addWidget(size_);
  connect(name_, &FontBox::chosen, this, &FontCombos::onFaceChosen);
  connect(size_, &FontBox::chosen, this, &FontCombos::onSizeChosen);
  for (FontBox* box : std::initializer_list<FontBox*>{name_, size_})
    connect(box, &FontBox::abandoned, this, &FontCombos::backToText);
}

void FontCombos::showFormatOfCaret(const QString& face, int heightTwips) {
  if (face != shownFace_) name_->showFace(face);
  if (heightTwips != shownHeight_) size_->showSize(heightTwips);
  shownFace_ = face;
  shownHeight_ = heightTwips;
}

void FontCombos::onFaceChosen(const QString& text) {
  CWabunkoView* view = activeView_ ? activeView_() : nullptr;
  if (!view) return;
  const int index = name_->itemFor(text.trimmed());
  if (index < 0) {
    refuse();
    return;
  }
  const QString face = name_->itemData(index).toString();
  name_->setCurrentIndex(index);
  shownFace_ = face;
  view->format().applyFace(face);
  view->setFocus();
}

void FontCombos::onSizeChosen(const QString& text) {
  CWabunkoView* view = activeView_ ? activeView_() : nullptr;
  if (!view) return;
  // Digits typed in full width ("１０．５") read as they look.
  const std::optional<int> twips = parseSizeTwips(text.normalized(QString::NormalizationForm_KC).toStdString());
  if (!twips) {
    refuse();
    return;
  }
  size_->showSize(*twips);
  shownHeight_ = *twips;
  view->format().applyHeight(*twips);
  view->setFocus();
}

void FontCombos::refuse() {
  QApplication::beep();
  showShown();
}

void FontCombos::showShown() {
  if (shownFace_) name_->showFace(*shownFace_);
  if (shownHeight_) size_->showSize(*shownHeight_);
}

void FontCombos::backToText() {
  showShown();
  if (CWabunkoView* view = activeView_ ? activeView_() : nullptr) view->setFocus();
}

}  // namespace wabunko
