// The line-number gutter over a bare control offscreen: the strip it keeps, where the
// numbers stand against the lines, and the pixels they leave.
#include "view/LineNumberGutter.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/MemoryStore.h"
#include "platform/RichTextEdit.h"
#include "view/CharFormat.h"

#include <QImage>
#include <QScrollBar>
#include <QStringList>
#include <QTextCursor>
#include <gtest/gtest.h>
#include <optional>

namespace wabunko {

void PrintTo(const LineNumberGutter::Number& n, std::ostream* os) {
  *os << '"' << n.text.toStdString() << "\" at (" << n.at.x() << ", " << n.at.y() << ')';
}

namespace {

constexpr std::uint32_t kNumberColorRef = 0x0000FF;  // red, as stored (0x00BBGGRR)

struct GutteredEdit {
  explicit GutteredEdit(int height = 12, bool lineNumbers = true) : on(lineNumbers) {
    FontRecord record;
    record.font.height = height;
    record.color = kNumberColorRef;
    writeFont(store, QString::fromUtf8(settings::kFontLineNumber), record);
    edit.setDefaultCharFormat(charFormatFromFont(LogFont{}));
    edit.resize(400, 300);
    edit.show();
  }
  QImage shot() { return edit.grab().toImage(); }

  MemoryStore store;
  RichTextEdit edit;
  bool on;
  LineNumberGutter gutter{edit, [this] { return on; }, store};
};

QString lines(int count, const QString& text = QStringLiteral("行")) {
  QStringList all;
  for (int i = 1; i <= count; ++i) all << text + QString::number(i);
  return all.join(QLatin1Char('\n'));
}

// Where the text area starts, in the client area (inside the frame).
int textLeft(const RichTextEdit& edit) { return edit.viewport()->x() - edit.contentsRect().left(); }

// Top of display line `line` in the client area.
int lineTop(const RichTextEdit& edit, int line) {
  QTextCursor at(edit.document());
  at.setPosition(edit.lineIndex(line));
  return edit.cursorRect(at).top() + edit.viewport()->y() - edit.contentsRect().top();
}

// First and last pixel rows in `area` (client coordinates) holding the numbers' colour.
std::optional<std::pair<int, int>> inkRows(const RichTextEdit& edit, const QImage& shot, const QRect& area) {
  std::optional<std::pair<int, int>> rows;
  const QRect widgetArea = area.translated(edit.contentsRect().topLeft()) & shot.rect();
  for (int y = widgetArea.top(); y <= widgetArea.bottom(); ++y)
    for (int x = widgetArea.left(); x <= widgetArea.right(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.red() - c.green() < 80 || c.red() - c.blue() < 80) continue;
      const int row = y - edit.contentsRect().top();
      rows = rows ? std::pair(rows->first, row) : std::pair(row, row);
    }
  return rows;
}

QRect client(const RichTextEdit& edit) { return QRect(QPoint(0, 0), edit.contentsRect().size()); }

TEST(LineNumberGutter, StripIsFourHeightsWideAndTheFirstNumberAFifthDown) {
  struct Case {
    int height, strip, firstY;
  };
  for (const Case c : {Case{12, 48, 2}, Case{20, 80, 4}, Case{7, 28, 1}}) {
    GutteredEdit g(c.height);
    g.edit.replaceSel(lines(3), true);
    EXPECT_EQ(g.gutter.layout(), c.strip);
    EXPECT_EQ(textLeft(g.edit), c.strip);
    const std::vector<LineNumberGutter::Number> numbers = g.gutter.numbers();
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(numbers.front(), (LineNumberGutter::Number{QStringLiteral("   1:"), QPoint(0, c.firstY)}));

    // The first number is drawn below its place, its digits as tall as "Height" asks.
    const QImage shot = g.shot();
    const auto rows = inkRows(g.edit, shot, QRect(0, 0, c.strip, numbers[1].at.y()));
    ASSERT_TRUE(rows) << c.height;
    EXPECT_GE(rows->first, c.firstY);
    const int digitHeight = rows->second - rows->first + 1;
    EXPECT_GE(digitHeight, c.height / 2);
    EXPECT_LE(digitHeight, c.height);
    EXPECT_FALSE(inkRows(g.edit, shot, client(g.edit).adjusted(c.strip, 0, 0, 0)));
  }
}

TEST(LineNumberGutter, WithLineNumbersOffTheTextHasTheWholeAreaAndNothingIsDrawn) {
  GutteredEdit g;
  g.edit.replaceSel(lines(3), true);
  ASSERT_EQ(g.gutter.layout(), 48);
  g.on = false;
  EXPECT_EQ(g.gutter.layout(), 0);
  EXPECT_EQ(textLeft(g.edit), 0);
  EXPECT_TRUE(g.gutter.numbers().empty());
  g.gutter.paint();
  EXPECT_FALSE(inkRows(g.edit, g.shot(), client(g.edit)));
}

TEST(LineNumberGutter, NumbersGoDownToTheBottomOfTheWindowBelowTheText) {
  GutteredEdit g;
  g.edit.replaceSel(lines(2), true);
  g.gutter.layout();
  const std::vector<LineNumberGutter::Number> numbers = g.gutter.numbers();
  const int bottom = g.edit.contentsRect().height();
  const int pitch = numbers[1].at.y() - numbers[0].at.y();
  ASSERT_GT(numbers.size(), 5u);
  EXPECT_EQ(numbers.back().text, QString::asprintf("%4d:", static_cast<int>(numbers.size())));
  EXPECT_LT(numbers.back().at.y(), bottom);
  EXPECT_GE(numbers.back().at.y() + pitch, bottom);

  const auto rows = inkRows(g.edit, g.shot(), QRect(0, numbers.back().at.y(), 48, pitch));
  ASSERT_TRUE(rows);
  EXPECT_GE(rows->first, numbers.back().at.y());
}

// Each display line of a wrapped paragraph has its own number beside it, counted from the
// first visible line.
TEST(LineNumberGutter, WrappedLinesEachGetTheirOwnNumberBesideThem) {
  GutteredEdit g;
  g.edit.setWrap(EditControl::Wrap::WindowEdge);
  g.edit.replaceSel(QString(400, QChar(u'あ')), true);
  g.gutter.layout();
  ASSERT_GT(g.edit.lineCount(), 8);
  const int top = 3;
  g.edit.verticalScrollBar()->setValue(lineTop(g.edit, top) - lineTop(g.edit, 0) + g.edit.document()->documentMargin());
  ASSERT_EQ(g.edit.firstVisibleLine(), top);

  const std::vector<LineNumberGutter::Number> numbers = g.gutter.numbers();
  for (int k = 0; k < 5; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(numbers[k].text, QString::asprintf("%4d:", top + k + 1));
    const int lineY = lineTop(g.edit, top + k);
    const int lineHeight = lineTop(g.edit, top + k + 1) - lineY;
    EXPECT_GE(numbers[k].at.y(), lineY - lineHeight / 2);
    EXPECT_LT(numbers[k].at.y(), lineY + lineHeight / 2);
  }
}

// Scrolled part of the way into a line, the numbers move with the text and each stays beside
// its line; at a line's top they stand as at the start.
TEST(LineNumberGutter, NumbersMoveWithTheTextScrolledPartOfALine) {
  GutteredEdit g;
  g.edit.replaceSel(lines(40), true);
  g.gutter.layout();
  g.edit.verticalScrollBar()->setValue(0);
  const int pitch = lineTop(g.edit, 1) - lineTop(g.edit, 0);
  const int besideLine = g.gutter.numbers().front().at.y() - lineTop(g.edit, 0);
  for (const int scroll : {pitch / 3, pitch - 1, 5 * pitch, 5 * pitch + pitch / 2}) {
    SCOPED_TRACE(scroll);
    g.edit.verticalScrollBar()->setValue(scroll);
    const int first = g.edit.firstVisibleLine();
    const std::vector<LineNumberGutter::Number> numbers = g.gutter.numbers();
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(numbers[k].text, QString::asprintf("%4d:", first + k + 1));
      EXPECT_EQ(numbers[k].at.y() - lineTop(g.edit, first + k), besideLine);
    }
  }
}

TEST(LineNumberGutter, TextInALargerFontKeepsTheDefaultPitch) {
  GutteredEdit plain, large;
  for (GutteredEdit* g : {&plain, &large}) {
    g->edit.replaceSel(lines(6), true);
    g->gutter.layout();
  }
  QTextCharFormat bigger;
  bigger.setFontPointSize(24);
  large.edit.setSel(0, -1);
  large.edit.setSelectionCharFormat(bigger);

  const int defaultLine = lineTop(plain.edit, 1) - lineTop(plain.edit, 0);
  EXPECT_GT(lineTop(large.edit, 1) - lineTop(large.edit, 0), defaultLine);
  for (GutteredEdit* g : {&plain, &large}) {
    const std::vector<LineNumberGutter::Number> numbers = g->gutter.numbers();
    for (std::size_t i = 1; i < 6; ++i) EXPECT_EQ(numbers[i].at.y() - numbers[i - 1].at.y(), defaultLine);
  }
}

// The strip shows the control's background; each number stands on its own white cell.
TEST(LineNumberGutter, StripTakesTheBackgroundAndEachNumberAWhiteCell) {
  GutteredEdit g;
  const QColor background(0xC0, 0xE0, 0xFF);
  g.edit.setBackgroundColor(background);
  g.gutter.layout();
  const QImage shot = g.shot();
  const QPoint origin = g.edit.contentsRect().topLeft();
  const LineNumberGutter::Number first = g.gutter.numbers().front();
  EXPECT_EQ(shot.pixelColor(origin + QPoint(47, first.at.y())), background);
  EXPECT_EQ(shot.pixelColor(origin + first.at + QPoint(1, 1)), QColor(Qt::white));
}

}  // namespace
}  // namespace wabunko
