// Vertical writing in the view: the command, the stored direction, and what a change of
// direction keeps.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CMainFrame.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "view/CWabunkoView.h"
#include "view/LineNumberGutter.h"
#include "view/ViewCommands.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

void type(EditControl& edit, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit.widget(), &press);
  }
}

TEST(VerticalWriting, TheCommandSwitchesInPlaceAndIsRemembered) {
  AppHarness h;
  CommandRouter& router = h.app().router();
  CWabunkoView* view = viewOf(h.documents().front());
  EditControl* rows = &view->edit();
  EXPECT_FALSE(rows->isVertical());
  QTextDocument* text = rows->textDocument();

  rows->replaceSel(QStringLiteral("一行目\n二行目の文"), true);
  rows->setSel(1, 3);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  rows->setSelectionCharFormat(bold);
  rows->setSel(5, 8);
  const bool undoable = text->isUndoAvailable();
  const QFont font = text->defaultFont();

  router.dispatch(cmd::VerticalWriting);
  EditControl& columns = view->edit();
  EXPECT_TRUE(columns.isVertical());
  EXPECT_TRUE(columns.widget()->isVisible());
  EXPECT_FALSE(rows->widget()->isVisible());
  EXPECT_EQ(columns.textDocument(), text);
  EXPECT_EQ(text->toPlainText(), QStringLiteral("一行目\n二行目の文"));
  EXPECT_EQ(columns.textCursor().anchor(), 5);
  EXPECT_EQ(columns.textCursor().position(), 8);
  EXPECT_TRUE(columns.isModified());
  EXPECT_EQ(text->isUndoAvailable(), undoable);
  EXPECT_EQ(readInt(h.store(), settings::FrameVertical), 1);
  EXPECT_EQ(router.update(cmd::VerticalWriting).checked(), true);
  // Lines are columns now, with the same numbers.
  EXPECT_EQ(columns.lineFromChar(6), 1);

  router.dispatch(cmd::VerticalWriting);
  EXPECT_EQ(&view->edit(), rows);
  EXPECT_EQ(rows->textDocument(), text);
  EXPECT_EQ(rows->textCursor().anchor(), 5);
  EXPECT_EQ(rows->textCursor().position(), 8);
  for (int pos = 0; pos < 4; ++pos) {
    QTextCursor after(text);
    after.setPosition(pos + 1);  // the format of the character before
    EXPECT_EQ(after.charFormat().fontWeight() == QFont::Bold, pos == 1 || pos == 2) << pos;
  }
  EXPECT_EQ(text->defaultFont(), font);
  EXPECT_EQ(readInt(h.store(), settings::FrameVertical), 0);
  EXPECT_EQ(router.update(cmd::VerticalWriting).checked(), false);
}

TEST(VerticalWriting, EditsMadeInColumnsAreUndoneInRowsInOrder) {
  AppHarness h;
  CWabunkoView* view = viewOf(h.documents().front());
  view->edit().replaceSel(QStringLiteral("前"), true);
  view->edit().setModified(false);
  view->setVerticalWriting(true);
  view->edit().widget()->setFocus();
  type(view->edit(), QStringLiteral("縦"));
  view->edit().setSel(0, 0);
  type(view->edit(), QStringLiteral("頭"));
  EXPECT_EQ(view->edit().textDocument()->toPlainText(), QStringLiteral("頭前縦"));
  EXPECT_TRUE(view->edit().isModified());

  view->setVerticalWriting(false);
  EXPECT_EQ(view->edit().textCursor().position(), 1);
  view->edit().undo();
  EXPECT_EQ(view->edit().textDocument()->toPlainText(), QStringLiteral("前縦"));
  view->edit().undo();
  EXPECT_EQ(view->edit().textDocument()->toPlainText(), QStringLiteral("前"));
  EXPECT_FALSE(view->edit().isModified());
}

TEST(VerticalWriting, NewViewsStartInTheStoredDirectionWithTheGutterAlongTheTop) {
  AppHarness h({{QStringLiteral("Frame position"),
                 {{QStringLiteral("縦書き"), QStringLiteral("1")}, {QStringLiteral("Draw line number"), QStringLiteral("1")}}}});
  CWabunkoView* view = viewOf(h.documents().front());
  EditControl& edit = view->edit();
  ASSERT_TRUE(edit.isVertical());
  view->edit().replaceSel(QStringLiteral("一\n二\n三"), true);
  edit.widget()->resize(300, 200);
  view->gutter().layout();
  // "Height" 12: a strip of 48 pixels along the top.
  EXPECT_EQ(edit.textArea().top() - edit.widget()->contentsRect().top(), 48);
  EXPECT_EQ(edit.textArea().left(), edit.widget()->contentsRect().left());
  const std::vector<LineNumberGutter::Number> numbers = view->gutter().numbers();
  ASSERT_GE(numbers.size(), 3u);
  const int right = edit.textArea().right() + 1 - edit.widget()->contentsRect().left();
  EXPECT_EQ(numbers[0].text, QStringLiteral("   1:"));
  EXPECT_EQ(numbers[0].at, QPoint(right - 12 / 5, 0));
  const int pitch = numbers[0].at.x() - numbers[1].at.x();
  EXPECT_GT(pitch, 12);
  EXPECT_EQ(numbers[2].at.x(), numbers[1].at.x() - pitch);
  EXPECT_GT(numbers.back().at.x(), 0);
}

}  // namespace
}  // namespace wabunko
