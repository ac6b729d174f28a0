// The extended file dialog offscreen: its lists, the folder history and what it reports.
#include "TestFiles.h"

#include "doc/CWabFileDlg.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/MemoryStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

QComboBox* list(const CWabFileDlg& dialog, const char* name) {
  return dialog.findChild<QComboBox*>(QString::fromLatin1(name));
}

TEST(CWabFileDlg, ListsOfEachMode) {
  MemoryStore store;
  writeSetting(store, settings::fileDirHistory(0), QStringLiteral("/a/"));
  writeSetting(store, settings::fileDirHistory(1), QStringLiteral("/b/"));
  for (const bool open : {true, false}) {
    const CWabFileDlg dialog(store, {open, {}, {}, AllFilesFilter});
    EXPECT_EQ(items(list(dialog, "fileKindList")),
              (QStringList{"自動判別", "ﾃｷｽﾄ形式", "ﾘｯﾁﾃｷｽﾄ形式"}));
    QStringList codes{"Shift-JIS", "JIS", "EUC"};
    if (open) codes << "Internet Form 返信";
    EXPECT_EQ(items(list(dialog, "charCodeList")), codes) << open;
    // Every one of the ten entries is listed, unfilled ones empty.
    EXPECT_EQ(items(list(dialog, "dirHistoryList")),
              (QStringList{"/a/", "/b/", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(dialog.findChild<QCheckBox*>()->isVisibleTo(&dialog), open);
  }
}

TEST(CWabFileDlg, StartsWithTheGivenFilter) {
  MemoryStore store;
  const struct {
    int filter;
    const char* shown;
  } cases[] = {{AllFilesFilter, "全てのﾌｧｲﾙ (*)"},
               {RichTextFilter, "ﾘｯﾁﾃｷｽﾄﾌｧｲﾙ (*.rtf)"},
               {7, "全てのﾌｧｲﾙ (*)"}};
  for (const auto& c : cases) {
    const CWabFileDlg dialog(store, {true, {}, {}, c.filter});
    EXPECT_EQ(dialog.selectedNameFilter(), QString::fromUtf8(c.shown)) << c.filter;
  }
}

TEST(CWabFileDlg, HistoryChangesFolderAndKeepsTypedName) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
  MemoryStore store;
  writeSetting(store, settings::fileDirHistory(0), dir.filePath("sub") + '/');
  CWabFileDlg dialog(store, {false, dir.path(), {}, TextFilter});
  auto* nameField = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(nameField, nullptr);
  nameField->setText(QStringLiteral("typed.txt"));
  Q_EMIT list(dialog, "dirHistoryList")->activated(0);
  EXPECT_EQ(dialog.directory().absolutePath(), dir.filePath("sub"));
  EXPECT_EQ(nameField->text(), QStringLiteral("typed.txt"));
  // An empty entry goes nowhere.
  Q_EMIT list(dialog, "dirHistoryList")->activated(1);
  EXPECT_EQ(dialog.directory().absolutePath(), dir.filePath("sub"));
}

TEST(CWabFileDlg, ReportsTheChoicesOnOk) {
  QTemporaryDir dir;
  QFile file(dir.filePath("a.rtf"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  MemoryStore store;
  CWabFileDlg dialog(store, {true, dir.path(), {}, AllFilesFilter});
  list(dialog, "fileKindList")->setCurrentIndex(2);
  list(dialog, "charCodeList")->setCurrentIndex(3);
  dialog.findChild<QCheckBox*>()->setChecked(true);
  dialog.selectNameFilter(QStringLiteral("ﾘｯﾁﾃｷｽﾄﾌｧｲﾙ (*.rtf)"));
  dialog.selectFile(file.fileName());
  static_cast<QDialog&>(dialog).accept();  // the file dialog checks the name, as on OK
  const FileDialogChoice choice = dialog.choice();
  EXPECT_TRUE(choice.accepted);
  EXPECT_EQ(choice.paths, QStringList{file.fileName()});
  EXPECT_EQ(choice.filter, RichTextFilter);
  EXPECT_EQ(choice.kind, FileKind::RichText);
  EXPECT_EQ(choice.code, CharCode::InternetForm);
  EXPECT_TRUE(choice.readOnly);
}

TEST(CWabFileDlg, OpenRemembersFilterEvenOnCancel) {
  struct Case {
    bool open;
    bool accepted;
    int want;  // "Ext default open" afterwards
  };
  const Case cases[] = {{true, true, RichTextFilter}, {true, false, RichTextFilter}, {false, true, 1}};
  for (const Case& c : cases) {
    MemoryStore store;
    setWabFileDialogHook([&](const FileDialogStart&) {
      FileDialogChoice choice;
      choice.accepted = c.accepted;
      choice.filter = RichTextFilter;
      return choice;
    });
    runWabFileDialog(nullptr, store, {c.open, {}, {}, AllFilesFilter});
    EXPECT_EQ(readInt(store, settings::FileExtDefaultOpen), c.want) << c.open << c.accepted;
  }
  setWabFileDialogHook({});
}

TEST(CWabFileDlg, AddToHistoryStoresTheFolderFirst) {
  MemoryStore store;
  writeSetting(store, settings::fileDirHistory(0), QStringLiteral("/a/"));
  writeSetting(store, settings::fileDirHistory(1), QStringLiteral("/b/"));
  addToDirectoryHistory(store, QStringLiteral("/b/memo.txt"));
  addToDirectoryHistory(store, QStringLiteral("/c/new.txt"));
  EXPECT_EQ(readString(store, settings::fileDirHistory(0)), QStringLiteral("/c/"));
  EXPECT_EQ(readString(store, settings::fileDirHistory(1)), QStringLiteral("/b/"));
  EXPECT_EQ(readString(store, settings::fileDirHistory(2)), QStringLiteral("/a/"));
  EXPECT_EQ(readString(store, settings::fileDirHistory(3)), QString());
}

}  // namespace
}  // namespace wabunko
