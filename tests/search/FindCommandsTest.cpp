// The find commands on a real view, driven through the dialog's buttons as a user does.
#include "SearchFixture.h"

#include "view/CWabunkoView.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

const QString kQuestion = QStringLiteral("文書の最後まで検索しました\n文頭から再度検索しますか？");

TEST(FindCommands, FindNextRunsThroughThePassThenAsksWhetherToStartAgainFromTheTop) {
  SearchFixture f(QStringLiteral("Abc abc ABC"));
  f.edit().setSel(5, 5);
  f.open(true, QStringLiteral("abc"));
  f.press("findNextButton");
  EXPECT_EQ(f.selection(), std::make_pair(8, 11));  // letter case aside
  f.press("findNextButton");
  EXPECT_EQ(f.selection(), std::make_pair(0, 3));  // on from the top
  f.press("findNextButton");
  EXPECT_TRUE(f.h.messages.empty());
  EXPECT_EQ(f.selection(), std::make_pair(4, 7));  // where the pass began
  f.h.answers.push_back(QMessageBox::Yes);
  f.press("findNextButton");
  ASSERT_EQ(f.h.messages.size(), 1u);
  EXPECT_EQ(f.h.messages[0].text, kQuestion);
  EXPECT_EQ(f.h.messages[0].caption, QStringLiteral("Wabunko"));
  EXPECT_EQ(f.selection(), std::make_pair(0, 3));

  // Match case; after the dialog is gone the menu command goes on with its string.
  f.button<QAbstractButton>("matchCase")->click();
  f.press("findNextButton");
  EXPECT_EQ(f.selection(), std::make_pair(4, 7));
  f.press("cancelButton");
  f.h.answers.push_back(QMessageBox::Yes);
  f.run(cmd::FindNext);
  EXPECT_EQ(f.h.messages.back().text, kQuestion);
  EXPECT_EQ(f.selection(), std::make_pair(4, 7));

  f.dialog().findList()->setEditText(QStringLiteral("xyz"));
  f.press("findNextButton");
  f.h.answers.push_back(QMessageBox::Yes);
  f.press("findNextButton");
  EXPECT_EQ(f.h.messages.back().text, QStringLiteral("該当する文字列は見つかりません"));
}

TEST(FindCommands, NothingHappensWithoutAFindString) {
  SearchFixture f(QStringLiteral("abc"));
  f.edit().setSel(1, 2);
  f.run(cmd::FindNext);  // no button pressed yet: the dialog's string is empty
  f.run(cmd::FindUpward);
  f.open(false, QString(), QStringLiteral("x"));
  f.press("replaceAllButton");
  f.press("replaceNextButton");
  EXPECT_EQ(f.text(), QStringLiteral("abc"));
  EXPECT_TRUE(f.h.messages.empty());
}

TEST(FindCommands, FindUpwardFindsAboveTheCaretAlwaysMatchingCase) {
  SearchFixture f(QStringLiteral("A a\nb\nc a"));
  f.edit().setSel(9, 9);
  f.open(true, QStringLiteral("A"));
  f.button<QAbstractButton>("searchDown")->click();
  f.press("findNextButton");
  EXPECT_EQ(f.selection(), std::make_pair(0, 1));  // in the first line, not the a's
  f.press("findNextButton");
  EXPECT_EQ(f.selection(), std::make_pair(0, 0));  // nothing more: silent, the caret at the start
  EXPECT_TRUE(f.h.messages.empty());
}

TEST(FindCommands, ReplaceNextReplacesOnlyTheVeryStringAndCannotBeUndone) {
  SearchFixture f(QStringLiteral("Abc abc"));
  f.edit().setSel(0, 3);
  f.open(false, QStringLiteral("abc"), QStringLiteral("x"));
  f.press("replaceNextButton");
  EXPECT_EQ(f.text(), QStringLiteral("Abc abc"));  // Abc differs in case: it stays
  EXPECT_EQ(f.selection(), std::make_pair(4, 7));
  f.press("replaceNextButton");
  EXPECT_EQ(f.text(), QStringLiteral("Abc x"));
  EXPECT_EQ(f.selection(), std::make_pair(0, 3));  // the next one, from the top
  EXPECT_FALSE(f.edit().textDocument()->isUndoAvailable());
}

TEST(FindCommands, ReplaceAllReplacesEachOccurrenceOnceInOneStepThatUndoes) {
  SearchFixture f(QStringLiteral("a-A-a\nxa"));
  f.edit().setSel(3, 3);
  f.open(false, QStringLiteral("a"), QStringLiteral("aa"));
  f.press("replaceAllButton");
  EXPECT_EQ(f.text(), QStringLiteral("aa-aa-aa\nxaa"));
  // The caret stays where it was, moved with the text before it.
  EXPECT_EQ(f.selection(), std::make_pair(5, 5));
  f.edit().undo();
  EXPECT_EQ(f.text(), QStringLiteral("a-A-a\nxa"));
}

TEST(FindCommands, CountReportsHowManyAndLeavesTheLastSelected) {
  SearchFixture f(QStringLiteral("xyz xyz\nXYZ-xyz"));
  f.edit().setSel(5, 5);
  f.open(true, QStringLiteral("xyz"), {}, true);
  f.press("countButton");
  ASSERT_EQ(f.h.messages.size(), 1u);
  EXPECT_EQ(f.h.messages[0].text, QStringLiteral("xyz は 3 個見つかりました"));
  EXPECT_EQ(f.h.messages[0].caption, QStringLiteral("Wabunko"));
  EXPECT_EQ(f.h.messages[0].icon, QMessageBox::Information);
  // The last the pass met: it turned to the top and ended where it began.
  EXPECT_EQ(f.selection(), std::make_pair(4, 7));
  f.press("countButton");  // the selection is the first match now
  EXPECT_EQ(f.h.messages.back().text, QStringLiteral("xyz は 3 個見つかりました"));
  f.button<QAbstractButton>("matchCase")->click();
  f.press("countButton");
  EXPECT_EQ(f.h.messages.back().text, QStringLiteral("xyz は 4 個見つかりました"));
  f.dialog().findList()->setEditText(QStringLiteral("xyzw"));
  f.press("countButton");
  EXPECT_EQ(f.h.messages.back().text, QStringLiteral("xyzw は見つかりません"));
}

TEST(FindCommands, ReplacingIsOffInAReadOnlyView) {
  SearchFixture f(QStringLiteral("abc"));
  f.open(false, QStringLiteral("b"), QStringLiteral("x"));
  f.edit().setReadOnly(true);
  f.press("replaceAllButton");
  f.press("replaceNextButton");
  EXPECT_EQ(f.text(), QStringLiteral("abc"));
  CommandRouter& router = f.h.app().router();
  EXPECT_FALSE(router.update(cmd::ReplaceText).enabled());
  EXPECT_TRUE(router.update(cmd::FindText).enabled());
  EXPECT_TRUE(router.update(cmd::FindUpward).enabled());
}

// The dialog stands clear of every match it finds, in rows and in columns.
TEST(FindCommands, TheDialogNeverCoversTheMatch) {
  for (const bool vertical : {false, true}) {
    QString text;
    for (int i = 0; i < 40; ++i) text += QStringLiteral("行%1 の文章と目印\n").arg(i);
    SearchFixture f(text);
    QWidget* frame = f.h.app().mainFrame();
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    frame->show();
    if (vertical) viewOf(f.h.documents().front())->setVerticalWriting(true);
    f.open(true, QStringLiteral("目印"));
    // Put the dialog over the fourth match.
    int fourth = -1;
    for (int i = 0; i < 4; ++i) fourth = static_cast<int>(text.indexOf(QStringLiteral("目印"), fourth + 1));
    f.dialog().move(f.edit().rangeRectOnScreen(fourth, fourth + 2).topLeft() - QPoint(10, 10));
    bool moved = false;
    for (int i = 0; i < 12; ++i) {
      const QPoint before = f.dialog().pos();
      f.press("findNextButton");
      moved = moved || f.dialog().pos() != before;
      const auto [start, end] = f.selection();
      ASSERT_LT(start, end);
      EXPECT_FALSE(f.dialog().frameGeometry().intersects(f.edit().rangeRectOnScreen(start, end)))
          << "vertical " << vertical << ", match " << i;
    }
    EXPECT_TRUE(moved) << "the dialog stood where matches are";
  }
}

TEST(FindCommands, EveryCommandWorksTheSameInVerticalWriting) {
  SearchFixture f(QStringLiteral("あいう\nいう\nう"));
  viewOf(f.h.documents().front())->setVerticalWriting(true);
  f.edit().setSel(8, 8);
  f.open(false, QStringLiteral("いう"), QStringLiteral("イウ"));
  f.button<QAbstractButton>("searchDown")->click();
  f.press("findNextButton");
  EXPECT_EQ(f.selection(), std::make_pair(4, 6));
  f.press("countButton");
  EXPECT_EQ(f.h.messages.back().text, QStringLiteral("いう は 2 個見つかりました"));
  f.press("replaceAllButton");
  EXPECT_EQ(f.text(), QStringLiteral("あイウ\nイウ\nう"));
}

}  // namespace
}  // namespace wabunko
