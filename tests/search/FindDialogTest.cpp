// The find dialog in its two forms: what it opens with, its keys and its histories.
#include "SearchFixture.h"

#include "frame/SettingsLayout.h"
#include "frame/ProfileSettings.h"
#include "platform/MemoryStore.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

TEST(FindDialog, OpensWithTheFirstLineOfTheSelectionAndFreshCheckBoxes) {
  SearchFixture f(QStringLiteral("abc def\nghi"));
  f.edit().setSel(4, 10);
  f.run(cmd::ReplaceText);
  CWabFindDlg& dialog = f.dialog();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("文字列の置換"));
  EXPECT_EQ(dialog.findList()->currentText(), QStringLiteral("def"));
  EXPECT_EQ(dialog.replaceList()->currentText(), QStringLiteral("def"));
  EXPECT_EQ(f.find().state().findText, QStringLiteral("def"));
  EXPECT_FALSE(f.button<QCheckBox>("matchCase")->isChecked());
  EXPECT_TRUE(f.button<QCheckBox>("searchDown")->isChecked());
  // Every input has its label.
  for (const QLabel* label : dialog.findChildren<QLabel*>()) EXPECT_NE(label->buddy(), nullptr);

  // A selection that starts with a line break seeds nothing; the find form has one list.
  f.edit().setSel(7, 9);
  f.run(cmd::FindText);
  EXPECT_EQ(f.dialog().windowTitle(), QStringLiteral("文字列の検索"));
  EXPECT_EQ(f.dialog().findList()->currentText(), QString());
  EXPECT_EQ(f.dialog().replaceList(), nullptr);
  EXPECT_EQ(f.button("replaceAllButton"), nullptr);
}

TEST(FindDialog, EnterFindsInBothFormsWhateverHasTheFocusAndEscHides) {
  for (const bool findOnly : {true, false}) {
    SearchFixture f(QStringLiteral("one two one"));
    f.open(findOnly, QStringLiteral("one"), QStringLiteral("1"));
    f.dialog().activateWindow();
    QWidget* focus = findOnly ? static_cast<QWidget*>(f.button("countButton")) : f.button("replaceNextButton");
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.selection(), std::make_pair(0, 3)) << findOnly;
    EXPECT_EQ(f.text(), QStringLiteral("one two one")) << "Enter does not replace";
    QTest::keyClick(f.dialog().findList()->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.selection(), std::make_pair(8, 11)) << findOnly;
    QTest::keyClick(&f.dialog(), Qt::Key_Escape);
    EXPECT_FALSE(f.dialog().isVisible());
  }
}

TEST(FindDialog, HistoriesKeepTenEntriesNewestFirstAndOneOfEachSpellingButForCase) {
  SearchFixture f(QStringLiteral("Abc abc"),
                  {{QStringLiteral("Find Replace List"),
                    {{QStringLiteral("Find Item 0"), QStringLiteral("old")},
                     {QStringLiteral("Find Item 1"), QStringLiteral("two\r\nlines")},
                     {QStringLiteral("Replace Item 0"), QStringLiteral("r")}}}});
  f.open(false, QStringLiteral("Abc"));
  // A short history ends in an empty line; stored line breaks end an entry.
  EXPECT_EQ(items(f.dialog().findList()), (QStringList{"old", "two", ""}));
  EXPECT_EQ(items(f.dialog().replaceList()), (QStringList{"r", ""}));
  f.press("findNextButton");
  f.dialog().findList()->setEditText(QStringLiteral("abc"));
  f.press("findNextButton");
  EXPECT_EQ(items(f.dialog().findList()), (QStringList{"abc", "old", "two", ""}));
  const auto stored = [&](int i) {
    return readString(f.h.store(), settings::findItem(static_cast<std::size_t>(i)));
  };
  EXPECT_EQ(stored(0), QStringLiteral("abc"));
  EXPECT_EQ(stored(1), QStringLiteral("old"));
  EXPECT_EQ(stored(2), QStringLiteral("two"));
  EXPECT_EQ(stored(3), QString());
  // Only the buttons that read both lists store the replace history.
  EXPECT_EQ(readString(f.h.store(), settings::replaceItem(0)), QStringLiteral("r"));

  for (int i = 0; i < 12; ++i) {
    f.dialog().findList()->setEditText(QStringLiteral("w%1").arg(i));
    f.press("countButton");
  }
  EXPECT_EQ(stored(0), QStringLiteral("w11"));
  EXPECT_EQ(stored(9), QStringLiteral("w2"));
}

}  // namespace
}  // namespace wabunko
