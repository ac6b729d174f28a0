#include "frame/FrameMenus.h"

#include "app/AppCommands.h"
#include "frame/CommandTable.h"
#include "frame/FrameCommands.h"
#include "platform/CommandRouter.h"
#include "platform/RecentFileList.h"
#include "platform/StandardCommands.h"
#include "view/ViewCommands.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace wabunko {
namespace {

constexpr int kSeparator = 0;

struct MenuItem {
  int id;  // kSeparator, a command, or FileMruFirst where the recent files go
  QKeySequence::StandardKey key = QKeySequence::UnknownKey;
  // A submenu instead of a command: its title and its commands (kSeparator between them).
  const char* submenuTitle = nullptr;
  std::vector<int> submenu{};
};

struct MenuDef {
  const char* title;
  std::vector<MenuItem> items;
};

// New, Open and Save carry no menu keys: their keys are the frame's hot keys.
const std::vector<MenuDef>& mainMenus() {
  static const std::vector<MenuDef> menus{
      {"ﾌｧｲﾙ(&F)",
       {{cmd::FileNew}, {cmd::FileOpen}, {cmd::FileClose}, {cmd::FileCloseAll}, {kSeparator},
        {cmd::FileSave}, {cmd::FileSaveAs}, {cmd::FileSaveAll}, {cmd::Reopen}, {kSeparator},
        {cmd::FilePrint}, {cmd::FilePrintPreview}, {kSeparator}, {cmd::FileMruFirst}, {cmd::AppExit}}},
      {"編集(&E)",
       {{cmd::EditUndo, QKeySequence::Undo},
        {kSeparator},
        {cmd::EditCut, QKeySequence::Cut},
        {cmd::EditCopy, QKeySequence::Copy},
        {cmd::EditPaste, QKeySequence::Paste},
        {cmd::EditClear},
        {kSeparator},
        {cmd::EditSelectAll, QKeySequence::SelectAll},
        {kSeparator},
        {cmd::FindText},
        {cmd::FindNext},
        {cmd::FindUpward},
        {cmd::ReplaceText},
        {cmd::FindInFiles},
        {kSeparator},
        {cmd::ReadOnlyToggle},
        {cmd::EditSignature}}},
      {"表示(&V)",
       {{cmd::ViewToolBar}, {cmd::ViewTextStyleBar}, {cmd::ViewStatusBar}, {kSeparator},
        {cmd::ViewLineNumbers}, {cmd::VerticalWriting}, {kSeparator}, {cmd::WrapNone},
        {cmd::WrapPrintWidth}, {cmd::WrapWindow}}},
      // Character and paragraph formats apart, as in the view's context menu; one menu
      // would also give two items the mnemonic R.
      {"書式(&O)",
       {{kSeparator, QKeySequence::UnknownKey, "文字書式(&C)",
         {cmd::FormatFont, kSeparator, cmd::FormatBold, cmd::FormatItalic, cmd::FormatUnderline, kSeparator,
          cmd::FormatSuperscript, cmd::FormatSubscript, cmd::FormatResize}},
        {kSeparator, QKeySequence::UnknownKey, "段落書式(&P)",
         {cmd::AlignLeft, cmd::AlignCentre, cmd::AlignRight, kSeparator, cmd::FormatIndent}}}},
      {"変換",
       {{cmd::ConvertUpper}, {cmd::ConvertLower}, {cmd::ConvertFullWidth}, {cmd::ConvertHalfWidth},
        {kSeparator}, {cmd::ConvertPunctuation}}},
      {"ﾂｰﾙ",
       {{cmd::ToolLineLength}, {cmd::ToolTrailingBlanks}, {kSeparator}, {cmd::ToolQuotationMark},
        {cmd::ToolClipboardPrefix}, {cmd::ToolSignature}, {kSeparator}, {cmd::ToolAppendCopy},
        {cmd::ToolAppendCut}, {kSeparator}, {cmd::SettingsSheet}}},
      {"ｳｨﾝﾄﾞｳ(&W)",
       {{cmd::WindowCascade}, {cmd::WindowTileHorz}, {cmd::WindowTileVert}, {kSeparator},
        {cmd::WindowTopMost}, {cmd::ScrollLink}}},
      // The favourites themselves follow the separator (Favourites); Help stays last.
      {"お気に入り", {{cmd::FavouriteAdd}, {cmd::FavouriteOrganise}, {kSeparator}}},
      {"ﾍﾙﾌﾟ(&H)", {{cmd::AppAbout}}},
  };
  return menus;
}

void addCommand(CommandRouter& router, QMainWindow* frame, QMenu* menu, const MenuItem& item) {
  QAction* action = router.action(item.id, QString::fromUtf8(findCommand(item.id)->menuText));
  if (item.key != QKeySequence::UnknownKey) {
    action->setShortcuts(item.key);
    // Like accelerators of the main frame: they work in every window of the editor
    // (a modal dialog blocks them), also where no window manager marks one active.
    // Editing keys reach the edit control first, which handles them itself.
    action->setShortcutContext(Qt::ApplicationShortcut);
  }
  menu->addAction(action);
  frame->addAction(action);
}

}  // namespace

QString menuTextOfPath(QString path) { return path.replace(QLatin1Char('&'), QStringLiteral("&&")); }

FrameMenus::FrameMenus(QMainWindow* frame, CommandRouter& router, RecentFiles recentFiles)
    : QObject(frame), frame_(frame), router_(router), recentFiles_(std::move(recentFiles)) {
  for (const MenuDef& def : mainMenus()) {
    QMenu* menu = frame->menuBar()->addMenu(QString::fromUtf8(def.title));
    router_.watchMenu(menu);
    for (const MenuItem& item : def.items) {
      if (item.submenuTitle) {
        QMenu* submenu = menu->addMenu(QString::fromUtf8(item.submenuTitle));
        router_.watchMenu(submenu);
        for (int id : item.submenu) {
          if (id == kSeparator)
            submenu->addSeparator();
          else
            addCommand(router_, frame, submenu, {id});
        }
        continue;
      }
      if (item.id == kSeparator) {
        menu->addSeparator();
        continue;
      }
      if (item.id == cmd::FileMruFirst) {
        recentFilesEnd_ = menu->addSeparator();
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillRecentFiles(menu); });
        continue;
      }
      addCommand(router_, frame, menu, item);
    }
  }
}

QMenu* FrameMenus::menuTitled(const QString& title) const {
  QMenu* found = nullptr;
  for (const QAction* item : frame_->menuBar()->actions())
    if (item->menu() && item->text() == title) found = item->menu();
  return found;
}

void FrameMenus::fillRecentFiles(QMenu* menu) {
  const RecentFileList* recent = recentFiles_();
  const QStringList files = recent ? recent->files() : QStringList();
  for (int i = 0; i < RecentFileList::kMaxSize; ++i) {
    QAction* action = router_.action(cmd::FileMruFirst + i);
    menu->removeAction(action);
    if (i >= files.size()) continue;
    // "&1 path": the number is the mnemonic.
    action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(menuTextOfPath(files[i])));
    menu->insertAction(recentFilesEnd_, action);
  }
  recentFilesEnd_->setVisible(!files.isEmpty());
}

}  // namespace wabunko
