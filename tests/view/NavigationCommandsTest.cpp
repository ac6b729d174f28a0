// The navigation and selection commands on a real view, in rows and in columns, the
// caret moves of the hot keys, the arrow keys in columns and the jump dialog.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CommandTable.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "view/CJumpLineDlg.h"
#include "view/CWabunkoView.h"
#include "view/NavigationCommands.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace wabunko {
namespace {

// Lines: 0 "abcd" [0, 4), 1 "ef" [5, 7), 2 "ghij" [8, 12).
const QString kLongShortLong = QStringLiteral("abcd\nef\nghij");

const char* direction(bool vertical) { return vertical ? "columns" : "rows"; }

// The document's view with `text`, in columns when `vertical`.
CWabunkoView* viewWith(AppHarness& h, const QString& text, bool vertical) {
  CWabunkoView* view = viewOf(h.documents().front());
  view->setVerticalWriting(vertical);
  view->edit().replaceSel(text, true);
  return view;
}

std::pair<int, int> selection(const EditControl& edit) {
  int start = 0, end = 0;
  edit.getSel(start, end);
  return {start, end};
}

// Whether the caret at the end of the text stands wholly inside the text area, across
// the lines (rows: top to bottom; columns: left to right).
bool endOfTextInView(const EditControl& edit) {
  const QRect caret = edit.rangeRectOnScreen(edit.textLength(), edit.textLength());
  const QRect area(edit.widget()->mapToGlobal(edit.textArea().topLeft()), edit.textArea().size());
  return edit.isVertical() ? caret.left() >= area.left() && caret.right() <= area.right()
                           : caret.top() >= area.top() && caret.bottom() <= area.bottom();
}

class JumpAnswer {
public:
  explicit JumpAnswer(std::optional<int> number) {
    setJumpLineDialogHook([number] { return number; });
  }
  ~JumpAnswer() { setJumpLineDialogHook({}); }
};

struct MoveCase {
  const char* name;
  std::pair<int, int> from;
  std::function<void(NavigationCommands&)> move;
  std::pair<int, int> expected;
};

TEST(NavigationCommands, CaretMovesAreTheSameInRowsAndColumns) {
  const auto vertical = [](CaretLine line) { return [line](NavigationCommands& n) { n.moveCaretVertical(line); }; };
  const auto horizontal = [](CaretStep step) { return [step](NavigationCommands& n) { n.moveCaretHorizontal(step); }; };
  const std::vector<MoveCase> cases{
      {"up on line 0 goes to its start", {2, 2}, vertical(CaretLine::Up), {0, 0}},
      {"down on the last line goes to the end", {9, 9}, vertical(CaretLine::Down), {12, 12}},
      {"down onto the last line keeps the column", {6, 6}, vertical(CaretLine::Down), {9, 9}},
      {"down to a shorter line ends it", {3, 3}, vertical(CaretLine::Down), {7, 7}},
      {"up to a shorter line ends it", {11, 11}, vertical(CaretLine::Up), {7, 7}},
      {"forward moves a selection whole", {1, 3}, horizontal(CaretStep::Forward), {2, 4}},
      {"backward at 0 stays", {0, 0}, horizontal(CaretStep::Backward), {0, 0}},
      {"to the line end stops before the break", {5, 5}, horizontal(CaretStep::LineEnd), {7, 7}},
      {"to the line start", {10, 11}, horizontal(CaretStep::LineStart), {8, 8}},
  };
  for (const bool columns : {false, true}) {
    AppHarness h;
    CWabunkoView* view = viewWith(h, kLongShortLong, columns);
    ASSERT_EQ(view->edit().isVertical(), columns);
    for (const MoveCase& c : cases) {
      view->edit().setSel(c.from.first, c.from.second);
      c.move(view->navigation());
      EXPECT_EQ(selection(view->edit()), c.expected) << c.name << " in " << direction(columns);
    }
  }
}

TEST(NavigationCommands, ASurrogatePairIsOneStep) {
  for (const bool columns : {false, true}) {
    AppHarness h;
    CWabunkoView* view = viewWith(h, QStringLiteral("a\U0001F600b"), columns);
    view->edit().setSel(1, 1);
    view->navigation().moveCaretHorizontal(CaretStep::Forward);
    EXPECT_EQ(selection(view->edit()), std::make_pair(3, 3)) << direction(columns);
    view->navigation().moveCaretHorizontal(CaretStep::Backward);
    EXPECT_EQ(selection(view->edit()), std::make_pair(1, 1)) << direction(columns);
  }
}

TEST(NavigationCommands, TheEndOfAWrappedLineIsOnThatLine) {
  for (const bool columns : {false, true}) {
    AppHarness h;
    CWabunkoView* view = viewWith(h, QStringLiteral("word ").repeated(200), columns);
    view->setWordWrap(1);
    EditControl& edit = view->edit();
    ASSERT_GT(edit.lineCount(), 2) << direction(columns);
    edit.setSel(1, 1);
    view->navigation().moveCaretHorizontal(CaretStep::LineEnd);
    const auto [start, end] = selection(edit);
    EXPECT_EQ(start, end);
    EXPECT_GT(end, 1) << direction(columns);
    EXPECT_EQ(edit.lineFromChar(end), 0) << direction(columns);
    // From a line's end down to the next line, however soon that one ends.
    view->navigation().moveCaretVertical(CaretLine::Down);
    EXPECT_EQ(edit.lineFromChar(selection(edit).first), 1) << direction(columns);
  }
}

struct CommandCase {
  const char* name;
  int id;
  std::optional<int> jumpAnswer;  // what the jump dialog gives
  std::pair<int, int> from;
  std::pair<int, int> expected;
};

TEST(NavigationCommands, SelectionAndJumpCommandsGoThroughTheRoute) {
  const CommandCase cases[] = {
      {"this line with its break", cmd::SelectLine, {}, {5, 6}, {5, 8}},
      {"from the top", cmd::SelectFromTop, {}, {5, 6}, {0, 6}},
      {"to the end", cmd::SelectToEnd, {}, {5, 6}, {5, 12}},
      {"from the line start", cmd::SelectFromLineStart, {}, {6, 10}, {5, 10}},
      {"to the line end of a multi-line selection shrinks it", cmd::SelectToLineEnd, {}, {1, 10}, {1, 5}},
      {"to the line end on the last line", cmd::SelectToLineEnd, {}, {9, 9}, {9, 12}},
      {"jump to line 2", cmd::JumpToLine, 2, {0, 0}, {5, 5}},
      {"jump past the end", cmd::JumpToLine, 9, {0, 0}, {12, 12}},
      {"jump to line 0 is the selection's own line", cmd::JumpToLine, 0, {10, 11}, {8, 8}},
      {"a cancelled jump leaves the selection", cmd::JumpToLine, std::nullopt, {6, 10}, {6, 10}},
      {"to the top", cmd::JumpFirstLine, {}, {6, 10}, {0, 0}},
      {"to the bottom", cmd::JumpLastLine, {}, {6, 10}, {12, 12}},
  };
  for (const bool columns : {false, true}) {
    AppHarness h;
    CWabunkoView* view = viewWith(h, kLongShortLong, columns);
    for (const CommandCase& c : cases) {
      const JumpAnswer answer(c.jumpAnswer);
      view->edit().setSel(c.from.first, c.from.second);
      h.app().router().dispatch(c.id);
      EXPECT_EQ(selection(view->edit()), c.expected) << c.name << " in " << direction(columns);
    }
  }
}

TEST(NavigationCommands, BottomFillsTheWindowWithTheLastPageAndTopGoesBack) {
  QString text;
  for (int i = 1; i <= 300; ++i) text += QStringLiteral("line %1\n").arg(i);
  text += QStringLiteral("last");
  for (const bool columns : {false, true}) {
    AppHarness h;
    CWabunkoView* view = viewWith(h, text, columns);
    EditControl& edit = view->edit();
    edit.setSel(0, 0);
    h.app().router().dispatch(cmd::JumpLastLine);
    EXPECT_EQ(selection(edit), std::make_pair(edit.textLength(), edit.textLength())) << direction(columns);
    const int first = edit.firstVisibleLine();
    EXPECT_GT(first, 0) << direction(columns);
    EXPECT_TRUE(endOfTextInView(edit)) << direction(columns);
    // A line further back and the end would be out of view: the window is full.
    edit.lineScroll(-1);
    EXPECT_FALSE(endOfTextInView(edit)) << direction(columns);
    edit.lineScroll(1);
    ASSERT_EQ(edit.firstVisibleLine(), first) << direction(columns);

    h.app().router().dispatch(cmd::JumpFirstLine);
    EXPECT_EQ(edit.firstVisibleLine(), 0) << direction(columns);
    EXPECT_EQ(selection(edit), std::make_pair(0, 0)) << direction(columns);
  }
}

TEST(NavigationCommands, ATextShorterThanTheWindowStaysAtItsStartOnTheWayToTheBottom) {
  for (const bool columns : {false, true}) {
    AppHarness h;
    CWabunkoView* view = viewWith(h, kLongShortLong, columns);
    h.app().router().dispatch(cmd::JumpLastLine);
    EXPECT_EQ(view->edit().firstVisibleLine(), 0) << direction(columns);
    EXPECT_TRUE(endOfTextInView(view->edit())) << direction(columns);
  }
}

TEST(NavigationCommands, TheGutterIsRepaintedAfterTheScrollingAndLineMovesOnly) {
  struct Case {
    const char* name;
    std::function<void(NavigationCommands&)> run;
    bool repaints;
  };
  const Case cases[] = {
      {"to the top", [](NavigationCommands& n) { n.toTop(); }, true},
      {"to the bottom", [](NavigationCommands& n) { n.toBottom(); }, true},
      {"jump", [](NavigationCommands& n) { n.jumpToLine(); }, true},
      {"cancelled jump",
       [](NavigationCommands& n) {
         const JumpAnswer cancel(std::nullopt);
         n.jumpToLine();
       },
       true},
      {"line up", [](NavigationCommands& n) { n.moveCaretVertical(CaretLine::Up); }, true},
      {"line down", [](NavigationCommands& n) { n.moveCaretVertical(CaretLine::Down); }, true},
      {"forward", [](NavigationCommands& n) { n.moveCaretHorizontal(CaretStep::Forward); }, false},
      {"to the line end", [](NavigationCommands& n) { n.moveCaretHorizontal(CaretStep::LineEnd); }, false},
      {"this line", [](NavigationCommands& n) { n.selectLine(); }, false},
      {"from the top", [](NavigationCommands& n) { n.selectFromTop(); }, false},
      {"to the end", [](NavigationCommands& n) { n.selectToEnd(); }, false},
      {"from the line start", [](NavigationCommands& n) { n.selectFromLineStart(); }, false},
      {"to the line end", [](NavigationCommands& n) { n.selectToLineEnd(); }, false},
  };
  AppHarness h;
  CWabunkoView* view = viewWith(h, kLongShortLong, false);
  int repaints = 0;
  NavigationCommands navigation([view]() -> EditControl& { return view->edit(); }, [&repaints] { ++repaints; }, view);
  const JumpAnswer answer(2);
  for (const Case& c : cases) {
    view->edit().setSel(6, 6);
    repaints = 0;
    c.run(navigation);
    EXPECT_EQ(repaints, c.repaints ? 1 : 0) << c.name;
  }
}

TEST(NavigationCommands, ArrowKeysInColumnsMoveAlongAndAcrossThem) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool handled;
    std::pair<int, int> expected;  // from (1, 1)
  };
  const Case cases[] = {
      {Qt::Key_Down, Qt::NoModifier, true, {2, 2}},
      {Qt::Key_Up, Qt::NoModifier, true, {0, 0}},
      {Qt::Key_Left, Qt::NoModifier, true, {6, 6}},  // the next column
      {Qt::Key_Left, Qt::KeypadModifier, true, {6, 6}},
      {Qt::Key_Right, Qt::NoModifier, true, {0, 0}},  // column 0 has none before it
      {Qt::Key_Down, Qt::ShiftModifier, false, {1, 1}},
      {Qt::Key_Left, Qt::ControlModifier, false, {1, 1}},
      {Qt::Key_Home, Qt::NoModifier, false, {1, 1}},
  };
  AppHarness h;
  CWabunkoView* view = viewWith(h, kLongShortLong, true);
  for (const Case& c : cases) {
    view->edit().setSel(1, 1);
    const QKeyEvent key(QEvent::KeyPress, c.key, c.modifiers);
    EXPECT_EQ(view->navigation().handleVerticalArrow(key), c.handled) << c.key;
    EXPECT_EQ(selection(view->edit()), c.expected) << c.key;
  }
  view->edit().setSel(6, 6);
  view->navigation().handleVerticalArrow(QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
  EXPECT_EQ(selection(view->edit()), std::make_pair(1, 1));

  // In rows the control keeps its own arrow keys.
  view->setVerticalWriting(false);
  view->edit().setSel(1, 1);
  EXPECT_FALSE(view->navigation().handleVerticalArrow(QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier)));
  EXPECT_EQ(selection(view->edit()), std::make_pair(1, 1));
}

TEST(JumpLineDialog, ReadsASignedNumberAndZeroForAnythingElse) {
  const std::pair<const char*, int> cases[] = {
      {"12", 12}, {"-3", -3}, {" 7 ", 7}, {"", 0}, {"abc", 0}, {"12abc", 0}, {"99999999999", 0},
  };
  CJumpLineDlg dialog;
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("lineEdit"));
  ASSERT_NE(edit, nullptr);
  for (const auto& [typed, number] : cases) {
    edit->setText(QStringLiteral("5"));
    edit->setText(QString::fromUtf8(typed));
    EXPECT_EQ(dialog.m_nLine, number) << typed;
  }
}

TEST(JumpLineDialog, ShowsItsTextsWithTheFocusInTheNumber) {
  CJumpLineDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("行指定でｼﾞｬﾝﾌﾟ"));
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("lineEdit"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->accessibleName(), QStringLiteral("行目"));
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.front()->text(), QStringLiteral("行目"));
  EXPECT_EQ(labels.front()->buddy(), edit);
  QStringList buttons;
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) buttons << button->text();
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("ｷｬﾝｾﾙ")}));
  dialog.show();
  EXPECT_EQ(dialog.focusWidget(), edit);
}

TEST(JumpLineDialog, OkGivesTheNumberAndCancelNothing) {
  for (const bool ok : {true, false}) {
    QWidget parent;
    QTimer::singleShot(0, [ok] {
      auto* dialog = qobject_cast<CJumpLineDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      QTest::keyClicks(dialog->focusWidget(), QStringLiteral("42"));
      const auto role = ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
      dialog->findChild<QDialogButtonBox*>()->button(role)->click();
    });
    EXPECT_EQ(runJumpLineDialog(&parent), ok ? std::optional<int>(42) : std::nullopt);
  }
}

}  // namespace
}  // namespace wabunko
