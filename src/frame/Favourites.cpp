#include "frame/Favourites.h"

#include "frame/CFavoritesDlg.h"
#include "frame/FrameCommands.h"
#include "frame/FrameMenus.h"
#include "platform/CommandRouter.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace wabunko {

Favourites::Favourites(QMenu* menu, CommandRouter& router, const QString& stored, Hooks hooks, QWidget* parent)
    : QObject(parent),
      menu_(menu),
      router_(router),
      hooks_(std::move(hooks)),
      parent_(parent),
      list_(FavouriteList::parse(stored.toStdString())) {
  connect(menu_, &QMenu::aboutToShow, this, &Favourites::fillMenu);
}

QString Favourites::stored() const { return QString::fromStdString(list_.format()); }

void Favourites::addActive() {
  const QString path = hooks_.activePath();
  if (!path.isEmpty()) list_.add(path.toStdString());
}

void Favourites::open(int k) {
  if (k < 1 || static_cast<std::size_t>(k) > list_.size()) return;
  const QString path = QString::fromStdString(list_[static_cast<std::size_t>(k - 1)]);
  if (QFileInfo::exists(path)) {
    hooks_.open(path);
    return;
  }
  const QMessageBox::StandardButton answer =
      showMessage(parent_, {tr("お気に入りのファイル %1 が見つかりません。\nお気に入りから削除しますか？").arg(path),
                            QStringLiteral("Wabunko"), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No});
  if (answer == QMessageBox::Yes) list_.remove({static_cast<std::size_t>(k - 1)});
}

void Favourites::organise() {
  if (auto list = runFavoritesDialog(parent_, list_)) list_ = std::move(*list);
}

void Favourites::fillMenu() {
  for (QAction* entry : std::as_const(entries_)) menu_->removeAction(entry);
  entries_.clear();
  for (std::size_t i = 0; i < std::min(list_.size(), std::size_t{kListed}); ++i) {
    const int id = cmd::FavouriteAdd + 1 + static_cast<int>(i);
    QAction* entry = router_.action(id);
    entry->setText(menuTextOfPath(QString::fromStdString(list_[i])));
    // Enabled as the route says: those past the first kOpenable have no handler.
    entry->setEnabled(router_.update(id).enabled());
    menu_->addAction(entry);
    entries_ << entry;
  }
}

}  // namespace wabunko
