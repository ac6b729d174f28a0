// The favourites through the running editor: the "お気に入り" menu as it opens, its
// commands, the organise dialog and the stored list.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CFavoritesDlg.h"
#include "frame/CMainFrame.h"
#include "frame/Favourites.h"
#include "frame/FrameCommands.h"
#include "frame/SettingsLayout.h"
#include "frame/ProfileSettings.h"
#include "platform/CommandRouter.h"
#include "platform/MemoryStore.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

QMenu* favouritesMenu(const CMainFrame* frame) {
  for (const QAction* title : frame->menuBar()->actions())
    if (title->text() == QStringLiteral("お気に入り")) return title->menu();
  return nullptr;
}

// The menu's items as it opens: "-" for a separator, "(off)" after a disabled item.
QStringList openMenu(const CMainFrame* frame) {
  QMenu* menu = favouritesMenu(frame);
  EXPECT_NE(menu, nullptr);
  if (!menu) return {};
  Q_EMIT menu->aboutToShow();
  QStringList items;
  for (const QAction* item : menu->actions())
    items << (item->isSeparator() ? QStringLiteral("-")
                                  : item->text() + (item->isEnabled() ? QString() : QStringLiteral(" (off)")));
  return items;
}

QStringList pathsOf(const Favourites& favourites) {
  QStringList paths;
  for (const std::string& path : favourites.list().paths()) paths << QString::fromStdString(path);
  return paths;
}

const QStringList kFixed{QStringLiteral("追加"), QStringLiteral("整理"), QStringLiteral("-")};

TEST(Favourites, AddTakesTheActiveDocumentsPathOnlyWhenItHasOne) {
  AppHarness h;
  CMainFrame* frame = h.app().mainFrame();
  // The menu stands just before Help.
  const QList<QAction*> titles = frame->menuBar()->actions();
  ASSERT_GE(titles.size(), 2);
  EXPECT_EQ(titles[titles.size() - 2]->menu(), favouritesMenu(frame));
  EXPECT_EQ(openMenu(frame), kFixed);

  h.app().router().dispatch(cmd::FavouriteAdd);  // the untitled document of the start
  EXPECT_TRUE(frame->favourites().list().empty());

  const QString path = h.path(QStringLiteral("R&D.txt"));
  writeBytes(path, "text");
  ASSERT_NE(h.open(path), nullptr);
  h.app().router().dispatch(cmd::FavouriteAdd);
  h.app().router().dispatch(cmd::FavouriteAdd);
  const QString shown = QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
  EXPECT_EQ(openMenu(frame), kFixed + (QStringList{shown, shown}));
  EXPECT_EQ(h.app().router().action(cmd::FavouriteAdd + 2)->text(), shown);
}

// The store as a start finds it, with `paths` as the favourites.
QMap<QString, QMap<QString, QString>> storedFavourites(const QStringList& paths) {
  FavouriteList list;
  for (const QString& path : paths) list.add(path.toStdString());
  return {{QStringLiteral("File"), {{QStringLiteral("File favorite"), QString::fromStdString(list.format())}}}};
}

TEST(Favourites, OnlyTheFirstFifteenOpenFromTheMenu) {
  QTemporaryDir dir;
  QStringList paths;
  for (int k = 1; k <= 16; ++k) {
    paths << dir.filePath(QStringLiteral("f%1.txt").arg(k));
    writeBytes(paths.back(), QByteArray::number(k));
  }
  AppHarness h(storedFavourites(paths));
  CMainFrame* frame = h.app().mainFrame();
  const QStringList items = openMenu(frame);
  ASSERT_EQ(items.size(), 3 + 16);
  EXPECT_EQ(items[3 + 14], paths[14]);
  EXPECT_EQ(items[3 + 15], paths[15] + QStringLiteral(" (off)"));

  QMenu* menu = favouritesMenu(frame);
  menu->actions().at(3 + 15)->trigger();
  EXPECT_FALSE(h.app().router().dispatch(cmd::FavouriteAdd + 16));
  ASSERT_EQ(h.documents().size(), 1u);  // only the untitled one of the start
  EXPECT_TRUE(h.documents().back()->pathName().isEmpty());
  menu->actions().at(3 + 14)->trigger();
  ASSERT_FALSE(h.documents().empty());
  EXPECT_EQ(h.documents().back()->pathName(), paths[14]);
}

TEST(Favourites, AMissingFileIsOfferedForRemovalInsteadOfOpened) {
  QTemporaryDir dir;
  const QString present = dir.filePath(QStringLiteral("here.txt"));
  writeBytes(present, "x");
  const QString gone = dir.filePath(QStringLiteral("gone.txt"));
  AppHarness h(storedFavourites({gone, present}));
  Favourites& favourites = h.app().mainFrame()->favourites();

  h.answers.push_back(QMessageBox::No);
  h.app().router().dispatch(cmd::FavouriteAdd + 1);
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text,
            QStringLiteral("お気に入りのファイル %1 が見つかりません。\nお気に入りから削除しますか？").arg(gone));
  EXPECT_EQ(h.messages[0].caption, QStringLiteral("Wabunko"));
  EXPECT_EQ(pathsOf(favourites), (QStringList{gone, present}));

  h.answers.push_back(QMessageBox::Yes);
  h.app().router().dispatch(cmd::FavouriteAdd + 1);
  EXPECT_EQ(pathsOf(favourites), QStringList{present});
  EXPECT_EQ(h.documents().size(), 1u);
}

TEST(Favourites, OrganisingRemovesAndReordersAndOkTakesTheListWhichCloseWrites) {
  const QStringList paths{QStringLiteral("/a/1.txt"), QStringLiteral("/b/2.txt"), QStringLiteral("/c/3.txt"),
                          QStringLiteral("/d/4.txt")};
  AppHarness h(storedFavourites(paths));
  CMainFrame* frame = h.app().mainFrame();

  const auto select = [](CFavoritesDlg& dialog, std::initializer_list<int> rows) {
    dialog.listWidget()->clearSelection();
    for (int row : rows) dialog.listWidget()->item(row)->setSelected(true);
  };
  const auto press = [](CFavoritesDlg& dialog, const char* name) {
    childNamed<QPushButton>(dialog, name)->click();
  };
  // Cancel keeps the list as it was.
  setFavoritesDialogHook([&](CFavoritesDlg& dialog) {
    select(dialog, {0, 1});
    press(dialog, "removeButton");
    return false;
  });
  h.app().router().dispatch(cmd::FavouriteOrganise);
  EXPECT_EQ(pathsOf(frame->favourites()), paths);

  QStringList shown;
  setFavoritesDialogHook([&](CFavoritesDlg& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("お気に入りの整理"));
    QListWidget* listWidget = childNamed<QListWidget>(dialog, "favoriteList");
    select(dialog, {1, 3});
    press(dialog, "removeButton");  // 1, 3 left
    select(dialog, {1});
    press(dialog, "upButton");  // 3, 1
    select(dialog, {0});
    press(dialog, "downButton");  // 1, 3 again, 3 still selected
    press(dialog, "downButton");  // held at the end
    EXPECT_TRUE(listWidget->item(1)->isSelected());
    press(dialog, "upButton");  // 3, 1
    for (int row = 0; row < listWidget->count(); ++row) shown << listWidget->item(row)->text();
    return true;
  });
  h.app().router().dispatch(cmd::FavouriteOrganise);
  setFavoritesDialogHook({});
  EXPECT_EQ(shown, (QStringList{paths[2], paths[0]}));
  EXPECT_EQ(openMenu(frame), kFixed + (QStringList{paths[2], paths[0]}));

  ASSERT_TRUE(frame->close());
  EXPECT_EQ(readString(h.store(), settings::FileFavorite), QStringLiteral("%2Fc%2F3.txt/%2Fa%2F1.txt/"));
}

TEST(Favourites, RemovingEveryOneLeavesOnlyTheFixedItems) {
  AppHarness h(storedFavourites({QStringLiteral("/a.txt"), QStringLiteral("/b.txt")}));
  setFavoritesDialogHook([](CFavoritesDlg& dialog) {
    dialog.listWidget()->selectAll();
    childNamed<QPushButton>(dialog, "removeButton")->click();
    return true;
  });
  h.app().router().dispatch(cmd::FavouriteOrganise);
  setFavoritesDialogHook({});
  EXPECT_EQ(openMenu(h.app().mainFrame()), kFixed);
}

}  // namespace
}  // namespace wabunko
