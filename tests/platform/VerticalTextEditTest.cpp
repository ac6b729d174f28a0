// The vertical edit control offscreen: its lines against the horizontal control's on the
// same text, caret and keys across and along the columns, hit testing, and the input
// method's composition inside a column.
#include "platform/RichTextEdit.h"
#include "platform/VerticalTextEdit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

// Types `text` as key presses carrying it (QTest's own clicks know only ASCII).
void type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
  }
}

constexpr int kLineLength = 200;  // pixels: the printed line both controls wrap at

QString sampleText() {
  QStringList paragraphs;
  for (int i = 0; i < 40; ++i)
    paragraphs << QStringLiteral("第%1段。吾輩は猫である、名前はまだ無い。Latin words 2026 and「括弧」。").arg(i) +
                      QString(i % 3, QChar(u'あ'));
  paragraphs << QString() << QStringLiteral("最後");
  return paragraphs.join(QLatin1Char('\n'));
}

// The same text in both directions, wrapped at the same length.
struct BothControls {
  BothControls() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(16);
    for (QTextDocument* doc : {&rowsText, &columnsText}) {
      doc->setDefaultFont(font);
      doc->setPlainText(sampleText());
    }
    rows.setDocument(&rowsText);
    columns.setDocument(&columnsText);
    rows.resize(300, 240);
    columns.resize(240, 300);
    for (DocumentEditControl* c : {static_cast<DocumentEditControl*>(&rows), static_cast<DocumentEditControl*>(&columns)}) {
      c->setWrap(EditControl::Wrap::PrintWidth, kLineLength);
      c->widget()->show();
    }
    QApplication::processEvents();
  }
  QTextDocument rowsText;
  QTextDocument columnsText;
  RichTextEdit rows;
  VerticalTextEdit columns;
};

TEST(VerticalTextEdit, LinesAreTheColumnsOfTheSameLayout) {
  BothControls both;
  const RichTextEdit& rows = both.rows;
  const VerticalTextEdit& columns = both.columns;
  ASSERT_GT(rows.lineCount(), 41);  // paragraphs wrap
  EXPECT_EQ(columns.lineCount(), rows.lineCount());
  for (int pos = 0; pos <= rows.textLength(); pos += 7) {
    EXPECT_EQ(columns.lineFromChar(pos), rows.lineFromChar(pos)) << pos;
    EXPECT_EQ(columns.lineLength(pos), rows.lineLength(pos)) << pos;
  }
  for (int line = 0; line <= rows.lineCount(); ++line) {
    EXPECT_EQ(columns.lineIndex(line), rows.lineIndex(line)) << line;
    EXPECT_EQ(columns.lineText(line), rows.lineText(line)) << line;
  }
}

TEST(VerticalTextEdit, ScrollingGoesByColumnsFromTheRight) {
  BothControls both;
  VerticalTextEdit& columns = both.columns;
  QScrollBar* bar = columns.lineScrollBar();
  EXPECT_EQ(bar, columns.horizontalScrollBar());
  EXPECT_TRUE(bar->invertedAppearance());
  EXPECT_EQ(columns.firstVisibleLine(), 0);
  EXPECT_EQ(columns.firstVisibleLineOffset(), 0);

  // The first column stands at the right edge, the next one left of it.
  const QRectF first = columns.characterRect(0);
  const QRectF second = columns.characterRect(columns.lineIndex(1));
  EXPECT_NEAR(first.right(), columns.viewport()->width() - columns.document()->documentMargin(), 1);
  EXPECT_NEAR(second.right(), first.left(), 1);

  for (int lines : {5, 3, -2}) {
    both.rows.lineScroll(lines);
    columns.lineScroll(lines);
    EXPECT_EQ(columns.firstVisibleLine(), both.rows.firstVisibleLine());
    EXPECT_EQ(columns.firstVisibleLineOffset(), both.rows.firstVisibleLineOffset());
  }
  EXPECT_EQ(columns.firstVisibleLine(), 6);
  // The column scrolled to stands at the right edge, its margin scrolled away.
  const qreal margin = columns.document()->documentMargin();
  EXPECT_EQ(columns.firstVisibleLineOffset(), margin);
  EXPECT_NEAR(columns.characterRect(columns.lineIndex(6)).right(), first.right() + margin, 1);
  // Part of a column's width further: the same column.
  bar->setValue(bar->value() + 3);
  EXPECT_EQ(columns.firstVisibleLine(), 6);
  EXPECT_EQ(columns.firstVisibleLineOffset(), margin + 3);
}

TEST(VerticalTextEdit, KeysMoveAlongAndAcrossColumnsAndTheMouseHitsCharacters) {
  BothControls both;
  VerticalTextEdit& columns = both.columns;
  columns.setFocus();
  columns.setSel(2, 2);
  QTest::keyClick(&columns, Qt::Key_Down);
  EXPECT_EQ(columns.textCursor().position(), 3);
  QTest::keyClick(&columns, Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(&columns, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(columns.textCursor().anchor(), 3);
  EXPECT_EQ(columns.textCursor().position(), 1);
  // Left goes on to the next column, Right back.
  QTest::keyClick(&columns, Qt::Key_Left);
  EXPECT_EQ(columns.lineFromChar(columns.textCursor().position()), 1);
  QTest::keyClick(&columns, Qt::Key_Right);
  EXPECT_EQ(columns.lineFromChar(columns.textCursor().position()), 0);
  QTest::keyClick(&columns, Qt::Key_Home);
  EXPECT_EQ(columns.textCursor().position(), 0);
  QTest::keyClick(&columns, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(columns.textCursor().position(), columns.textLength());

  // The caret is a bar across its column at the top of the character after it.
  columns.setSel(3, 3);
  const QRect caret = columns.cursorRect();
  const QRectF cell = columns.characterRect(3);
  EXPECT_NEAR(caret.top(), cell.top(), 1);
  EXPECT_NEAR(caret.left(), cell.left(), 1);
  EXPECT_NEAR(caret.width(), cell.width(), 1);

  for (int pos : {0, 5, 30, columns.lineIndex(3) + 2}) {
    const QRectF rect = columns.characterRect(pos);
    ASSERT_FALSE(rect.isEmpty()) << pos;
    EXPECT_EQ(columns.positionAt(rect.center() - QPointF(0, rect.height() / 4)), pos) << pos;
  }
  QTest::mouseClick(columns.viewport(), Qt::LeftButton, {}, columns.characterRect(30).center().toPoint() - QPoint(0, 3));
  EXPECT_EQ(columns.textCursor().position(), 30);
  QTest::mouseClick(columns.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                    columns.characterRect(33).center().toPoint() - QPoint(0, 3));
  EXPECT_EQ(columns.textCursor().selectionStart(), 30);
  EXPECT_EQ(columns.textCursor().selectionEnd(), 33);
}

TEST(VerticalTextEdit, TypingDeletingAndUndoingEditTheDocument) {
  QTextDocument text;
  VerticalTextEdit edit;
  edit.setDocument(&text);
  edit.resize(200, 200);
  edit.show();
  edit.setFocus();
  type(&edit, QStringLiteral("縦書き"));
  QTest::keyClick(&edit, Qt::Key_Return);
  QTest::keyClicks(&edit, QStringLiteral("ab"));
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QTest::keyClick(&edit, Qt::Key_Tab);  // typed, not a move to the next control
  EXPECT_EQ(text.toPlainText(), QStringLiteral("縦書き\na\t"));
  QTest::keyClick(&edit, Qt::Key_Backspace);
  edit.setOverwriteMode(true);
  QTest::keyClick(&edit, Qt::Key_Home);
  QTest::keyClicks(&edit, QStringLiteral("xyz"));
  EXPECT_EQ(text.toPlainText(), QStringLiteral("縦書き\nxyz"));
  edit.undo();
  EXPECT_EQ(text.toPlainText(), QStringLiteral("縦書き\na"));
  edit.setReadOnly(true);
  QTest::keyClicks(&edit, QStringLiteral("q"));
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(text.toPlainText(), QStringLiteral("縦書き\na"));
}

TEST(VerticalTextEdit, CompositionReflowsItsColumnAndCommitsAtTheCaret) {
  QTextDocument text;
  text.setPlainText(QStringLiteral("前後"));
  VerticalTextEdit edit;
  edit.setDocument(&text);
  edit.resize(200, 300);
  edit.show();
  edit.setFocus();
  edit.setSel(1, 1);
  const QRectF after = edit.characterRect(1);

  QInputMethodEvent compose(QStringLiteral("かな"), {{QInputMethodEvent::Cursor, 1, 1, {}}});
  QApplication::sendEvent(&edit, &compose);
  EXPECT_EQ(text.toPlainText(), QStringLiteral("前後"));
  EXPECT_EQ(edit.textLength(), 2);
  // 後 moves down by the two characters being composed. The caret stands where the input
  // method puts it; the candidate list is to open below the whole composition.
  EXPECT_NEAR(edit.characterRect(1).top(), after.top() + 2 * after.height(), 2);
  EXPECT_NEAR(edit.cursorRect().top(), after.top() + after.height(), 2);
  const QRectF candidates = static_cast<QWidget&>(edit).inputMethodQuery(Qt::ImCursorRectangle).toRectF();
  EXPECT_NEAR(candidates.top() - edit.viewport()->y(), edit.characterRect(1).top(), 2);

  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("仮名"));
  QApplication::sendEvent(&edit, &commit);
  EXPECT_EQ(text.toPlainText(), QStringLiteral("前仮名後"));
  EXPECT_EQ(edit.textCursor().position(), 3);
  EXPECT_NEAR(edit.characterRect(3).top(), after.top() + 2 * after.height(), 2);
}

}  // namespace
}  // namespace wabunko
