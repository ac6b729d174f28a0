#include "settings/CHotkeySettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "platform/VirtualKeys.h"
#include "settings/PageDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace wabunko {
namespace {

using enum HotkeyCategory;

constexpr HotkeyCategory kCategories[] = {FileOperation, DocumentEditing, CursorMovement, Window};
constexpr int kColumnWidth = 150;
constexpr int kNameColumn = 0;
constexpr int kKeyColumn = 1;
constexpr int kVirtualKeyShift = 0x10;

HotkeyAssignments::KeyTexts readKeyTexts(const SettingsStore& store) {
  HotkeyAssignments::KeyTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i)
    texts[i] = readString(store, settings::hotKeySetting(i)).toStdString();
  return texts;
}

// The Windows virtual-key code of the key an event reports, 0 for a key without one. The
// keypad's keys and their twins elsewhere share a Qt key and differ in the keypad flag.
int virtualKeyOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Shift: return kVirtualKeyShift;
    case Qt::Key_Control: return kVirtualKeyControl;
    case Qt::Key_Alt: return kVirtualKeyAlt;
    default: break;
  }
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  int twin = 0;
  for (int vk = 1; vk <= 0xFE; ++vk) {
    const std::optional<PlatformKey> key = platformKey(vk);
    if (!key || key->qtKey != event.key()) continue;
    if (key->keypad == keypad) return vk;
    if (twin == 0) twin = vk;
  }
  return twin;
}

HeldModifiers heldModifiers(const QKeyEvent& event) {
  return {.control = event.modifiers().testFlag(Qt::ControlModifier),
          .alt = event.modifiers().testFlag(Qt::AltModifier)};
}

// Ctrl or Alt with a letter: the keys the page assigns, which nothing else may take from
// the list while it has the focus, neither the dialogs' mnemonics and the menu bar nor the
// list's own select-all and type-ahead search.
bool isAssignableKey(const QKeyEvent& event) {
  const HeldModifiers held = heldModifiers(event);
  return (held.control || held.alt) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z;
}

}  // namespace

CHotkeySettingPropertyPage::CHotkeySettingPropertyPage(const SettingsStore& store,
                                                       QWidget* parent)
    : QWidget(parent), assignments_(readKeyTexts(store)) {
  buildControls();
  systemWide_->setChecked(readInt(store, settings::HotKeySystemWide) != 0);
  listCategory();
}

void CHotkeySettingPropertyPage::buildControls() {
  setObjectName(QStringLiteral("hotkeyPage"));
  auto* layout = new QVBoxLayout(this);

  auto* instruction =
      new QLabel(QStringLiteral("変更する項目を選択して割り当てるキーを押してください"), this);
  layout->addWidget(instruction);

  auto* categoryRow = new QHBoxLayout;
  auto* categoryLabel = new QLabel(QStringLiteral("分類 ： "), this);
  category_ = new QComboBox(this);
  category_->setObjectName(QStringLiteral("category"));
  for (HotkeyCategory c : kCategories)
    category_->addItem(QString::fromUtf8(categoryText(c)), static_cast<int>(c));
  categoryLabel->setBuddy(category_);
  categoryRow->addWidget(categoryLabel);
  categoryRow->addWidget(category_);
  categoryRow->addStretch();
  layout->addLayout(categoryRow);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("commandList"));
  list_->setHeaderLabels({QStringLiteral("動作"), QStringLiteral("キー")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->header()->setStretchLastSection(false);
  list_->setColumnWidth(kNameColumn, kColumnWidth);
  list_->setColumnWidth(kKeyColumn, kColumnWidth);
  list_->installEventFilter(this);
  instruction->setBuddy(list_);
  layout->addWidget(list_);

  auto* buttonRow = new QHBoxLayout;
  clear_ = new QPushButton(QStringLiteral("解除"), this);
  clear_->setObjectName(QStringLiteral("clearButton"));
  defaults_ = new QPushButton(QStringLiteral("ﾃﾞﾌｫﾙﾄ設定"), this);
  defaults_->setObjectName(QStringLiteral("defaultsButton"));
  // In a dialog Enter closes it with OK; the page's buttons act only when pressed.
  clear_->setAutoDefault(false);
  defaults_->setAutoDefault(false);
  buttonRow->addStretch();
  buttonRow->addWidget(clear_);
  buttonRow->addWidget(defaults_);
  layout->addLayout(buttonRow);

  systemWide_ = new QCheckBox(QStringLiteral("他のアプリケーションの使用中も有効にする"), this);
  systemWide_->setObjectName(QStringLiteral("systemWide"));
  systemWide_->setToolTip(QStringLiteral(
      "割り当てたキーは、デスクトップ上の他のすべてのプログラムからも取り上げられ、"
      "そのプログラムでは使えなくなります"));
  layout->addWidget(systemWide_);

  setTabOrder(category_, list_);
  setTabOrder(list_, clear_);
  setTabOrder(clear_, defaults_);
  setTabOrder(defaults_, systemWide_);

  connect(category_, &QComboBox::currentIndexChanged, this, [this] { listCategory(); });
  connect(clear_, &QPushButton::clicked, this, [this] { clearSelected(); });
  connect(defaults_, &QPushButton::clicked, this, [this] { restoreDefaults(); });
}

void CHotkeySettingPropertyPage::writeSettings(SettingsStore& store) const {
  const auto& texts = assignments_.keyTexts();
  for (std::size_t i = 0; i < texts.size(); ++i)
    writeSetting(store, settings::hotKeySetting(i), QString::fromStdString(texts[i]));
  writeSetting(store, settings::HotKeySystemWide, systemWide() ? 1 : 0);
}

bool CHotkeySettingPropertyPage::systemWide() const { return systemWide_->isChecked(); }

HotkeyCategory CHotkeySettingPropertyPage::category() const {
  return static_cast<HotkeyCategory>(category_->currentData().toInt());
}

std::vector<std::size_t> CHotkeySettingPropertyPage::selectedRows() const {
  std::vector<std::size_t> rows;
  for (QTreeWidgetItem* item : list_->selectedItems())
    rows.push_back(static_cast<std::size_t>(list_->indexOfTopLevelItem(item)));
  std::ranges::sort(rows);
  return rows;
}

void CHotkeySettingPropertyPage::listCategory() {
  list_->clear();
  const HotkeyCategory shown = category();
  for (std::size_t row = 0; row < hotkeyRowCount(shown); ++row) {
    const std::size_t command = hotkeyCommandOfRow(shown, row);
    auto* item = new QTreeWidgetItem(list_);
    item->setText(kNameColumn, QString::fromUtf8(hotkeyCommands()[command].name));
    item->setText(kKeyColumn, QString::fromStdString(assignments_.keyText(command)));
  }
}

void CHotkeySettingPropertyPage::showKeys() {
  const HotkeyCategory shown = category();
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    const std::size_t command = hotkeyCommandOfRow(shown, static_cast<std::size_t>(row));
    list_->topLevelItem(row)->setText(kKeyColumn,
                                      QString::fromStdString(assignments_.keyText(command)));
  }
}

void CHotkeySettingPropertyPage::keyDown(const QKeyEvent& key) {
  // A held key repeats; only its first press is the user choosing it, and a repeat would
  // find the key just assigned and report it as taken.
  if (key.isAutoRepeat()) return;
  const int virtualKey = virtualKeyOf(key);
  if (virtualKey == 0) return;
  const std::vector<std::size_t> conflicts =
      assignments_.assign(category(), selectedRows(), virtualKey, heldModifiers(key));
  for (std::size_t i = 0; i < conflicts.size(); ++i) {
    showMessage(this, {QStringLiteral("このキーはすでに割り当てられています"),
                       QStringLiteral("ホットキーの割り当て"), QMessageBox::Warning,
                       QMessageBox::Ok});
  }
  showKeys();
}

void CHotkeySettingPropertyPage::clearSelected() {
  assignments_.clear(category(), selectedRows());
  showKeys();
}

void CHotkeySettingPropertyPage::restoreDefaults() {
  assignments_.resetToDefaults();
  listCategory();
}

bool CHotkeySettingPropertyPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_) return QWidget::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
    return QWidget::eventFilter(watched, event);
  const auto& key = *static_cast<const QKeyEvent*>(event);
  if (type == QEvent::KeyPress) keyDown(key);
  // Every other key goes on to the list, so that arrows, Tab and Space move and select.
  if (!isAssignableKey(key)) return QWidget::eventFilter(watched, event);
  // Accepting the override keeps the key from every shortcut; the press that follows has
  // been handled above.
  event->accept();
  return true;
}

void showHotkeyPage(QWidget* parent, SettingsStore& store) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("ホットキー"));
  auto* page = new CHotkeySettingPropertyPage(store, &dialog);
  if (execPageDialog(dialog, page)) page->writeSettings(store);
}

}  // namespace wabunko
