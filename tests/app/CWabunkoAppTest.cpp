// The application object: new documents, untouched empty documents, Save All, Close All
// and the command route, through the real main frame offscreen.
#include "TestFiles.h"

#include "app/AppCommands.h"
#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "platform/RecentFileList.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"
#include "frame/CMainFrame.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

QStringList titles(const AppHarness& h) {
  QStringList t;
  for (CWabunkoDoc* doc : h.documents()) t << doc->title();
  return t;
}

void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(CWabunkoApp, NewDocumentsAreNumberedAndAFileReplacesTheUntouchedOne) {
  AppHarness h;
  EXPECT_EQ(titles(h), QStringList{QStringLiteral("Wabun1")});
  h.app().router().dispatch(cmd::FileNew);
  EXPECT_EQ(titles(h), (QStringList{QStringLiteral("Wabun1"), QStringLiteral("Wabun2")}));

  // Typing into Wabun2 keeps it open; the untouched Wabun1 closes when a file opens.
  h.documents()[1]->display()->edit().replaceSel(QStringLiteral("kept"), true);
  writeBytes(h.path(QStringLiteral("empty.txt")), "");
  h.open(h.path(QStringLiteral("empty.txt")));
  settle();
  EXPECT_EQ(titles(h), (QStringList{QStringLiteral("Wabun2"), QStringLiteral("empty.txt")}));
}

TEST(CWabunkoApp, OpeningAnOpenFileActivatesIt) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("one.txt")), "1");
  CWabunkoDoc* first = h.open(h.path(QStringLiteral("one.txt")));
  h.app().router().dispatch(cmd::FileNew);
  EXPECT_EQ(h.open(h.path(QStringLiteral("./one.txt"))), first);
  EXPECT_EQ(h.documents().size(), 2u);
}

TEST(CWabunkoApp, SaveAllRunsSaveForEveryDocument) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("a.txt")), "a");
  writeBytes(h.path(QStringLiteral("b.txt")), "b");
  CWabunkoDoc* a = h.open(h.path(QStringLiteral("a.txt")));
  CWabunkoDoc* b = h.open(h.path(QStringLiteral("b.txt")));
  h.app().router().dispatch(cmd::FileNew);
  for (CWabunkoDoc* doc : h.documents()) {
    doc->display()->edit().setSel(-1, -1);
    doc->display()->edit().replaceSel(QStringLiteral("+"), true);
  }

  h.app().router().dispatch(cmd::FileSaveAll);
  EXPECT_EQ(readBytes(h.path(QStringLiteral("a.txt"))), QByteArray("a+"));
  EXPECT_EQ(readBytes(h.path(QStringLiteral("b.txt"))), QByteArray("b+"));
  EXPECT_FALSE(a->isModified());
  EXPECT_FALSE(b->isModified());
  // The never-saved one asked for a name (and the dialog was cancelled).
  EXPECT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.fileDialogs.size(), 1u);
}

TEST(CWabunkoApp, CloseAllClosesNothingWhenASavePromptIsCancelled) {
  AppHarness h;
  h.app().router().dispatch(cmd::FileNew);
  h.documents()[0]->display()->edit().replaceSel(QStringLiteral("unsaved"), true);

  h.answers.push_back(QMessageBox::Cancel);
  h.app().router().dispatch(cmd::FileCloseAll);
  settle();
  EXPECT_EQ(h.documents().size(), 2u);

  h.answers.push_back(QMessageBox::No);
  h.app().router().dispatch(cmd::FileCloseAll);
  settle();
  EXPECT_TRUE(h.documents().empty());
}

TEST(CWabunkoApp, CommandsTravelFromTheActiveViewToTheApplication) {
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  doc->display()->edit().replaceSel(QStringLiteral("abc"), true);
  EXPECT_TRUE(h.app().router().dispatch(cmd::EditSelectAll));  // the view
  int start = 0, end = 0;
  doc->display()->edit().getSel(start, end);
  EXPECT_EQ(end - start, 3);

  h.fileChoices.push_back({true, {h.path(QStringLiteral("routed.txt"))}, TextFilter});
  EXPECT_TRUE(h.app().router().dispatch(cmd::FileSave));  // the document
  EXPECT_EQ(readBytes(h.path(QStringLiteral("routed.txt"))), QByteArray("abc"));
  EXPECT_FALSE(h.app().router().dispatch(12345));
}

TEST(CWabunkoApp, RecentFilesListTheLastFourAndForgetOnesThatAreGone) {
  AppHarness h;
  const RecentFileList& recent = *h.app().recentFiles();
  EXPECT_EQ(recent.size(), 4);  // "Number of MRU List" absent
  for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}) {
    writeBytes(h.path(QString::fromLatin1(name)), name);
    h.open(h.path(QString::fromLatin1(name)));
  }
  ASSERT_EQ(recent.files().size(), 4);
  EXPECT_TRUE(recent.files()[0].endsWith(QLatin1String("5.txt")));
  EXPECT_TRUE(recent.files()[3].endsWith(QLatin1String("2.txt")));
  EXPECT_EQ(h.store().getProfileString(QStringLiteral("recent file list"), QStringLiteral("File1")),
            recent.files()[0]);

  for (CWabunkoDoc* doc : h.documents()) doc->onCloseDocument();
  settle();
  EXPECT_TRUE(h.app().router().dispatch(cmd::FileMruFirst + 2));  // 3.txt opens again, at the top
  EXPECT_TRUE(recent.files()[0].endsWith(QLatin1String("3.txt")));

  QFile::remove(h.path(QStringLiteral("2.txt")));
  h.app().router().dispatch(cmd::FileMruFirst + 3);  // gone: reported and dropped
  EXPECT_EQ(recent.files().size(), 3);
  EXPECT_EQ(h.messages.size(), 1u);
}

TEST(CWabunkoApp, MenuKeysReachTheirCommandsFromTheEditor) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("k.txt")), "k");
  EditControl& control = h.open(h.path(QStringLiteral("k.txt")))->display()->edit();
  ASSERT_TRUE(QTest::qWaitForWindowActive(h.app().mainFrame()));
  control.setSel(0, 0);
  QWidget* edit = control.widget();
  QTest::keyClick(edit, Qt::Key_X);
  QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
  QCoreApplication::processEvents();  // the hot key posts its command
  EXPECT_EQ(readBytes(h.path(QStringLiteral("k.txt"))), QByteArray("xk"));
}

}  // namespace
}  // namespace wabunko
