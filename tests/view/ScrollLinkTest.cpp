// Scroll linking on the views of three open documents, side by side: who follows a
// scroll-bar action, by how much, in rows and in columns, and that nothing is done twice.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CMainFrame.h"
#include "platform/ChildFrame.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "view/CWabunkoView.h"
#include "view/ScrollLink.h"
#include "view/ViewCommands.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace wabunko {
namespace {

QByteArray numberedLines(int count) {
  QByteArray text;
  for (int i = 1; i <= count; ++i) text += "line " + QByteArray::number(i) + "\r\n";
  return text;
}

class ScrollLinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    setScrollModifiersHook([this] { return modifiers; });
    h.app().mainFrame()->show();
    h.app().mainFrame()->resize(1000, 800);
    // The third document is half as long as the others.
    const std::array<int, 3> lengths{300, 300, 150};
    for (int i = 0; i < 3; ++i) {
      const QString path = h.path(QStringLiteral("doc%1.txt").arg(i));
      writeBytes(path, numberedLines(lengths[i]));
      views[i] = viewOf(h.open(path));
      ASSERT_NE(views[i], nullptr);
      views[i]->childFrame()->resize(300, 250);
    }
    settle();
  }
  void TearDown() override { setScrollModifiersHook({}); }

  void settle() {
    QApplication::processEvents();
    // Several pages to scroll in each view.
    for (CWabunkoView* view : views) ASSERT_GT(bar(view)->maximum(), 2 * bar(view)->pageStep());
  }
  static QScrollBar* bar(const CWabunkoView* view) { return view->edit().lineScrollBar(); }
  QScrollBar* bar(int i) const { return bar(views[i]); }
  std::array<int, 3> values() const { return {bar(0)->value(), bar(1)->value(), bar(2)->value()}; }
  // Counts the actions each view's line scroll bar performs from now on.
  void countActions() {
    for (int i = 0; i < 3; ++i)
      QObject::connect(bar(i), &QAbstractSlider::actionTriggered, bar(i), [this, i] { ++actions[i]; });
  }
  // The thumb dragged to `position`, as the mouse does it.
  static void dragThumb(QScrollBar* bar, int position) {
    bar->setSliderDown(true);
    bar->setSliderPosition(position);
    bar->setSliderDown(false);
  }

  AppHarness h;
  std::array<CWabunkoView*, 3> views{};
  std::array<int, 3> actions{};
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

TEST_F(ScrollLinkTest, CommandFlipsTheFlagOfTheActiveViewAndChecksItsItem) {
  CWabunkoView* active = h.app().mainFrame()->activeView();
  ASSERT_NE(active, nullptr);
  EXPECT_EQ(active->scrollLinked, 0);
  CommandRouter& router = h.app().router();
  EXPECT_EQ(router.update(cmd::ScrollLink).checked(), false);
  router.dispatch(cmd::ScrollLink);
  EXPECT_EQ(active->scrollLinked, 1);
  EXPECT_EQ(router.update(cmd::ScrollLink).checked(), true);
  router.dispatch(cmd::ScrollLink);
  EXPECT_EQ(active->scrollLinked, 0);
}

TEST_F(ScrollLinkTest, StepsAndPagesReachTheFollowersOnce) {
  // Views 0 and 1 are linked, view 2 is not; view 0 is scrolled.
  views[0]->onCommand(cmd::ScrollLink);
  views[1]->onCommand(cmd::ScrollLink);
  struct Case {
    const char* name;
    QAbstractSlider::SliderAction action;
    Qt::KeyboardModifiers modifiers;
    std::array<bool, 3> follows;
  };
  const Case cases[] = {
      {"line, linked follow", QAbstractSlider::SliderSingleStepAdd, Qt::NoModifier, {true, true, false}},
      {"page, linked follow", QAbstractSlider::SliderPageStepAdd, Qt::NoModifier, {true, true, false}},
      {"line with Shift, all follow", QAbstractSlider::SliderSingleStepAdd, Qt::ShiftModifier, {true, true, true}},
      {"page with Ctrl, none follow", QAbstractSlider::SliderPageStepAdd, Qt::ControlModifier, {true, false, false}},
      {"line with Ctrl+Shift, none follow", QAbstractSlider::SliderSingleStepAdd,
       Qt::ControlModifier | Qt::ShiftModifier, {true, false, false}},
  };
  countActions();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < 3; ++i) bar(i)->setValue(bar(i)->pageStep());
    actions = {};
    modifiers = c.modifiers;
    bar(0)->triggerAction(c.action);
    for (int i = 0; i < 3; ++i) {
      // Each view by a step or a page of its own.
      const int step = c.action == QAbstractSlider::SliderPageStepAdd ? bar(i)->pageStep() : bar(i)->singleStep();
      EXPECT_EQ(actions[i], c.follows[i] ? 1 : 0) << "view " << i;
      EXPECT_EQ(bar(i)->value(), bar(i)->pageStep() + (c.follows[i] ? step : 0)) << "view " << i;
    }
  }
}

TEST_F(ScrollLinkTest, ThumbPutsTheFollowerAtTheSameFractionOfItsText) {
  views[2]->onCommand(cmd::ScrollLink);
  countActions();
  const int position = bar(0)->maximum() * 3 / 4;
  dragThumb(bar(0), position);
  EXPECT_EQ(bar(0)->value(), position);
  const double fraction = double(position) / bar(0)->maximum();
  EXPECT_EQ(bar(2)->value(), qRound(fraction * bar(2)->maximum()));
  EXPECT_LT(bar(2)->maximum(), bar(0)->maximum());
  EXPECT_EQ(bar(1)->value(), 0);
  EXPECT_EQ(actions, (std::array<int, 3>{1, 0, 1}));
}

TEST_F(ScrollLinkTest, WheelAndCaretScrollOnlyTheirOwnView) {
  for (CWabunkoView* view : views) view->onCommand(cmd::ScrollLink);
  auto* text = qobject_cast<QAbstractScrollArea*>(views[0]->edit().widget());
  ASSERT_NE(text, nullptr);
  const QPointF inside(text->viewport()->rect().center());
  QWheelEvent wheel(inside, text->viewport()->mapToGlobal(inside), QPoint(), QPoint(0, -360), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(text->viewport(), &wheel);
  views[1]->edit().setSel(views[1]->edit().textLength(), views[1]->edit().textLength());
  QApplication::processEvents();
  EXPECT_GT(bar(0)->value(), 0);
  EXPECT_GT(bar(1)->value(), 0);
  EXPECT_EQ(bar(2)->value(), 0);
}

TEST_F(ScrollLinkTest, RowsAndColumnsFollowEachOtherStepForStep) {
  views[1]->setVerticalWriting(true);
  settle();
  ASSERT_TRUE(views[1]->edit().isVertical());
  views[0]->onCommand(cmd::ScrollLink);
  views[1]->onCommand(cmd::ScrollLink);
  countActions();
  // A step down in rows is a step to the next column in columns, and back; each view moves
  // by a step of its own.
  bar(0)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar(1)->value(), bar(1)->singleStep());
  bar(1)->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar(0)->value(), bar(0)->singleStep() + bar(0)->pageStep());
  const int position = bar(1)->maximum() / 3;
  dragThumb(bar(1), position);
  EXPECT_EQ(bar(0)->value(), qRound(double(position) / bar(1)->maximum() * bar(0)->maximum()));
  EXPECT_EQ(bar(2)->value(), 0);
  EXPECT_EQ(actions, (std::array<int, 3>{3, 3, 0}));
}

TEST_F(ScrollLinkTest, OnlyTheFirstViewOfADocumentTakesPart) {
  for (CWabunkoView* view : views) view->onCommand(cmd::ScrollLink);
  // A further view of the second document, as tall as the others and as long.
  QWidget holder;
  auto* further = new CWabunkoView(views[1]->document(), views[1]->host(), h.store());
  further->setParent(&holder);
  further->edit().replaceSel(QString::fromLatin1(numberedLines(300)), false);
  further->edit().setSel(0, 0);
  further->onCommand(cmd::ScrollLink);
  further->resize(300, 250);
  holder.show();
  QApplication::processEvents();
  ASSERT_GT(bar(further)->maximum(), 0);

  const int furtherStart = bar(further)->value();
  bar(0)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar(further)->value(), furtherStart) << "a further view does not follow";
  EXPECT_EQ(bar(1)->value(), bar(1)->singleStep());
  bar(further)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar(further)->value(), furtherStart + bar(further)->singleStep()) << "it scrolls on its own";
  EXPECT_EQ(bar(0)->value(), bar(0)->singleStep()) << "and nobody follows it";
  EXPECT_EQ(bar(1)->value(), bar(1)->singleStep());
  delete further;
}

}  // namespace
}  // namespace wabunko
