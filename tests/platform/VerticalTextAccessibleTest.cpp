#include "platform/VerticalTextAccessible.h"
#include "platform/VerticalTextEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace wabunko {
namespace {

// Two paragraphs: a long one that fills several columns and runs past the right edge of
// the view, and a short one with a katakana word.
QString longParagraph() {
  QString text;
  for (int i = 0; i < 12; ++i) text += QStringLiteral("今日は良い天気です。川の水が光る。");
  return text;
}
const QString kShort = QStringLiteral("明日はコンピュータで書く。");
const QString kText = longParagraph() + QLatin1Char('\n') + kShort;

struct Shown {
  explicit Shown(const QString& text = kText) {
    document.setPlainText(text);
    edit.setDocument(&document);
    edit.setGeometry(300, 200, 200, 160);
    edit.show();
    QApplication::processEvents();
  }
  QAccessibleInterface* face() { return QAccessible::queryAccessibleInterface(&edit); }
  QAccessibleTextInterface* text() { return face()->textInterface(); }
  QAccessibleEditableTextInterface* editable() { return face()->editableTextInterface(); }

  QTextDocument document;
  VerticalTextEdit edit;
};

TEST(VerticalTextAccessible, IsAnEditableTextWithTheCaretAndSelectionOfTheControl) {
  Shown shown;
  ASSERT_NE(dynamic_cast<VerticalTextAccessible*>(shown.face()), nullptr) << "the control's own accessible face";
  QAccessibleInterface* face = shown.face();
  QAccessibleTextInterface* text = shown.text();
  ASSERT_NE(text, nullptr);
  ASSERT_NE(shown.editable(), nullptr);
  EXPECT_EQ(face->role(), QAccessible::EditableText);
  shown.edit.setAccessibleName(QStringLiteral("本文"));
  EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("本文"));
  EXPECT_TRUE(face->state().editable);
  EXPECT_TRUE(face->state().multiLine);
  EXPECT_FALSE(face->state().readOnly);
  shown.edit.setReadOnly(true);
  EXPECT_TRUE(face->state().readOnly);
  EXPECT_FALSE(face->state().editable);

  EXPECT_EQ(text->characterCount(), kText.size());
  EXPECT_EQ(text->text(0, text->characterCount()), kText) << "the paragraph break reads as a line feed";

  // Anchor and caret, either way round, and clamped to the text.
  struct Case {
    int anchor, caret;
    int start, end;
  };
  const int count = static_cast<int>(kText.size());
  for (const Case& c : {Case{3, 10, 3, 10}, Case{count - 2, 5, 5, count - 2}, Case{-4, count + 9, 0, count}}) {
    SCOPED_TRACE(c.anchor);
    text->setSelection(0, c.anchor, c.caret);
    EXPECT_EQ(shown.edit.textCursor().selectionStart(), c.start);
    EXPECT_EQ(shown.edit.textCursor().selectionEnd(), c.end);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, c.start);
    EXPECT_EQ(end, c.end);
    EXPECT_EQ(text->selectionCount(), 1);
    EXPECT_EQ(text->cursorPosition(), shown.edit.textCursor().position());
  }
  text->removeSelection(0);
  EXPECT_EQ(text->selectionCount(), 0);
  EXPECT_EQ(shown.edit.textCursor().position(), count);
  text->addSelection(1, 4);
  EXPECT_EQ(text->text(shown.edit.textCursor().selectionStart(), shown.edit.textCursor().selectionEnd()), kText.mid(1, 3));
  text->setCursorPosition(7);
  EXPECT_EQ(shown.edit.textCursor().position(), 7);
  EXPECT_EQ(text->selectionCount(), 0);
  QTextCursor caret = shown.edit.textCursor();
  caret.setPosition(12);
  shown.edit.setTextCursor(caret);
  EXPECT_EQ(text->cursorPosition(), 12);
}

// Each column of the layout is one line for the reader, with the paragraph break at the
// end of a paragraph's last one.
TEST(VerticalTextAccessible, LinesAreTheColumns) {
  Shown shown;
  QAccessibleTextInterface* text = shown.text();
  ASSERT_NE(text, nullptr);
  struct Line {
    int start, end;
    QString text;
  };
  std::vector<Line> lines;
  for (QTextBlock block = shown.document.begin(); block.isValid(); block = block.next()) {
    shown.edit.characterRect(block.position());  // lays the paragraph out
    const QTextLayout* layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      QString column = block.text().mid(line.textStart(), line.textLength());
      if (i + 1 == layout->lineCount() && block.next().isValid()) column += QLatin1Char('\n');
      const int start = block.position() + line.textStart();
      lines.push_back({start, start + static_cast<int>(column.size()), column});
    }
  }
  ASSERT_GT(lines.size(), 4U) << "the long paragraph takes several columns";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& line = lines[i];
    SCOPED_TRACE(i);
    for (const int offset : {line.start, line.end - 1}) {
      int start = -1, end = -1;
      EXPECT_EQ(text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end), line.text);
      EXPECT_EQ(start, line.start);
      EXPECT_EQ(end, line.end);
      // The characters of a line stand in one column.
      EXPECT_EQ(text->characterRect(offset).left(), text->characterRect(line.start).left());
    }
    int start = -1, end = -1;
    EXPECT_EQ(text->textBeforeOffset(line.start, QAccessible::LineBoundary, &start, &end),
              i > 0 ? lines[i - 1].text : QString());
    EXPECT_EQ(text->textAfterOffset(line.start, QAccessible::LineBoundary, &start, &end),
              i + 1 < lines.size() ? lines[i + 1].text : QString());
  }
}

TEST(VerticalTextAccessible, CharactersWordsSentencesAndParagraphs) {
  Shown shown;
  QAccessibleTextInterface* text = shown.text();
  ASSERT_NE(text, nullptr);
  const int second = static_cast<int>(longParagraph().size()) + 1;
  const int end = static_cast<int>(kText.size());
  enum Where { At, Before, After };
  struct Case {
    Where where;
    QAccessible::TextBoundaryType boundary;
    int offset;
    QString expected;
    int start;
  };
  const QString firstSentence = QStringLiteral("今日は良い天気です。");
  const Case cases[] = {
      {At, QAccessible::CharBoundary, 1, QStringLiteral("日"), 1},
      {After, QAccessible::CharBoundary, 1, QStringLiteral("は"), 2},
      {At, QAccessible::CharBoundary, second - 1, QStringLiteral("\n"), second - 1},
      {At, QAccessible::CharBoundary, end, QString(), end},
      {Before, QAccessible::CharBoundary, end, QStringLiteral("。"), end - 1},
      {At, QAccessible::WordBoundary, second + 5, QStringLiteral("コンピュータ"), second + 3},
      {At, QAccessible::SentenceBoundary, 4, firstSentence, 0},
      {After, QAccessible::SentenceBoundary, 4, QStringLiteral("川の水が光る。"), 10},
      {At, QAccessible::ParagraphBoundary, 30, longParagraph() + QLatin1Char('\n'), 0},
      {After, QAccessible::ParagraphBoundary, 30, kShort, second},
      {At, QAccessible::ParagraphBoundary, -1, kShort, second},
      {Before, QAccessible::ParagraphBoundary, second + 2, longParagraph() + QLatin1Char('\n'), 0},
      {Before, QAccessible::ParagraphBoundary, 3, QString(), -1},
      {After, QAccessible::ParagraphBoundary, end, QString(), -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.where << " " << c.boundary << " " << c.offset);
    int start = -2, stop = -2;
    const QString found = c.where == At       ? text->textAtOffset(c.offset, c.boundary, &start, &stop)
                          : c.where == Before ? text->textBeforeOffset(c.offset, c.boundary, &start, &stop)
                                              : text->textAfterOffset(c.offset, c.boundary, &start, &stop);
    EXPECT_EQ(found, c.expected);
    EXPECT_EQ(start, c.start);
    EXPECT_EQ(stop, c.start < 0 ? -1 : c.start + c.expected.size());
  }
}

// Cells on the screen: down each column, and the columns leftwards; a point on a cell
// gives its character back, and the reader can bring a column out of sight into view.
TEST(VerticalTextAccessible, CharacterCellsRunDownTheColumnsFromRightToLeft) {
  Shown shown;
  QAccessibleTextInterface* text = shown.text();
  ASSERT_NE(text, nullptr);
  const QRect view = shown.face()->rect();
  const int count = text->characterCount();
  int shownCount = 0;
  QRect previous;
  for (int i = 0; i < count; ++i) {
    if (kText.at(i) == QLatin1Char('\n')) continue;
    SCOPED_TRACE(i);
    const QRect cell = text->characterRect(i);
    if (!view.contains(cell)) continue;
    ++shownCount;
    EXPECT_EQ(text->offsetAtPoint(cell.center()), i);
    if (!previous.isNull()) {
      if (cell.left() == previous.left()) EXPECT_GE(cell.top(), previous.bottom());
      else EXPECT_LE(cell.right(), previous.left());
    }
    previous = cell;
  }
  EXPECT_GT(shownCount, 20);
  EXPECT_EQ(text->offsetAtPoint(view.topLeft() - QPoint(5, 5)), -1);

  const int hidden = count - 2;
  EXPECT_FALSE(view.contains(text->characterRect(hidden))) << "the last column starts out of view";
  text->scrollToSubstring(hidden, count);
  EXPECT_TRUE(view.contains(text->characterRect(hidden)));
  EXPECT_EQ(text->offsetAtPoint(text->characterRect(hidden).center()), hidden);
  const QRect last = text->characterRect(count - 1);
  EXPECT_EQ(text->offsetAtPoint(last.center() + QPoint(0, 3 * last.height())), -1) << "below the column's end";
}

TEST(VerticalTextAccessible, EditsUnlessReadOnly) {
  struct Case {
    const char* name;
    void (*edit)(QAccessibleEditableTextInterface*);
    QString expected;
  };
  const Case cases[] = {
      {"insert", [](QAccessibleEditableTextInterface* e) { e->insertText(2, QStringLiteral("の朝\n晴れ")); },
       QStringLiteral("今日の朝\n晴れは晴れ。\n雨")},
      {"delete", [](QAccessibleEditableTextInterface* e) { e->deleteText(4, 7); }, QStringLiteral("今日は晴雨")},
      {"replace", [](QAccessibleEditableTextInterface* e) { e->replaceText(3, 5, QStringLiteral("曇り")); },
       QStringLiteral("今日は曇り。\n雨")},
  };
  const QString original = QStringLiteral("今日は晴れ。\n雨");
  for (const Case& c : cases) {
    for (const bool readOnly : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (readOnly ? " read-only" : ""));
      Shown shown(original);
      shown.edit.setReadOnly(readOnly);
      ASSERT_NE(shown.editable(), nullptr);
      c.edit(shown.editable());
      const QString now = shown.text()->text(0, shown.text()->characterCount());
      EXPECT_EQ(now, readOnly ? original : c.expected);
      EXPECT_EQ(shown.document.isUndoAvailable(), !readOnly);
    }
  }
}

// What the control told assistive technology, one entry per notice.
struct Told {
  QAccessible::Event type;
  int position;
  QString removed, inserted;
  int selectionEnd = -1;
  bool operator==(const Told&) const = default;
};

void PrintTo(const Told& t, std::ostream* out) {
  *out << std::hex << t.type << std::dec << " at " << t.position << " -\"" << t.removed.toStdString() << "\" +\""
       << t.inserted.toStdString() << "\" selection end " << t.selectionEnd;
}

std::vector<Told> told;

void record(QAccessibleEvent* event) {
  if (!event->object() || !event->object()->inherits("wabunko::VerticalTextEdit")) return;
  switch (event->type()) {
    case QAccessible::TextCaretMoved:
      told.push_back({event->type(), static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition(), {}, {}});
      break;
    case QAccessible::TextSelectionChanged: {
      auto* e = static_cast<QAccessibleTextSelectionEvent*>(event);
      told.push_back({event->type(), e->selectionStart(), {}, {}, e->selectionEnd()});
      break;
    }
    case QAccessible::TextInserted: {
      auto* e = static_cast<QAccessibleTextInsertEvent*>(event);
      told.push_back({event->type(), e->changePosition(), {}, e->textInserted()});
      break;
    }
    case QAccessible::TextRemoved: {
      auto* e = static_cast<QAccessibleTextRemoveEvent*>(event);
      told.push_back({event->type(), e->changePosition(), e->textRemoved(), {}});
      break;
    }
    case QAccessible::TextUpdated: {
      auto* e = static_cast<QAccessibleTextUpdateEvent*>(event);
      told.push_back({event->type(), e->changePosition(), e->textRemoved(), e->textInserted()});
      break;
    }
    default: break;
  }
}

// Only while assistive technology listens; with the offscreen platform it never does.
// Run the tests on X with an accessibility bus and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
TEST(VerticalTextAccessible, TellsTheReaderOfCaretSelectionAndTextChanges) {
  Shown shown(QStringLiteral("今日は晴れ。\n雨が降る。"));
  if (!QAccessible::isActive()) GTEST_SKIP() << "no assistive technology listening";
  QAccessibleTextInterface* text = shown.text();
  QAccessibleEditableTextInterface* edit = shown.editable();
  ASSERT_TRUE(text && edit);
  told.clear();
  const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(record);
  text->setCursorPosition(2);
  edit->insertText(2, QStringLiteral("の朝"));
  edit->deleteText(2, 3);
  text->setSelection(0, 5, 9);  // "れ。\n雨", across the paragraph break
  edit->deleteText(5, 9);
  QTextCursor bold(&shown.document);
  bold.setPosition(0);
  bold.setPosition(3, QTextCursor::KeepAnchor);
  QTextCharFormat format;
  format.setFontWeight(QFont::Bold);
  bold.mergeCharFormat(format);  // no change of the text
  QAccessible::installUpdateHandler(previous);

  const std::vector<Told> expected = {
      {QAccessible::TextCaretMoved, 2, {}, {}},
      {QAccessible::TextInserted, 2, {}, QStringLiteral("の朝")},
      {QAccessible::TextRemoved, 2, QStringLiteral("の"), {}},
      {QAccessible::TextCaretMoved, 9, {}, {}},
      {QAccessible::TextSelectionChanged, 5, {}, {}, 9},
      {QAccessible::TextRemoved, 5, QStringLiteral("れ。\n雨"), {}},
  };
  EXPECT_EQ(told, expected);
}

}  // namespace
}  // namespace wabunko
