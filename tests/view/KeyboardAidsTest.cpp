// The typing aids and the view's hot keys on real views, in rows and in columns.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "frame/CMainFrame.h"
#include "platform/EditControl.h"
#include "platform/HotKeyService.h"
#include "platform/RichTextStream.h"
#include "search/CWabFindDlg.h"
#include "search/FindCommands.h"
#include "settings/HotKeyTable.h"
#include "view/CWabunkoView.h"
#include "view/ViewHotKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

class Typing {
public:
  explicit Typing(const QString& text, bool vertical = false, const QMap<QString, QMap<QString, QString>>& settings = {})
      : h(settings) {
    QWidget* frame = h.app().mainFrame();
    frame->show();
    view = viewOf(h.documents().front());
    if (vertical) view->setVerticalWriting(true);
    edit().replaceSel(text, true);
    view->edit().widget()->setFocus();
    QApplication::processEvents();
  }
  EditControl& edit() { return view->edit(); }
  QString text() { return RichTextStream::plainText(*edit().textDocument()); }
  void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(edit().widget(), static_cast<Qt::Key>(key), modifiers);
    QApplication::processEvents();
  }
  void type(const QString& text) {
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, c.unicode() < 0x80 ? c.toUpper().unicode() : 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit().widget(), &press);
    }
    QApplication::processEvents();
  }
  int caret() {
    int start = 0;
    int end = 0;
    edit().getSel(start, end);
    return end;
  }

  AppHarness h;
  CWabunkoView* view = nullptr;
};

TEST(KeyboardAids, ReturnTakesOverTheIndentationAndMakesOneLineAlsoInOverwriteMode) {
  struct Case {
    QString line;
    bool overwrite;
    QString want;
  };
  const Case cases[] = {
      {QStringLiteral("\t  code"), false, QStringLiteral("\t  code\n\t  ")},
      {QStringLiteral("\u3000全角"), false, QStringLiteral("\u3000全角\n  ")},
      {QStringLiteral("plain"), false, QStringLiteral("plain\n")},
      {QStringLiteral("  last"), true, QStringLiteral("  last\n  ")},
  };
  for (const bool vertical : {false, true}) {
    for (const Case& c : cases) {
      Typing t(c.line, vertical);
      t.h.app().mainFrame()->autoIndent = 1;
      if (c.overwrite) t.key(Qt::Key_Insert);
      t.key(Qt::Key_Return);
      EXPECT_EQ(t.text(), c.want) << c.line.toStdString() << " vertical " << vertical;
      EXPECT_EQ(t.caret(), c.want.size());
    }
  }
}

TEST(KeyboardAids, AnOpeningBracketGetsItsClosingOneWithTheCaretBetween) {
  Typing t(QStringLiteral("x"));
  t.h.app().mainFrame()->autoBrace = 1;
  t.type(QStringLiteral("("));
  EXPECT_EQ(t.text(), QStringLiteral("x()"));
  EXPECT_EQ(t.caret(), 2);
  t.type(QStringLiteral("（"));
  EXPECT_EQ(t.text(), QStringLiteral("x(（)"));
  t.h.app().mainFrame()->autoBrace = 0;
  t.type(QStringLiteral("["));
  EXPECT_EQ(t.text(), QStringLiteral("x(（[)"));
}

TEST(KeyboardAids, TheNextLineKeyOnALastLineWithTextOpensAnEmptyOne) {
  for (const bool vertical : {false, true}) {
    const int next = vertical ? Qt::Key_Left : Qt::Key_Down;
    Typing t(QStringLiteral("one\ntwo"), vertical);
    t.edit().setSel(1, 1);
    t.key(next);  // onto the last line, which holds text
    EXPECT_EQ(t.text(), QStringLiteral("one\ntwo\n")) << vertical;
    EXPECT_EQ(t.caret(), 8);
    t.key(next);  // the last line is empty now: nothing more
    EXPECT_EQ(t.text(), QStringLiteral("one\ntwo\n")) << vertical;
    t.edit().setReadOnly(true);
    t.edit().setSel(4, 4);
    t.key(next);
    EXPECT_EQ(t.text(), QStringLiteral("one\ntwo\n")) << "nothing is added to a text that cannot be edited";
  }
}

TEST(ViewHotKeys, TheViewHoldsItsTwentyEightKeysOnlyWhileItHasTheFocus) {
  Typing t(QStringLiteral("abc"));
  const HotKeyService& service = t.h.app().hotKeyService();
  const QObject* owner = &t.view->hotKeys();
  const auto registered = [&] {
    int count = 0;
    for (const std::size_t i : viewHotkeyIndices()) count += service.isRegistered(owner, hotkeyCommands()[i].id);
    return count;
  };
  // The defaults give keys to undo, cut, copy, paste, select all, find and replace.
  EXPECT_EQ(registered(), 7);
  t.view->edit().widget()->clearFocus();
  QApplication::processEvents();
  EXPECT_EQ(registered(), 0);
  t.view->edit().widget()->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(registered(), 7);
}

TEST(ViewHotKeys, CtrlFOpensTheFindDialogAndAKeyOfOurOwnMovesTheCaret) {
  Typing t(QStringLiteral("abc\ndef"), false, {{QStringLiteral("Hot key"), {{QStringLiteral("行末へ移動"), QStringLiteral("Alt +E")}}}});
  t.key(Qt::Key_F, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_TRUE(t.h.app().mainFrame()->find().findDialog().isVisible());
  t.view->edit().widget()->activateWindow();
  t.view->edit().widget()->setFocus();
  QApplication::processEvents();
  t.edit().setSel(1, 1);
  t.key(Qt::Key_E, Qt::AltModifier);
  EXPECT_EQ(t.caret(), 3);
}

}  // namespace
}  // namespace wabunko
