#include "settings/CToolbarSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "frame/ToolBars.h"
#include "platform/SettingsStore.h"
#include "settings/PageDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace wabunko {
namespace {

constexpr QSize kImageSize{18, 17};

StoredButtons readStoredButtons(const SettingsStore& store, const settings::Setting& count,
                                const settings::Setting& items) {
  return {readInt(store, count), readString(store, items).toStdString()};
}

void writeStoredButtons(SettingsStore& store, const StoredButtons& stored, const settings::Setting& count,
                        const settings::Setting& items) {
  writeSetting(store, count, stored.count);
  writeSetting(store, items, QString::fromStdString(stored.items));
}

QListWidget* buttonList(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromUtf8(name));
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setIconSize(kImageSize);
  list->setUniformItemSizes(true);
  return list;
}

void addButtonRow(QListWidget* list, Bar bar, int button) {
  const ToolButton& entry = buttonCatalogue(bar)[static_cast<std::size_t>(button)];
  new QListWidgetItem(toolButtonIcon(bar, button), QString::fromUtf8(entry.name), list);
}

std::vector<int> selectedRows(const QListWidget* list) {
  std::vector<int> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedIndexes()) rows.push_back(index.row());
  return rows;
}

QPushButton* pageButton(const char* text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QString::fromUtf8(name));
  // In a dialog Enter closes it with OK; the page's buttons act only when pressed.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CToolbarSettingPropertyPage::CToolbarSettingPropertyPage(const SettingsStore& store, ToolBars& bars,
                                                         QWidget* parent)
    : QWidget(parent),
      model_(readStoredButtons(store, settings::ToolBarCount, settings::ToolBarItem),
             readStoredButtons(store, settings::TextStyleBarCount, settings::TextStyleBarItem)),
      bars_(bars) {
  buildControls();
  listBar();
  // Wide enough for the longest name. The file toolbar, listed first, has the longer ones,
  // so the lists keep their size when the user switches bars.
  const int width = available_->sizeHintForColumn(0) + 2 * available_->frameWidth() +
                    available_->verticalScrollBar()->sizeHint().width();
  available_->setMinimumWidth(width);
  used_->setMinimumWidth(width);
}

void CToolbarSettingPropertyPage::buildControls() {
  setObjectName(QStringLiteral("toolbarPage"));
  auto* layout = new QVBoxLayout(this);

  auto* kindRow = new QHBoxLayout;
  auto* kindLabel = new QLabel(QStringLiteral("ツールバーの種類 ： "), this);
  barKind_ = new QComboBox(this);
  barKind_->setObjectName(QStringLiteral("barKind"));
  barKind_->addItem(QStringLiteral("ツールバー"), static_cast<int>(Bar::File));
  barKind_->addItem(QStringLiteral("書式バー"), static_cast<int>(Bar::TextStyle));
  kindLabel->setBuddy(barKind_);
  kindRow->addWidget(kindLabel);
  kindRow->addWidget(barKind_);
  kindRow->addStretch();
  layout->addLayout(kindRow);

  auto* lists = new QGridLayout;
  auto* availableLabel = new QLabel(QStringLiteral("利用できるボタン ："), this);
  available_ = buttonList("availableList", this);
  availableLabel->setBuddy(available_);
  auto* usedLabel = new QLabel(QStringLiteral("使われているボタン ："), this);
  used_ = buttonList("usedList", this);
  usedLabel->setBuddy(used_);

  add_ = pageButton("追加 ->", "addButton", this);
  remove_ = pageButton("削除", "removeButton", this);
  front_ = pageButton("前へ", "frontButton", this);
  back_ = pageButton("後へ", "backButton", this);
  auto* usedButtons = new QVBoxLayout;
  usedButtons->addWidget(remove_);
  usedButtons->addWidget(front_);
  usedButtons->addWidget(back_);
  usedButtons->addStretch();

  lists->addWidget(availableLabel, 0, 0);
  lists->addWidget(available_, 1, 0);
  lists->addWidget(add_, 1, 1, Qt::AlignVCenter);
  lists->addWidget(usedLabel, 0, 2);
  lists->addWidget(used_, 1, 2);
  lists->addLayout(usedButtons, 1, 3);
  layout->addLayout(lists);

  setTabOrder(barKind_, available_);
  setTabOrder(available_, add_);
  setTabOrder(add_, used_);
  setTabOrder(used_, remove_);
  setTabOrder(remove_, front_);
  setTabOrder(front_, back_);

  connect(barKind_, &QComboBox::currentIndexChanged, this, [this] { listBar(); });
  connect(add_, &QPushButton::clicked, this, [this] {
    const PageEdit edit = model_.add(bar(), selectedRows(available_));
    // The bar holds the most buttons its stored list keeps; the user hears why nothing came.
    if (edit.full) QApplication::beep();
    apply(edit);
  });
  connect(remove_, &QPushButton::clicked, this, [this] { apply(model_.remove(bar(), selectedRows(used_))); });
  connect(front_, &QPushButton::clicked, this, [this] { apply(model_.moveToFront(bar(), selectedRows(used_))); });
  connect(back_, &QPushButton::clicked, this, [this] { apply(model_.moveToBack(bar(), selectedRows(used_))); });
}

Bar CToolbarSettingPropertyPage::bar() const { return static_cast<Bar>(barKind_->currentData().toInt()); }

void CToolbarSettingPropertyPage::listBar() {
  available_->clear();
  const Bar shown = bar();
  for (std::size_t button = 0; button < buttonCatalogue(shown).size(); ++button)
    addButtonRow(available_, shown, static_cast<int>(button));
  listUsed({});
}

void CToolbarSettingPropertyPage::listUsed(const std::vector<int>& selection) {
  // The row the keyboard works from stays near where it was.
  const int current = selection.empty() ? used_->currentRow() : selection.front();
  used_->clear();
  const Bar shown = bar();
  for (int button : model_.usedButtons(shown)) addButtonRow(used_, shown, button);
  if (used_->count() > 0)
    used_->setCurrentRow(std::clamp(current, 0, used_->count() - 1), QItemSelectionModel::NoUpdate);
  for (int row : selection) used_->item(row)->setSelected(true);
}

void CToolbarSettingPropertyPage::apply(const PageEdit& edit) {
  if (edit.barEdits.empty()) return;
  const Bar edited = bar();
  for (const BarEdit& step : edit.barEdits) {
    switch (step.kind) {
      case BarEdit::Kind::Append: bars_.appendToolButton(edited, step.button); break;
      case BarEdit::Kind::Insert: bars_.insertToolButton(edited, step.button, step.position); break;
      case BarEdit::Kind::Delete: bars_.deleteToolButton(edited, step.position); break;
    }
  }
  listUsed(edit.selection);
}

void CToolbarSettingPropertyPage::writeSettings(SettingsStore& store) const {
  if (!changed()) return;
  writeStoredButtons(store, model_.stored(Bar::File), settings::ToolBarCount, settings::ToolBarItem);
  writeStoredButtons(store, model_.stored(Bar::TextStyle), settings::TextStyleBarCount,
                     settings::TextStyleBarItem);
}

void CToolbarSettingPropertyPage::cancel() { bars_.rebuildToolBars(); }

void showToolbarPage(QWidget* parent, SettingsStore& store, ToolBars& bars) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("ツールバー"));
  auto* page = new CToolbarSettingPropertyPage(store, bars, &dialog);
  if (execPageDialog(dialog, page))
    page->writeSettings(store);
  else
    page->cancel();
}

}  // namespace wabunko
