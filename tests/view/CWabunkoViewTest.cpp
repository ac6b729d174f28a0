// The editing view through the real application offscreen: set-up from the settings,
// the modified mark, the caret report, wrap modes, read-only, insert mode, printing.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "platform/StandardCommands.h"
#include "platform/RichTextStream.h"
#include "view/CWabunkoView.h"
#include "view/ViewCommands.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPrinter>
#include <QTimer>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

CChildFrame* frameOf(CWabunkoDoc* doc) { return qobject_cast<CChildFrame*>(viewOf(doc)->childFrame()); }

TEST(CWabunkoView, TheMouseAndTheKeyboardOpenTheViewsOwnContextMenu) {
  AppHarness h;
  EditControl& edit = h.documents().front()->display()->edit();
  auto* area = qobject_cast<QAbstractScrollArea*>(edit.widget());
  ASSERT_NE(area, nullptr);
  for (const auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
    QStringList titles;
    QTimer::singleShot(0, [&] {
      if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* action : popup->actions()) titles << action->text();
        popup->close();
      }
    });
    QWidget* target = reason == QContextMenuEvent::Mouse ? area->viewport() : area;
    QContextMenuEvent request(reason, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &request);
    EXPECT_EQ(titles.join(QLatin1Char('|')),
              QStringLiteral("元に戻す||切り取り|ｺﾋﾟｰ|貼り付け|削除|ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け||検索|次を検索|置換||"
                             "文字書式|段落書式||ｼﾞｬﾝﾌﾟ||選択|挿入"));
  }
}

TEST(CWabunkoView, SettingsShapeANewView) {
  struct Case {
    QMap<QString, QMap<QString, QString>> settings;
    int wrap;
    qreal tab;          // first tab stop, pixels
    qreal leftMargin;   // pixels
    qreal textIndent;
  };
  const Case cases[] = {
      {{}, 2, 0, 0, 0},  // no "Word wrap": print width; "Tab Space" 0: stops at 0
      {{{QStringLiteral("Frame position"), {{QStringLiteral("Word wrap"), QStringLiteral("0")}}},
        {QStringLiteral("Style"),
         {{QStringLiteral("Tab Space"), QStringLiteral("5")},
          {QStringLiteral("Indent Start"), QStringLiteral("-2")},
          {QStringLiteral("Indent Left"), QStringLiteral("4")}}}},
       0, 5 * 57 / 15.0, 4 * 57 / 15.0, -2 * 57 / 15.0},
  };
  for (const Case& c : cases) {
    AppHarness h(c.settings);
    CWabunkoView* view = viewOf(h.documents().front());
    EXPECT_EQ(view->wordWrap(), c.wrap);
    const QList<QTextOption::Tab> tabs = view->edit().textDocument()->defaultTextOption().tabs();
    ASSERT_EQ(tabs.size(), 32);
    EXPECT_DOUBLE_EQ(tabs.front().position, c.tab);
    EXPECT_DOUBLE_EQ(tabs.back().position, 32 * c.tab);
    const QTextBlockFormat block = view->edit().textDocument()->begin().blockFormat();
    EXPECT_DOUBLE_EQ(block.leftMargin(), c.leftMargin);
    EXPECT_DOUBLE_EQ(block.textIndent(), c.textIndent);
  }
}

TEST(CWabunkoView, EditsMarkTheTitleAndASaveClearsIt) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("m.txt")), "text");
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("m.txt")));
  EXPECT_FALSE(frameOf(doc)->modifiedMark());
  EXPECT_EQ(frameOf(doc)->windowTitle(), QStringLiteral("m.txt"));
  doc->display()->edit().replaceSel(QStringLiteral("x"), true);
  EXPECT_TRUE(frameOf(doc)->modifiedMark());
  EXPECT_EQ(frameOf(doc)->windowTitle(), QStringLiteral("m.txt *"));
  doc->onFileSave();
  EXPECT_FALSE(frameOf(doc)->modifiedMark());
  EXPECT_EQ(frameOf(doc)->windowTitle(), QStringLiteral("m.txt"));
}

TEST(CWabunkoView, CaretReportFollowsTheCaretAndReturnReportsTheNextLine) {
  AppHarness h;
  CWabunkoView* view = viewOf(h.documents().front());
  CMainFrame* frame = h.app().mainFrame();
  view->edit().replaceSel(QStringLiteral("abc\ndefg"), true);
  view->edit().setSel(6, 6);
  EXPECT_EQ(frame->caretLine, 2);
  EXPECT_EQ(frame->caretColumn, 2);
  QTest::keyPress(view->edit().widget(), Qt::Key_Return);
  EXPECT_EQ(frame->caretLine, 3);
  EXPECT_EQ(frame->caretColumn, 0);
}

TEST(CWabunkoView, WrapCommandsApplyAndAreRemembered) {
  AppHarness h;
  CommandRouter& router = h.app().router();
  router.dispatch(cmd::WrapWindow);
  EXPECT_EQ(viewOf(h.documents().front())->wordWrap(), 1);
  EXPECT_EQ(readInt(h.store(), settings::FrameWordWrap), 1);
  EXPECT_EQ(router.update(cmd::WrapWindow).checked(), true);
  EXPECT_EQ(router.update(cmd::WrapNone).checked(), false);
  router.dispatch(cmd::FileNew);
  EXPECT_EQ(viewOf(h.documents().back())->wordWrap(), 1);  // later views take the last choice
}

TEST(CWabunkoView, ReadOnlyOnAndOffKeepsTheFontAndTheModifiedState) {
  for (const bool modifiedBefore : {false, true}) {
    AppHarness h({{QStringLiteral("Font\\Read only"),
                   {{QStringLiteral("Height"), QStringLiteral("20")}, {QStringLiteral("Color"), QStringLiteral("255")}}}});
    CWabunkoDoc* doc = h.documents().front();
    EditControl& edit = doc->display()->edit();
    edit.replaceSel(QStringLiteral("text"), true);
    doc->setModifiedFlag(modifiedBefore);
    h.app().router().dispatch(cmd::ReadOnlyToggle);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(doc->isModified(), modifiedBefore);
    h.app().router().dispatch(cmd::ReadOnlyToggle);
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_EQ(doc->isModified(), modifiedBefore);
    edit.setSel(1, 1);
    EXPECT_EQ(edit.selectionCharFormat().fontPointSize(), 20);
    EXPECT_EQ(edit.selectionCharFormat().foreground().color(), QColor(255, 0, 0));
  }
}

TEST(CWabunkoView, OverwriteModeIsCarriedToTheNextView) {
  AppHarness h;
  CWabunkoView* first = viewOf(h.documents().front());
  first->edit().widget()->setFocus();
  QTest::keyClick(first->edit().widget(), Qt::Key_Insert);
  EXPECT_TRUE(first->edit().isOverwriteMode());
  EXPECT_EQ(h.app().mainFrame()->insertMode, 0);

  h.app().router().dispatch(cmd::FileNew);
  CWabunkoView* second = viewOf(h.documents().back());
  QFocusEvent focusIn(QEvent::FocusIn);
  QCoreApplication::sendEvent(second->edit().widget(), &focusIn);
  EXPECT_TRUE(second->edit().isOverwriteMode());
  EXPECT_EQ(h.app().mainFrame()->insertMode, 0);
}

// Prints the view to a PDF file and counts its pages.
qsizetype printedPages(const CWabunkoView& view, const QString& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  view.print(printer);
  const QByteArray pdf = readBytes(path);
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ");
}

TEST(CWabunkoView, PrintsEveryPageToPdfInRowsOrColumns) {
  AppHarness h;
  CWabunkoView* view = viewOf(h.documents().front());
  view->edit().replaceSel(QStringLiteral("日本語の行\n").repeated(120), true);
  const qsizetype rows = printedPages(*view, h.path(QStringLiteral("rows.pdf")));
  EXPECT_GE(rows, 2);
  // 120 short columns take more pages than the same lines as rows.
  view->setVerticalWriting(true);
  EXPECT_GT(printedPages(*view, h.path(QStringLiteral("columns.pdf"))), rows);
}

}  // namespace
}  // namespace wabunko
