// The composition string drawn in the configured styles, and the candidate window's
// place, through recorded input-method events replayed into the real widget.
#include "RecordedCompositions.h"
#include "platform/RichTextEdit.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <functional>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

using namespace recorded;
using Style = EditControl::CompositionStyle;

const std::array<Style, 4> kStyles = {{
    {QColor(0x10, 0x20, 0x30), QColor(0xF0, 0xF0, 0xE0), 0},
    {QColor(0xFF, 0xFF, 0xFE), QColor(0x00, 0x00, 0xA0), 1},
    {QColor(0x00, 0x80, 0x01), QColor(0xFF, 0xFE, 0xFF), 2},
    {QColor(0xFF, 0xFF, 0x00), QColor(0x01, 0x01, 0x01), 4 | 1},
}};

QTextCharFormat engineFormat(const SentFormat& f) {
  QTextCharFormat format;
  if (f.background) {
    format.setBackground(Qt::darkCyan);
    format.setForeground(Qt::white);
  }
  if (f.underline) format.setUnderlineStyle(QTextCharFormat::DashUnderline);
  return format;
}

// Sends `step` as the input method sent it; an empty preedit commits `committed`.
void replay(RichTextEdit& edit, const Step& step, const std::u16string& committed = {}) {
  QList<QInputMethodEvent::Attribute> attributes;
  for (const SentFormat& f : step.formats)
    attributes.append({QInputMethodEvent::TextFormat, f.start, f.length, engineFormat(f)});
  if (!step.preedit.empty()) attributes.append({QInputMethodEvent::Cursor, step.cursor, 1, {}});
  QInputMethodEvent event(QString::fromStdU16String(step.preedit), attributes);
  if (step.preedit.empty()) event.setCommitString(QString::fromStdU16String(committed));
  QCoreApplication::sendEvent(&edit, &event);
}

class CompositionColors : public testing::TestWithParam<Recording> {};

TEST_P(CompositionColors, EachClauseTakesItsStatesStyleAndTheCommitKeepsNone) {
  RichTextEdit edit;
  edit.setCompositionStyles(kStyles);
  edit.replaceSel(QStringLiteral("前後"), true);
  edit.setSel(1, 1);
  const int preeditAt = 1;

  const Recording& run = GetParam();
  for (const Step& step : run.steps) {
    replay(edit, step, run.committed);
    const QList<QTextLayout::FormatRange> drawn = edit.document()->firstBlock().layout()->formats();
    ASSERT_EQ(drawn.size(), static_cast<qsizetype>(step.expected.size())) << step.key;
    for (qsizetype i = 0; i < drawn.size(); ++i) {
      const CompositionClause& clause = step.expected[static_cast<std::size_t>(i)];
      const Style& style = kStyles[static_cast<std::size_t>(clause.state)];
      const QTextCharFormat& format = drawn[i].format;
      EXPECT_EQ(drawn[i].start, preeditAt + clause.start) << step.key;
      EXPECT_EQ(drawn[i].length, clause.length) << step.key;
      EXPECT_EQ(format.foreground().color(), style.text) << step.key;
      EXPECT_EQ(format.background().color(), style.background) << step.key;
      EXPECT_EQ(format.fontWeight() == QFont::Bold, (style.effects & 1) != 0) << step.key;
      EXPECT_EQ(format.fontItalic(), (style.effects & 2) != 0) << step.key;
      EXPECT_EQ(format.fontUnderline(), (style.effects & 4) != 0) << step.key;
      EXPECT_NE(format.underlineStyle(), QTextCharFormat::DashUnderline) << step.key;
    }
  }

  EXPECT_EQ(edit.toPlainText(), QStringLiteral("前%1後").arg(QString::fromStdU16String(run.committed)));
  QTextCursor committed(edit.document());
  committed.setPosition(preeditAt + 1);
  EXPECT_EQ(committed.charFormat().background().style(), Qt::NoBrush);
  EXPECT_NE(committed.charFormat().foreground().color(), kStyles[1].text);
}

INSTANTIATE_TEST_SUITE_P(FourInputMethods, CompositionColors, testing::ValuesIn(runs()),
                         [](const testing::TestParamInfo<Recording>& info) { return std::string(info.param.name); });

TEST(CompositionColors, TheInputMethodsCaretStaysWhereItWasPut) {
  RichTextEdit edit;
  edit.setCompositionStyles(kStyles);
  edit.show();
  const auto caretAt = [&edit](int cursor) {
    replay(edit, {"typing", u"かなかな", {{0, 4, false, true}}, cursor, {}});
    return edit.cursorRect().x();
  };
  EXPECT_LT(caretAt(0), caretAt(4));
}

TEST(CompositionColors, WithoutConfiguredColoursTheTextKeepsItsOwn) {
  RichTextEdit edit;
  replay(edit, {"Space", u"かなかな", {{0, 2, true, false}, {2, 2, false, true}}, 0, {}});
  const QList<QTextLayout::FormatRange> drawn = edit.document()->firstBlock().layout()->formats();
  ASSERT_EQ(drawn.size(), 2);
  EXPECT_EQ(drawn[0].format.background().style(), Qt::NoBrush);
  EXPECT_EQ(drawn[0].format.foreground().color(), edit.textCursor().charFormat().foreground().color());
}

// The input method places its candidate window at the rectangle the focused widget
// reports, in the widget's coordinates, and must hear of every move of the caret.
TEST(CandidateWindow, FollowsTheCaretOnScreen) {
  RichTextEdit edit;
  edit.resize(400, 200);
  edit.setTextMargins(QMargins(48, 0, 0, 0));
  QString text;
  for (int i = 0; i < 60; ++i) text += QStringLiteral("行%1\n").arg(i);
  edit.replaceSel(text, true);
  edit.setSel(0, 0);
  edit.show();
  edit.activateWindow();
  edit.setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
  ASSERT_EQ(QGuiApplication::focusObject(), &edit);

  QInputMethod* inputMethod = QGuiApplication::inputMethod();
  const auto onScreen = [&edit] {
    const QRect caret = edit.cursorRect();
    return QRect(edit.viewport()->mapTo(&edit, caret.topLeft()), caret.size());
  };
  struct Move {
    const char* name;
    std::function<void()> move;
  };
  const Move moves[] = {
      {"selection set", [&edit] { edit.setSel(5, 5); }},
      {"arrow key", [&edit] { QTest::keyClick(&edit, Qt::Key_Right); }},
      {"typing", [&edit] { QTest::keyClicks(&edit, QStringLiteral("ab")); }},
      {"page down", [&edit] { QTest::keyClick(&edit, Qt::Key_PageDown); }},
      {"scrolling", [&edit] { edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->value() - 30); }},
  };
  for (const Move& m : moves) {
    const QRect before = onScreen();
    QSignalSpy told(inputMethod, &QInputMethod::cursorRectangleChanged);
    m.move();
    EXPECT_NE(onScreen(), before) << m.name;
    EXPECT_GE(told.count(), 1) << m.name;
    EXPECT_EQ(inputMethod->cursorRectangle().toRect(), onScreen()) << m.name;
  }
}

}  // namespace
}  // namespace wabunko
