#include "frame/CFavoritesDlg.h"

#include "platform/Dialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace wabunko {
namespace {

FavoritesDialogHook& favoritesDialogHook() {
  static FavoritesDialogHook hook;
  return hook;
}

}  // namespace

CFavoritesDlg::CFavoritesDlg(FavouriteList list, QWidget* parent)
    : QDialog(parent), list_(std::move(list)), listWidget_(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("お気に入りの整理"));
  setObjectName(QStringLiteral("favoritesDialog"));
  listWidget_->setObjectName(QStringLiteral("favoriteList"));
  listWidget_->setAccessibleName(QStringLiteral("お気に入り"));
  listWidget_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  listWidget_->setMinimumWidth(420);

  const auto addButton = [this](const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
  };
  QPushButton* remove = addButton(QStringLiteral("削除"), QStringLiteral("removeButton"));
  QPushButton* up = addButton(QStringLiteral("上へ"), QStringLiteral("upButton"));
  QPushButton* down = addButton(QStringLiteral("下へ"), QStringLiteral("downButton"));
  connect(remove, &QPushButton::clicked, this, [this] {
    list_.remove(selectedRows());
    fill({});
  });
  connect(up, &QPushButton::clicked, this, [this] { move(FavouriteList::Direction::Up); });
  connect(down, &QPushButton::clicked, this, [this] { move(FavouriteList::Direction::Down); });

  auto* listButtons = new QVBoxLayout;
  listButtons->addWidget(remove);
  listButtons->addWidget(up);
  listButtons->addWidget(down);
  listButtons->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(listWidget_, 1);
  row->addLayout(listButtons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(okCancelButtons(this));
  fill({});
}

void CFavoritesDlg::fill(const std::vector<std::size_t>& selected) {
  listWidget_->clear();
  for (const std::string& path : list_.paths()) listWidget_->addItem(QString::fromStdString(path));
  for (std::size_t row : selected) listWidget_->item(static_cast<int>(row))->setSelected(true);
  if (!selected.empty()) listWidget_->setCurrentRow(static_cast<int>(selected.front()), QItemSelectionModel::NoUpdate);
}

std::vector<std::size_t> CFavoritesDlg::selectedRows() const {
  std::vector<std::size_t> rows;
  for (const QListWidgetItem* item : listWidget_->selectedItems())
    rows.push_back(static_cast<std::size_t>(listWidget_->row(item)));
  return rows;
}

void CFavoritesDlg::move(FavouriteList::Direction direction) { fill(list_.move(selectedRows(), direction)); }

std::optional<FavouriteList> runFavoritesDialog(QWidget* parent, const FavouriteList& list) {
  CFavoritesDlg dialog(list, parent);
  if (!execOrHook(dialog, favoritesDialogHook())) return std::nullopt;
  return dialog.list();
}

void setFavoritesDialogHook(FavoritesDialogHook hook) { favoritesDialogHook() = std::move(hook); }

}  // namespace wabunko
