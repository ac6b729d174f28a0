// The text-rewriting commands on a real view: conversions, punctuation with its progress
// window, quotation marks, reopening in another code.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "app/OpenRequest.h"
#include "doc/CReopenDlg.h"
#include "doc/CWabunkoDoc.h"
#include "doc/CWorkProgressDlg.h"
#include "frame/AutoSave.h"
#include "frame/CMainFrame.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "platform/RichTextStream.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"
#include "view/ViewCommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <vector>

namespace wabunko {
namespace {

QString text(CWabunkoDoc* doc) { return RichTextStream::plainText(*doc->display()->edit().textDocument()); }

// `count` distinct characters code page 932 cannot hold (CJK Extension A), from the
// `first`-th on.
QString unmapped(int first, int count) {
  QString chars;
  for (int i = 0; i < count; ++i) chars += QChar(0x3400 + first + i);
  return chars;
}

// Starts the conversion in the punctuation dialog as soon as the dialog is open.
void acceptPunctuationDialog() {
  QTimer::singleShot(0, [] { static_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
}

void pressCancel(CWorkProgressDlg& progress) {
  for (auto* button : progress.findChildren<QAbstractButton*>()) button->click();
}

TEST(TextCommands, ACutWhoseRecordTheDiskCutsShortIsReportedAndLeavesTheText) {
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  EditControl& edit = doc->display()->edit();
  const QString original = QStringLiteral("切り取る文字列。").repeated(500);  // a record of about 8 KB
  edit.replaceSel(original, true);
  edit.setSel(0, -1);
  // A disk that takes no more than 4 KB of a file.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  h.app().router().dispatch(cmd::EditCut);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(text(doc), original);
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_TRUE(h.messages[0].text.contains(QStringLiteral("切り取りの記録"))) << h.messages[0].text.toStdString();
}

TEST(TextCommands, FullThenHalfWidthComesBackAndCharactersOutsideTheCodePageSurvive) {
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  doc->display()->edit().replaceSel(QStringLiteral("ｱｲｳABC123😀한"), true);
  h.app().router().dispatch(cmd::ConvertFullWidth);
  EXPECT_EQ(text(doc), QStringLiteral("アイウＡＢＣ１２３😀한"));
  h.app().router().dispatch(cmd::ConvertHalfWidth);
  EXPECT_EQ(text(doc), QStringLiteral("ｱｲｳABC123😀한"));
  h.app().router().dispatch(cmd::ConvertUpper);
  EXPECT_EQ(text(doc), QStringLiteral("ｱｲｳABC123😀한"));
}

TEST(TextCommands, OnlyTheSelectionIsConvertedWhenTheSettingSaysSo) {
  AppHarness h({{QStringLiteral("Command"), {{QStringLiteral("Convert Only Selected"), QStringLiteral("1")}}}});
  CWabunkoDoc* doc = h.documents().front();
  doc->display()->edit().replaceSel(QStringLiteral("abc def"), true);
  doc->display()->edit().setSel(4, 7);
  h.app().router().dispatch(cmd::ConvertUpper);
  EXPECT_EQ(text(doc), QStringLiteral("abc DEF"));
}

TEST(TextCommands, PunctuationConvertsAndACancelLeavesTheText) {
  for (const bool cancel : {false, true}) {
    AppHarness h;
    CWabunkoDoc* doc = h.documents().front();
    const QString original = QStringLiteral("あ，い．a, b.\n").repeated(500);
    doc->display()->edit().replaceSel(original, true);
    // Start the conversion in the dialog; then, in the first pause of the walk, cancel.
    QTimer::singleShot(0, [cancel] {
      static_cast<QDialog*>(QApplication::activeModalWidget())->accept();
      if (cancel)
        QTimer::singleShot(0, [] {
          for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<CWorkProgressDlg*>(w)) pressCancel(*progress);
        });
    });
    h.app().router().dispatch(cmd::ConvertPunctuation);
    EXPECT_EQ(text(doc), cancel ? original : QStringLiteral("あ、い。a、 b。\n").repeated(500)) << cancel;
  }
}

TEST(TextCommands, WhatArrivesDuringThePunctuationWalkWaitsUntilItEnds) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("text.txt")), "");
  writeBytes(h.path(QStringLiteral("handed.txt")), "handed");
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("text.txt")));
  const QString original = QStringLiteral("あ，い．\n").repeated(500);
  doc->display()->edit().replaceSel(original, true);
  CMainFrame* frame = h.app().mainFrame();
  bool closed = true;
  std::size_t documentsDuring = 0;
  // In the first pause of the walk: a later start hands over a file, auto-save's timer
  // fires, and the main window is asked to close.
  QTimer::singleShot(0, [&] {
    static_cast<QDialog*>(QApplication::activeModalWidget())->accept();
    QTimer::singleShot(0, [&] {
      h.app().openPassed({CharCode::ShiftJis, {{h.path(QStringLiteral("handed.txt")), {}}}});
      frame->autoSave().saveNow();
      closed = frame->close();
      documentsDuring = h.documents().size();
    });
  });
  h.app().router().dispatch(cmd::ConvertPunctuation);
  EXPECT_EQ(text(doc), QStringLiteral("あ、い。\n").repeated(500));
  EXPECT_FALSE(closed);
  EXPECT_EQ(documentsDuring, 1u);
  EXPECT_EQ(readBytes(h.path(QStringLiteral("text.txt"))), QByteArray());  // not saved inside the walk
  // The handed-over file opens once the walk is over.
  ASSERT_TRUE(QTest::qWaitFor([&] { return h.documents().size() == 2; }, 2000));
  EXPECT_EQ(h.documents().back()->pathName(), h.path(QStringLiteral("handed.txt")));
}

TEST(TextCommands, TwoThousandCharactersOutsideTheCodePageSurviveEveryRewrite) {
  // Twenty lines, each a, 100 characters no other line has, and a blank.
  const auto lines = [](const std::function<QString(const QString&)>& line) {
    QStringList all;
    for (int i = 0; i < 20; ++i) all << line(unmapped(100 * i, 100));
    return all.join(QLatin1Char('\n'));
  };
  struct Case {
    const char* name;
    int command;
    QString prefix;  // what the command puts in front of each line
    std::function<QString(const QString&)> line;
  };
  const Case cases[] = {
      {"upper case", cmd::ConvertUpper, {}, [](const QString& c) { return "A" + c + " "; }},
      {"full width", cmd::ConvertFullWidth, {}, [](const QString& c) { return "ａ" + c + "　"; }},
      {"trailing blanks", cmd::ToolTrailingBlanks, {}, [](const QString& c) { return "a" + c; }},
      // a takes one column, each character two: 80 columns break after 39, 40 and 21.
      {"line length", cmd::ToolLineLength, {},
       [](const QString& c) { return "a" + c.left(39) + "\n" + c.mid(39, 40) + "\n" + c.mid(79) + " "; }},
      {"quotation mark", cmd::ToolQuotationMark, QStringLiteral(">"),
       [](const QString& c) { return ">a" + c + " "; }},
      {"clipboard prefix", cmd::ToolClipboardPrefix, QStringLiteral("😀"),
       [](const QString& c) { return "😀a" + c + " "; }},
  };
  for (const Case& c : cases) {
    for (const bool finalLineEnd : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (finalLineEnd ? ", final line end" : ""));
      AppHarness h;
      CWabunkoDoc* doc = h.documents().front();
      EditControl& edit = doc->display()->edit();
      const QString end = finalLineEnd ? QStringLiteral("\n") : QString();
      edit.replaceSel(lines([](const QString& chars) { return "a" + chars + " "; }) + end, true);
      edit.setSel(0, -1);
      QGuiApplication::clipboard()->setText(c.prefix);
      h.app().router().dispatch(c.command);
      // The empty line after a final line end is marked too.
      EXPECT_EQ(text(doc), lines(c.line) + (finalLineEnd ? end + c.prefix : QString()));
      EXPECT_TRUE(h.messages.empty());
    }
  }
}

TEST(TextCommands, PunctuationOverManyCharactersShowsOneProgressAndCancelsInAnyRun) {
  for (const bool cancel : {false, true}) {
    SCOPED_TRACE(cancel ? "cancelled past half" : "to the end");
    AppHarness h;
    CWabunkoDoc* doc = h.documents().front();
    const auto lines = [](const QString& punctuation) {
      QStringList all;
      for (int i = 0; i < 20; ++i) all << unmapped(100 * i, 100) + punctuation.repeated(50);
      return all.join(QLatin1Char('\n'));
    };
    const QString original = lines(QStringLiteral("あ，い．"));
    doc->display()->edit().replaceSel(original, true);
    std::vector<int> seen;
    QTimer watch;  // looks at the bar in every pause of the walk
    QObject::connect(&watch, &QTimer::timeout, [&seen, cancel] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* progress = qobject_cast<CWorkProgressDlg*>(w);
        if (!progress) continue;
        seen.push_back(progress->findChild<QProgressBar*>()->value());
        // Half the text is past the first run, which holds nine lines.
        if (cancel && seen.back() >= 50) pressCancel(*progress);
      }
    });
    watch.start(0);
    acceptPunctuationDialog();
    h.app().router().dispatch(cmd::ConvertPunctuation);
    watch.stop();
    EXPECT_EQ(text(doc), cancel ? original : lines(QStringLiteral("あ、い。")));
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    ASSERT_FALSE(seen.empty());
    EXPECT_GE(seen.back(), 50);
  }
}

TEST(TextCommands, ALineWithTooManyCharactersOutsideTheCodePageIsRefusedUnchanged) {
  struct Case {
    const char* name;
    int command;
    QString line;
    QString clipboard;
  };
  const Case cases[] = {
      {"upper case", cmd::ConvertUpper, "a" + unmapped(0, 941), {}},
      {"line length", cmd::ToolLineLength, unmapped(0, 941), {}},
      {"punctuation", cmd::ConvertPunctuation, "、" + unmapped(0, 941), {}},
      {"a prefix that brings one more", cmd::ToolClipboardPrefix, unmapped(0, 940), QStringLiteral("😀")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppHarness h;
    CWabunkoDoc* doc = h.documents().front();
    EditControl& edit = doc->display()->edit();
    const QString original = "a\n" + c.line + "\nb";
    edit.replaceSel(original, true);
    edit.setSel(0, -1);
    QGuiApplication::clipboard()->setText(c.clipboard);
    if (c.command == cmd::ConvertPunctuation) acceptPunctuationDialog();
    h.app().router().dispatch(c.command);
    EXPECT_EQ(text(doc), original);
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].caption, QStringLiteral("Wabunko"));
    EXPECT_TRUE(h.messages[0].text.contains(QStringLiteral("940")));
  }
}

TEST(TextCommands, QuotationMarkReachesALineTheSelectionEndsAt) {
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  EditControl& edit = doc->display()->edit();
  edit.replaceSel(QStringLiteral("one\ntwo\nthree"), true);
  edit.setSel(1, 8);  // from inside "one" to the start of "three"
  h.app().router().dispatch(cmd::ToolQuotationMark);
  EXPECT_EQ(text(doc), QStringLiteral(">one\n>two\n>three"));
}

TEST(TextCommands, ReopenInAnotherCodeFixesAGarbledFile) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("euc.txt"));
  writeBytes(path, "\xb0\xa1\xa4\xa2\r\n");  // 亜あ in EUC-JP
  CWabunkoDoc* doc = h.open(path);
  EXPECT_NE(text(doc), QStringLiteral("亜あ\n"));
  setReopenDialogHook([](CharCode) { return std::optional<CharCode>(CharCode::Euc); });
  h.app().router().dispatch(cmd::Reopen);
  setReopenDialogHook({});
  EXPECT_EQ(text(doc), QStringLiteral("亜あ\n"));
  EXPECT_EQ(doc->charCode(), CharCode::Euc);  // what Save writes from now on
  EXPECT_EQ(h.app().pendingCode, CharCode::ShiftJis);

  h.app().router().dispatch(cmd::FileNew);
  h.app().router().dispatch(cmd::Reopen);  // never saved: cannot be reopened
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, QStringLiteral("このファイルは開き直すことは出来ません。"));
}

}  // namespace
}  // namespace wabunko
