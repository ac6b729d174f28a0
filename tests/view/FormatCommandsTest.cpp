// The formatting commands on a real view, in rows and in columns: effects on what the
// whole selection has, the font dialog, raising and lowering, alignment, the indent
// dialog, one undo step each, and a formatted text file saved as rich text.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CommandTable.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/CommandRouter.h"
#include "platform/DocumentManager.h"
#include "platform/MemoryStore.h"
#include "platform/StandardCommands.h"
#include "platform/EditControl.h"
#include "platform/FontDialog.h"
#include "platform/TextFormatTwips.h"
#include "view/CIndentDlg.h"
#include "view/CWabunkoView.h"
#include "view/ViewCommands.h"

#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

class FormatCommandsTest : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    view_ = viewOf(h_.documents().front());
    view_->setVerticalWriting(GetParam());
    view_->edit().replaceSel(QStringLiteral("abcdef\nsecond line"), true);
  }
  void TearDown() override {
    setFontDialogHook({});
    setIndentDialogHook({});
  }

  EditControl& edit() { return view_->edit(); }
  CWabunkoDoc* doc() { return view_->document(); }
  void run(int id) { h_.app().router().dispatch(id); }
  // The format of the character at `pos`.
  QTextCharFormat at(int pos) {
    QTextCursor c(edit().textDocument());
    c.setPosition(pos + 1);
    return c.charFormat();
  }
  bool bold(int pos) { return at(pos).fontWeight() >= QFont::Bold; }

  AppHarness h_;
  CWabunkoView* view_ = nullptr;
};

TEST_P(FormatCommandsTest, BoldGoesOnWhereAnyOfTheSelectionLacksItAndOffWhereAllHasIt) {
  edit().setSel(0, 3);
  run(cmd::FormatBold);
  ASSERT_TRUE(bold(0) && bold(2) && !bold(3));
  EXPECT_TRUE(doc()->m_bRTF);
  // Half bold: all of it becomes bold, then none.
  edit().setSel(0, 6);
  run(cmd::FormatBold);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(bold(i)) << i;
  run(cmd::FormatBold);
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(bold(i)) << i;
  // Each was one step.
  edit().undo();
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(bold(i)) << i;
  edit().undo();
  EXPECT_TRUE(bold(0) && !bold(3));
  // The bar's button shows the caret's text.
  edit().setSel(1, 1);
  EXPECT_TRUE(h_.app().router().action(cmd::FormatBold)->isChecked());
  edit().setSel(4, 4);
  EXPECT_FALSE(h_.app().router().action(cmd::FormatBold)->isChecked());
}

TEST_P(FormatCommandsTest, TheFontDialogStartsFromTheSelectionAndItsChoiceWithColourReachesIt) {
  edit().setSel(0, 3);
  std::optional<FontChoice> shown;
  setFontDialogHook([&](FontDialog& dialog) {
    shown = dialog.choice();
    FontChoice choice = dialog.choice();
    choice.pointTenths = 200;
    choice.weight = 700;
    choice.underline = true;
    choice.color = QColor(255, 0, 0);
    dialog.setChoice(choice);
    return true;
  });
  run(cmd::FormatFont);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->pointTenths, 120);
  EXPECT_EQ(shown->weight, 400);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(at(i).foreground().color(), QColor(255, 0, 0)) << i;
    EXPECT_EQ(heightTwips(at(i), {}), 400);
    EXPECT_TRUE(bold(i) && at(i).fontUnderline());
  }
  EXPECT_FALSE(at(3).hasProperty(QTextFormat::ForegroundBrush));
  EXPECT_TRUE(doc()->m_bRTF);
  // Cancelled: nothing changes.
  doc()->m_bRTF = false;
  setFontDialogHook([](FontDialog&) { return false; });
  edit().setSel(3, 6);
  run(cmd::FormatFont);
  EXPECT_FALSE(bold(3));
  EXPECT_FALSE(doc()->m_bRTF);
}

TEST_P(FormatCommandsTest, RaisingCountsTwipsAndBackToNormalUndoesItWithoutMakingRichText) {
  edit().setSel(0, 2);
  view_->format().applyHeight(210);
  run(cmd::FormatSuperscript);
  EXPECT_EQ(heightTwips(at(0), {}), 120);
  EXPECT_EQ(offsetTwips(at(1)), 60);
  run(cmd::FormatSuperscript);
  EXPECT_EQ(heightTwips(at(1), {}), 72);
  EXPECT_EQ(offsetTwips(at(0)), 96);
  edit().undo();
  EXPECT_EQ(offsetTwips(at(0)), 60);
  edit().setSel(0, 2);
  run(cmd::FormatSubscript);
  EXPECT_EQ(offsetTwips(at(0)), 60 - 6);
  run(cmd::FormatResize);
  EXPECT_EQ(heightTwips(at(0), {}), 240);  // the size of new text, 12 points
  EXPECT_EQ(offsetTwips(at(0)), 0);
  EXPECT_EQ(at(0).baselineOffset(), 0);
  EXPECT_FALSE(doc()->m_bRTF);
}

TEST_P(FormatCommandsTest, AReadOnlyViewKeepsItsFormats) {
  edit().setSel(0, 3);
  h_.app().router().dispatch(cmd::ReadOnlyToggle);
  edit().setSel(0, 3);
  const QTextCharFormat before = at(1);
  EXPECT_FALSE(h_.app().router().update(cmd::FormatBold).enabled());
  view_->format().applyHeight(400);
  view_->format().applyFace(QStringLiteral("Serif"));
  EXPECT_EQ(at(1), before);
}

TEST_P(FormatCommandsTest, AlignmentSetsTheSelectedParagraphs) {
  edit().setSel(8, 9);
  run(cmd::AlignCentre);
  const QTextDocument* text = edit().textDocument();
  EXPECT_EQ(text->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_NE(text->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_TRUE(h_.app().router().action(cmd::AlignCentre)->isChecked());
  EXPECT_FALSE(h_.app().router().action(cmd::AlignLeft)->isChecked());
  EXPECT_TRUE(doc()->m_bRTF);
}

TEST_P(FormatCommandsTest, TheIndentDialogShowsMillimetresAndWritesTheDefaultsForNewViews) {
  // Start 570 twips, offset -285: left 5, first line 5.
  QTextBlockFormat indents;
  indents.setLeftMargin(pixelsFromTwips(285));
  indents.setTextIndent(pixelsFromTwips(285));
  edit().setSel(0, 0);
  edit().setSelectionParaFormat(indents);
  std::vector<int> shown;
  setIndentDialogHook([&](CIndentDlg& dialog) {
    shown = {dialog.m_nLeft, dialog.m_nRight, dialog.m_nFirst};
    dialog.findChild<QLineEdit*>(QStringLiteral("rightEdit"))->setText(QStringLiteral("abc"));  // reads 0
    dialog.findChild<QLineEdit*>(QStringLiteral("firstEdit"))->setText(QStringLiteral("-2"));
    return true;
  });
  run(cmd::FormatIndent);
  EXPECT_EQ(shown, (std::vector<int>{5, 0, 5}));
  EXPECT_EQ(readInt(h_.store(), settings::StyleIndentLeft), 5);
  EXPECT_EQ(readInt(h_.store(), settings::StyleIndentRight), 0);
  EXPECT_EQ(readInt(h_.store(), settings::StyleIndentStart), -2);
  const QTextBlockFormat now = edit().textDocument()->begin().blockFormat();
  EXPECT_EQ(twipsFromPixels(now.leftMargin()), 285);
  EXPECT_EQ(twipsFromPixels(now.textIndent()), -114);
  EXPECT_FALSE(doc()->m_bRTF);
  // A view made later takes them.
  h_.app().router().dispatch(cmd::FileNew);
  const QTextBlockFormat fresh = viewOf(h_.documents().back())->edit().textDocument()->begin().blockFormat();
  EXPECT_EQ(twipsFromPixels(fresh.textIndent()), -114);
}

TEST_P(FormatCommandsTest, AnIndentedParagraphStartsFurtherAlongItsLines) {
  const QRect before = edit().rangeRectOnScreen(7, 7);
  setIndentDialogHook([](CIndentDlg& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("leftEdit"))->setText(QStringLiteral("10"));
    dialog.findChild<QLineEdit*>(QStringLiteral("firstEdit"))->setText(QStringLiteral("5"));
    return true;
  });
  edit().setSel(8, 8);
  run(cmd::FormatIndent);
  const QRect after = edit().rangeRectOnScreen(7, 7);
  // 15 mm: 855 twips, 57 pixels; across the lines nothing moves.
  const QPoint moved = after.topLeft() - before.topLeft();
  EXPECT_EQ(GetParam() ? moved : moved.transposed(), QPoint(0, 57));
}

TEST_P(FormatCommandsTest, AFormattedTextFileIsSavedAsRichTextAndReadsBackTheSame) {
  const QString path = h_.path(QStringLiteral("a.txt"));
  ASSERT_TRUE(doc()->doSave(path, true));
  edit().setSel(0, 3);
  run(cmd::FormatItalic);
  view_->format().applyHeight(400);
  edit().setSel(3, 4);
  run(cmd::FormatSuperscript);
  edit().setSel(8, 8);
  run(cmd::AlignRight);
  // The indents also become the defaults for new text; the file's paragraphs keep their own.
  setIndentDialogHook([](CIndentDlg& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("leftEdit"))->setText(QStringLiteral("10"));
    return true;
  });
  run(cmd::FormatIndent);
  doc()->onFileSave();
  ASSERT_TRUE(readBytes(path).startsWith("{\\rtf1"));

  h_.app().documentManager().closeAllDocuments();
  CWabunkoDoc* again = h_.open(path);
  ASSERT_NE(again, nullptr);
  const QTextDocument* text = viewOf(again)->edit().textDocument();
  QTextCursor c(const_cast<QTextDocument*>(text));
  c.setPosition(1);
  EXPECT_TRUE(c.charFormat().fontItalic());
  EXPECT_EQ(heightTwips(c.charFormat(), {}), 400);
  c.setPosition(4);
  EXPECT_EQ(heightTwips(c.charFormat(), {}), 144);
  EXPECT_EQ(offsetTwips(c.charFormat()), 72);
  EXPECT_EQ(text->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(twipsFromPixels(text->findBlockByNumber(1).blockFormat().leftMargin()), 570);
  EXPECT_EQ(text->findBlockByNumber(0).blockFormat().leftMargin(), 0);
  EXPECT_EQ(text->toPlainText(), QStringLiteral("abcdef\nsecond line"));
}

INSTANTIATE_TEST_SUITE_P(Directions, FormatCommandsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Columns" : "Rows"; });

}  // namespace
}  // namespace wabunko
