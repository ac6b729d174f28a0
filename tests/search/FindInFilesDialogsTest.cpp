// The dialogs of find in files: the conditions, one extension, the folder chooser.
#include "TestFiles.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/MemoryStore.h"
#include "search/CExtensionDlg.h"
#include "search/CFindInFilesDlg.h"
#include "search/CFolderSelectDlg.h"
#include "search/FolderRootsModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QAbstractItemModelTester>
#include <QTreeView>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

QStringList rows(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts.append(list->item(i)->text());
  return texts;
}

template <class Widget = QPushButton>
Widget* child(const QWidget& dialog, const char* name) {
  return dialog.findChild<Widget*>(QString::fromLatin1(name));
}

QStringList names(const QAbstractItemModel& model, const QModelIndex& parent) {
  QStringList texts;
  for (int row = 0; row < model.rowCount(parent); ++row) texts.append(model.index(row, 0, parent).data().toString());
  return texts;
}

// Lets the folder listings arrive until `done` holds (or a generous while has passed).
void waitFor(const std::function<bool()>& done) {
  const QDeadlineTimer deadline(20000);
  while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void clickOk(QDialog& dialog) {
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

class FindInFilesDialogs : public testing::Test {
protected:
  FindInFilesDialogs() {
    setMessageHook([this](const MessageRequest& request) {
      messages.push_back(request);
      return QMessageBox::Ok;
    });
    QDir(dir.path()).mkpath(QStringLiteral("sub"));
    QDir(dir.path()).mkpath(QStringLiteral(".hidden"));
    writeBytes(path(QStringLiteral("file.txt")), "text");
  }
  ~FindInFilesDialogs() override {
    setMessageHook({});
    setExtensionDialogHook({});
    setFolderDialogHook({});
    setFindInFilesDialogHook({});
  }

  QString path(const QString& name = {}) const { return name.isEmpty() ? dir.path() : dir.filePath(name); }
  QString stored(const settings::Setting& setting) const { return readString(store, setting); }
  void setStored(const settings::Setting& setting, const QString& value) { writeSetting(store, setting, value); }

  // Runs the dialog; `fill` types into it before "検索開始" is pressed.
  std::optional<FindInFilesConditions> run(const std::function<void(CFindInFilesDlg&)>& fill,
                                           FindInFilesPurpose purpose = FindInFilesPurpose::Search) {
    setFindInFilesDialogHook([&](CFindInFilesDlg& dialog) {
      fill(dialog);
      child(dialog, "startButton")->click();
      return dialog.result() == QDialog::Accepted;
    });
    return runFindInFilesDialog(nullptr, store, purpose);
  }

  QTemporaryDir dir;
  MemoryStore store;
  std::vector<MessageRequest> messages;
};

TEST_F(FindInFilesDialogs, OpensWithTheStoredConditionsOrTheDefaults) {
  {
    CFindInFilesDlg dialog(store, FindInFilesPurpose::Search);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ファイルから検索"));
    EXPECT_EQ(rows(dialog.extensionList()), (QStringList{"rtf", "txt"}));
    EXPECT_TRUE(dialog.extensionList()->selectedItems().isEmpty());
    EXPECT_EQ(dialog.folderEdit()->text(), QString());
    EXPECT_EQ(items(dialog.findList()), QStringList{QString()});
    EXPECT_TRUE(child(dialog, "startButton")->isDefault());
    for (const QLabel* label : dialog.findChildren<QLabel*>())
      EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
  }
  setStored(settings::FindReplacePathName, path());
  setStored(settings::FindReplaceExt, QStringLiteral("c/B/a/d"));
  setStored(settings::findItem(0), QStringLiteral("one"));
  setStored(settings::findItem(1), QStringLiteral("two"));
  CFindInFilesDlg dialog(store, FindInFilesPurpose::Search);
  EXPECT_EQ(dialog.folderEdit()->text(), path());
  // Sorted without regard to case; the text after the last "/" is no extension.
  EXPECT_EQ(rows(dialog.extensionList()), (QStringList{"a", "B", "c"}));
  EXPECT_EQ(items(dialog.findList()), (QStringList{"one", "two", ""}));
  EXPECT_EQ(dialog.findList()->currentText(), QString());
}

TEST_F(FindInFilesDialogs, StartStoresTheConditionsAndGivesThem) {
  const auto conditions = run([&](CFindInFilesDlg& dialog) {
    dialog.findList()->setEditText(QStringLiteral("Abc"));
    dialog.folderEdit()->setText(path() + QStringLiteral("/"));
    child<QCheckBox>(dialog, "matchCase")->click();
  });
  ASSERT_TRUE(conditions);
  EXPECT_EQ(conditions->text, QStringLiteral("Abc"));
  EXPECT_EQ(conditions->folder, path());
  EXPECT_EQ(conditions->extensions, QStringLiteral("rtf/txt/"));
  EXPECT_TRUE(conditions->matchCase);
  EXPECT_FALSE(conditions->allFiles);
  EXPECT_EQ(stored(settings::FindReplacePathName), path() + QStringLiteral("/"));
  EXPECT_EQ(stored(settings::FindReplaceExt), QStringLiteral("rtf/txt/"));
  EXPECT_EQ(stored(settings::findItem(0)), QStringLiteral("Abc"));

  // The check boxes start unchecked every time; a string differing only in case replaces
  // its history entry.
  const auto again = run([&](CFindInFilesDlg& dialog) {
    EXPECT_FALSE(child<QCheckBox>(dialog, "matchCase")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(dialog, "allFiles")->isChecked());
    EXPECT_EQ(items(dialog.findList()), (QStringList{"Abc", ""}));
    dialog.findList()->setEditText(QStringLiteral("abc"));
    dialog.folderEdit()->setText(QStringLiteral("/"));
    child<QCheckBox>(dialog, "allFiles")->click();
  });
  ASSERT_TRUE(again);
  EXPECT_EQ(again->folder, QStringLiteral("/"));
  EXPECT_TRUE(again->allFiles);
  EXPECT_FALSE(again->matchCase);
  EXPECT_EQ(stored(settings::findItem(0)), QStringLiteral("abc"));
  EXPECT_EQ(stored(settings::findItem(1)), QString());
  EXPECT_TRUE(messages.empty());
}

TEST_F(FindInFilesDialogs, IncompleteConditionsAreRefusedWithTheReasonAndTheDialogStaysOpen) {
  const QString missing = path(QStringLiteral("missing"));
  struct Case {
    FindInFilesPurpose purpose;
    QString text;
    QString folder;
    QString message;  // none: accepted
    const char* field;
  };
  const Case cases[] = {
      {FindInFilesPurpose::Search, "", path(), "検索する文字列を入力してください。", "findList"},
      {FindInFilesPurpose::Search, "x", "", "検索するフォルダを指定してください。", "folderEdit"},
      {FindInFilesPurpose::Search, "x", missing, QStringLiteral("フォルダ %1 が見つかりません。").arg(missing),
       "folderEdit"},
      {FindInFilesPurpose::Narrow, "", path(), "検索する文字列を入力してください。", "findList"},
      {FindInFilesPurpose::Narrow, "x", missing, "", nullptr},
  };
  for (const Case& c : cases) {
    messages.clear();
    CFindInFilesDlg dialog(store, c.purpose);
    dialog.show();
    dialog.findList()->setEditText(c.text);
    dialog.folderEdit()->setText(c.folder);
    child(dialog, "startButton")->click();
    if (c.message.isEmpty()) {
      EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.text.toStdString();
      EXPECT_TRUE(messages.empty());
      // A narrowing stores the conditions as a search does.
      EXPECT_EQ(stored(settings::FindReplacePathName), missing);
      EXPECT_EQ(stored(settings::findItem(0)), c.text);
      continue;
    }
    ASSERT_EQ(messages.size(), 1u) << c.message.toStdString();
    EXPECT_EQ(messages[0].text, c.message);
    EXPECT_EQ(messages[0].caption, QStringLiteral("Wabunko"));
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(dialog.isVisible()) << c.message.toStdString();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.focusWidget(), child<QWidget>(dialog, c.field)) << c.message.toStdString();
    EXPECT_EQ(stored(settings::findItem(0)), QString()) << "nothing is stored";
  }
}

TEST_F(FindInFilesDialogs, ExtensionsAreAddedInOrderOnceEachAndRemoved) {
  CFindInFilesDlg dialog(store, FindInFilesPurpose::Search);
  QString typed;
  setExtensionDialogHook([&](CExtensionDlg& extension) {
    extension.show();
    EXPECT_EQ(extension.windowTitle(), QStringLiteral("ﾀﾞｲｱﾛｸﾞ"));
    EXPECT_EQ(extension.focusWidget(), extension.extensionEdit());
    EXPECT_EQ(extension.findChild<QLabel*>()->buddy(), extension.extensionEdit());
    extension.extensionEdit()->setText(typed);
    clickOk(extension);
    if (extension.result() != QDialog::Accepted) {
      EXPECT_TRUE(extension.isVisible()) << "a refused extension can be corrected";
      extension.reject();
    }
    return extension.result() == QDialog::Accepted;
  });
  const QString longest = QString(9, QChar(0x3042));  // 27 bytes of UTF-8
  struct Case {
    QString typed;
    QString message;  // none: the extension is taken or, when listed already, ignored
  };
  const Case cases[] = {
      {"htm", ""},
      {"a/b", "拡張子に / は使えません。"},
      {QString(28, QLatin1Char('a')), "拡張子は 27 バイトまでです。"},
      {longest + QLatin1Char('a'), "拡張子は 27 バイトまでです。"},
      {longest, ""},
      {"txt", ""},
      {"", ""},
      {".TXT", ""},
  };
  for (const Case& c : cases) {
    messages.clear();
    typed = c.typed;
    child(dialog, "addButton")->click();
    if (c.message.isEmpty()) {
      EXPECT_TRUE(messages.empty()) << c.typed.toStdString();
    } else {
      ASSERT_EQ(messages.size(), 1u) << c.typed.toStdString();
      EXPECT_EQ(messages[0].text, c.message);
    }
  }
  EXPECT_EQ(rows(dialog.extensionList()), (QStringList{"(拡張子なし)", ".TXT", "htm", "rtf", "txt", longest}));
  EXPECT_EQ(dialog.conditions().extensions, QStringLiteral("/.TXT/htm/rtf/txt/") + longest + QLatin1Char('/'));

  dialog.extensionList()->setCurrentRow(2);
  child(dialog, "removeButton")->click();
  dialog.extensionList()->clearSelection();
  child(dialog, "removeButton")->click();
  EXPECT_EQ(dialog.extensions(), (QStringList{"", ".TXT", "rtf", "txt", longest}));

  // The empty extension is stored as an empty piece and comes back as one.
  dialog.findList()->setEditText(QStringLiteral("x"));
  dialog.folderEdit()->setText(path());
  child(dialog, "startButton")->click();
  EXPECT_EQ(stored(settings::FindReplaceExt), QStringLiteral("/.TXT/rtf/txt/") + longest + QLatin1Char('/'));
  EXPECT_EQ(CFindInFilesDlg(store, FindInFilesPurpose::Search).extensions(), dialog.extensions());
}

TEST_F(FindInFilesDialogs, ChangeTakesTheFolderFromTheChooserOpenedOnTheCurrentOne) {
  CFindInFilesDlg dialog(store, FindInFilesPurpose::Search);
  dialog.folderEdit()->setText(path());
  bool choose = true;
  setFolderDialogHook([&](CFolderSelectDlg& chooser) {
    EXPECT_EQ(chooser.folder(), path());
    if (!choose) return false;
    EXPECT_TRUE(chooser.selectFolder(path(QStringLiteral("sub"))));
    clickOk(chooser);
    return chooser.result() == QDialog::Accepted;
  });
  child(dialog, "changeButton")->click();
  EXPECT_EQ(dialog.folderEdit()->text(), path(QStringLiteral("sub")));
  dialog.folderEdit()->setText(path());
  choose = false;
  child(dialog, "changeButton")->click();
  EXPECT_EQ(dialog.folderEdit()->text(), path()) << "cancelled";
}

TEST_F(FindInFilesDialogs, FolderChooserShowsHomeAndRootAndOpensOnTheStartFolder) {
  CFolderSelectDlg chooser(path(QStringLiteral("missing/deeper")));
  chooser.show();
  EXPECT_EQ(chooser.windowTitle(), QStringLiteral("フォルダの選択"));
  QTreeView* tree = child<QTreeView>(chooser, "folderTree");
  ASSERT_EQ(tree, chooser.tree());
  EXPECT_EQ(tree->accessibleName(), QStringLiteral("フォルダ"));
  const QAbstractItemModel* model = tree->model();
  ASSERT_EQ(model->rowCount(), 2);
  EXPECT_EQ(model->index(0, 0).data().toString(), QDir::cleanPath(QDir::homePath()));
  EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("/"));

  // A start that does not exist opens on the nearest folder above it, unfolded.
  EXPECT_EQ(chooser.folder(), path());
  // Rows move while the folders around it are listed and sorted.
  const QPersistentModelIndex start = tree->currentIndex();
  EXPECT_TRUE(tree->isExpanded(start));
  for (QModelIndex up = start.parent(); up.isValid(); up = up.parent()) EXPECT_TRUE(tree->isExpanded(up));
  QModelIndex top = start;
  while (top.parent().isValid()) top = top.parent();
  EXPECT_EQ(top.row(), 1) << "under the root, not home";

  // Its listing arrives in the background: folders only, hidden ones left out.
  waitFor([&] { return model->rowCount(start) > 0; });
  QCoreApplication::processEvents();
  EXPECT_EQ(names(*model, start), QStringList{"sub"});
  tree->setCurrentIndex(model->index(0, 0, start));
  EXPECT_EQ(chooser.folder(), path(QStringLiteral("sub")));

  EXPECT_TRUE(chooser.selectFolder(QDir::homePath()));
  EXPECT_FALSE(tree->currentIndex().parent().isValid());
  EXPECT_EQ(tree->currentIndex().row(), 0);
}

TEST_F(FindInFilesDialogs, FolderTreeShowsAFolderUnderEachTopThatHoldsIt) {
  QDir(path()).mkpath(QStringLiteral("a/x/y"));
  QDir(path()).mkpath(QStringLiteral("a/.h"));
  QDir(path()).mkpath(QStringLiteral("b"));
  writeBytes(path(QStringLiteral("a/file.txt")), "text");
  FolderRootsModel model({path(), path(QStringLiteral("a"))});
  const QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  ASSERT_EQ(model.rowCount(), 2);
  const QModelIndex top = model.index(0, 0);
  const QModelIndex inner = model.index(1, 0);
  EXPECT_EQ(model.filePath(inner), path(QStringLiteral("a")));
  // A path belongs to the first top that holds it.
  const QModelIndex x = model.index(path(QStringLiteral("a/x")));
  EXPECT_EQ(x.parent().parent(), top);
  EXPECT_FALSE(model.index(QDir::rootPath()).isValid());

  model.fetchMore(top);
  model.fetchMore(inner);
  waitFor([&] { return names(model, top) == QStringList{"a", "b", "sub"} && names(model, inner) == QStringList{"x"}; });
  EXPECT_EQ(names(model, top), (QStringList{"a", "b", "sub"}));
  ASSERT_EQ(names(model, inner), QStringList{"x"});
  const QPersistentModelIndex innerX = model.index(0, 0, inner);
  model.fetchMore(innerX);
  waitFor([&] { return model.rowCount(innerX) > 0; });
  ASSERT_EQ(names(model, innerX), QStringList{"y"});
  EXPECT_EQ(model.filePath(model.index(0, 0, innerX)), path(QStringLiteral("a/x/y")));
  EXPECT_EQ(model.index(0, 0, innerX).parent(), innerX);
}

TEST_F(FindInFilesDialogs, FolderChooserGivesTheSelectedFolderOrNothing) {
  for (const bool accept : {true, false}) {
    setFolderDialogHook([&](CFolderSelectDlg& chooser) {
      if (!accept) return false;
      clickOk(chooser);
      return chooser.result() == QDialog::Accepted;
    });
    EXPECT_EQ(runFolderDialog(nullptr, path()), accept ? std::optional<QString>(path()) : std::nullopt);
  }
}

}  // namespace
}  // namespace wabunko
