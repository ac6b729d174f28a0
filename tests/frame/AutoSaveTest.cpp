// Timer 1 through the real main frame: what it saves, what it leaves, that it never asks,
// and the period it runs at.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/AutoSave.h"
#include "frame/CMainFrame.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"

#include <QDialog>
#include <QFile>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

void append(CWabunkoDoc* doc, const QString& s) {
  doc->display()->edit().setSel(-1, -1);
  doc->display()->edit().replaceSel(s, true);
}

TEST(AutoSave, SavesWhatHasAWritableFileAndNeverAsks) {
  AppHarness h;
  AutoSave& autoSave = h.app().mainFrame()->autoSave();
  writeBytes(h.path(QStringLiteral("plain.txt")), "a");
  writeBytes(h.path(QStringLiteral("locked.txt")), "b");
  writeBytes(h.path(QStringLiteral("jis.txt")), "c");
  CWabunkoDoc* plain = h.open(h.path(QStringLiteral("plain.txt")));
  CWabunkoDoc* locked = h.open(h.path(QStringLiteral("locked.txt")));
  CWabunkoDoc* jis = h.open(h.path(QStringLiteral("jis.txt")), CharCode::Jis);
  h.app().router().dispatch(cmd::FileNew);
  CWabunkoDoc* untitled = h.documents().back();
  QFile::setPermissions(h.path(QStringLiteral("locked.txt")), QFileDevice::ReadOwner);
  append(plain, QStringLiteral("+"));
  append(locked, QStringLiteral("+"));
  append(jis, QStringLiteral("😀"));  // no code has it
  append(untitled, QStringLiteral("+"));

  autoSave.saveNow();
  EXPECT_EQ(readBytes(h.path(QStringLiteral("plain.txt"))), QByteArray("a+"));
  EXPECT_FALSE(plain->isModified());
  EXPECT_EQ(readBytes(h.path(QStringLiteral("locked.txt"))), QByteArray("b"));
  EXPECT_EQ(readBytes(h.path(QStringLiteral("jis.txt"))), QByteArray("c"));
  EXPECT_TRUE(locked->isModified());
  EXPECT_TRUE(jis->isModified());
  EXPECT_TRUE(untitled->isModified());
  EXPECT_TRUE(h.messages.empty()) << h.messages.front().text.toStdString();
  EXPECT_TRUE(h.fileDialogs.empty());

  // The document it could not save is named in the status bar, once.
  QStatusBar* status = h.app().mainFrame()->statusBar();
  EXPECT_TRUE(status->currentMessage().contains(QStringLiteral("jis.txt"))) << status->currentMessage().toStdString();
  status->clearMessage();
  autoSave.saveNow();
  EXPECT_TRUE(status->currentMessage().isEmpty());
}

TEST(AutoSave, SkipsATurnWhileAModalDialogIsOpen) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("a.txt")), "a");
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("a.txt")));
  append(doc, QStringLiteral("+"));
  {
    QDialog dialog(h.app().mainFrame());
    dialog.setModal(true);
    dialog.show();
    h.app().mainFrame()->autoSave().saveNow();
    EXPECT_EQ(readBytes(h.path(QStringLiteral("a.txt"))), QByteArray("a"));
  }
  h.app().mainFrame()->autoSave().saveNow();
  EXPECT_EQ(readBytes(h.path(QStringLiteral("a.txt"))), QByteArray("a+"));
}

TEST(AutoSave, ThePeriodIsReadWithinOneMinuteAndWhatTheTimerHolds) {
  const std::pair<const char*, int> cases[] = {
      {"5", 5}, {"0", 1}, {"-7", 1}, {"35791", 35791}, {"35792", 35791}, {"2147483647", 35791}};
  for (const auto& [stored, minutes] : cases) {
    AppHarness h({{QStringLiteral("File"),
                   {{QStringLiteral("Do auto save"), QStringLiteral("1")},
                    {QStringLiteral("Time span for auto save"), QString::fromLatin1(stored)}}}});
    const AutoSave& autoSave = h.app().mainFrame()->autoSave();
    ASSERT_TRUE(autoSave.running()) << stored;
    EXPECT_EQ(autoSave.intervalMs(), minutes * 60000) << stored;
  }
}

}  // namespace
}  // namespace wabunko
