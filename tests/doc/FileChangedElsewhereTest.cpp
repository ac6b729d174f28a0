// A document's file that another program changes or removes while it is open: Save asks
// before it overwrites, auto-save leaves the file alone, and the user hears of it once per
// change when the document's window is activated. The editor's own writes are no change.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "frame/CMainFrame.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/ChildFrame.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "platform/View.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace wabunko {
namespace {

void type(CWabunkoDoc* doc, const QString& s) {
  doc->display()->edit().setSel(-1, -1);
  doc->display()->edit().replaceSel(s, true);
}

void append(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write(bytes);
}

struct OtherProgram {
  const char* what;
  std::function<void(const QString& path)> act;
  const char* question;  // what Save asks, after the file's name
  const char* autoSaveReason;
};

const OtherProgram kOtherPrograms[] = {
    {"appends", [](const QString& p) { append(p, "x\n"); }, " は他のプログラムで変更されています。上書きしますか？",
     "変更されているため、上書きしません"},
    {"removes", [](const QString& p) { QFile::remove(p); }, " は他のプログラムで削除されています。保存しますか？",
     "削除されているため、保存しません"},
    {"puts a folder there",
     [](const QString& p) {
       QFile::remove(p);
       QDir().mkdir(p);
     },
     " は他のプログラムで削除されています。保存しますか？", "削除されているため、保存しません"},
};

TEST(FileChangedElsewhere, SaveAsksAndNoKeepsTheOtherProgramsFileAndTheChanges) {
  for (const OtherProgram& other : kOtherPrograms) {
    SCOPED_TRACE(other.what);
    AppHarness h;
    const QString path = h.path(QStringLiteral("memo.txt"));
    writeBytes(path, "mine");
    CWabunkoDoc* doc = h.open(path);
    type(doc, QStringLiteral(" edited"));
    other.act(path);
    const QFileInfo before(path);

    h.answers.push_back(QMessageBox::No);
    doc->onFileSave();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, QStringLiteral("memo.txt") + QString::fromUtf8(other.question));
    EXPECT_EQ(h.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(QFileInfo(path).exists(), before.exists());
    EXPECT_EQ(QFileInfo(path).size(), before.size());
    EXPECT_TRUE(h.fileDialogs.empty());
  }
}

TEST(FileChangedElsewhere, ClosingAsksBeforeOverwritingToo) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("memo.txt"));
  writeBytes(path, "mine");
  CWabunkoDoc* doc = h.open(path);
  type(doc, QStringLiteral(" edited"));
  append(path, "theirs");
  // Save the changes? Yes. Overwrite the other program's file? No: the window stays.
  h.answers = {QMessageBox::Yes, QMessageBox::No};
  EXPECT_FALSE(doc->saveModified());
  ASSERT_EQ(h.messages.size(), 2u);
  EXPECT_EQ(h.messages[1].text, QStringLiteral("memo.txt は他のプログラムで変更されています。上書きしますか？"));
  EXPECT_EQ(readBytes(path), QByteArray("minetheirs"));
}

TEST(FileChangedElsewhere, YesSavesAndTheSaveAfterAsksNothing) {
  for (const OtherProgram& other : {kOtherPrograms[0], kOtherPrograms[1]}) {
    SCOPED_TRACE(other.what);
    AppHarness h;
    const QString path = h.path(QStringLiteral("memo.txt"));
    writeBytes(path, "mine");
    CWabunkoDoc* doc = h.open(path);
    type(doc, QStringLiteral(" edited"));
    other.act(path);

    h.answers.push_back(QMessageBox::Yes);
    doc->onFileSave();
    EXPECT_EQ(h.messages.size(), 1u);
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(readBytes(path), QByteArray("mine edited"));

    type(doc, QStringLiteral(" again"));
    doc->onFileSave();
    EXPECT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(readBytes(path), QByteArray("mine edited again"));
  }
}

TEST(FileChangedElsewhere, TheEditorsOwnWritesAreNoChange) {
  AppHarness h;
  writeSetting(h.store(), settings::FileDoBackUp, 1);
  const QString path = h.path(QStringLiteral("memo.txt"));
  writeBytes(path, "mine");
  CWabunkoDoc* doc = h.open(path);  // and its backup
  ASSERT_TRUE(QFileInfo::exists(h.path(QStringLiteral("memo.bak"))));
  // Saves, auto-saves and copies one after another, well within the file system's clock tick.
  for (const char* edit : {"a", "b", "cc"}) {
    type(doc, QString::fromLatin1(edit));
    doc->onFileSave();
    type(doc, QString::fromLatin1(edit));
    EXPECT_FALSE(doc->saveQuietly().has_value());
    ASSERT_TRUE(doc->saveCopy(h.path(QStringLiteral("copy.txt")), CharCode::ShiftJis));
  }
  h.open(path);  // already open: activates it
  // Saved under a new name, the new file is the one watched.
  type(doc, QStringLiteral("d"));
  h.fileChoices.push_back({true, {h.path(QStringLiteral("renamed.txt"))}, TextFilter});
  ASSERT_TRUE(doc->saveAs());
  append(path, "other program");  // the old name is no longer the document's
  type(doc, QStringLiteral("e"));
  doc->onFileSave();
  QCoreApplication::processEvents();
  EXPECT_TRUE(h.messages.empty());
  EXPECT_EQ(readBytes(h.path(QStringLiteral("renamed.txt"))), QByteArray("mineaabbccccde"));
}

TEST(FileChangedElsewhere, AutoSaveLeavesTheFileAloneAndSaysWhy) {
  for (const OtherProgram& other : kOtherPrograms) {
    SCOPED_TRACE(other.what);
    AppHarness h;
    const QString path = h.path(QStringLiteral("memo.txt"));
    writeBytes(path, "mine");
    CWabunkoDoc* doc = h.open(path);
    type(doc, QStringLiteral(" edited"));
    other.act(path);
    const QFileInfo before(path);

    const std::optional<QString> failure = doc->saveQuietly();
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->startsWith(QStringLiteral("memo.txt "))) << failure->toStdString();
    EXPECT_TRUE(failure->contains(QString::fromUtf8(other.autoSaveReason))) << failure->toStdString();
    EXPECT_TRUE(h.messages.empty());
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(QFileInfo(path).exists(), before.exists());
    EXPECT_EQ(QFileInfo(path).size(), before.size());
  }
}

ChildFrame* frameOf(CWabunkoDoc* doc) { return doc->views().front()->childFrame(); }

class Activation : public ::testing::Test {
protected:
  void SetUp() override {
    writeBytes(h.path(QStringLiteral("a.txt")), "a");
    writeBytes(h.path(QStringLiteral("b.txt")), "b");
    a = h.open(h.path(QStringLiteral("a.txt")));
    b = h.open(h.path(QStringLiteral("b.txt")));
    ASSERT_TRUE(QTest::qWaitForWindowActive(h.app().mainFrame()));
  }

  // The notices shown since the last call.
  QStringList noticesAfter(const std::function<void()>& act) {
    const std::size_t before = h.messages.size();
    act();
    QCoreApplication::processEvents();
    QStringList texts;
    for (std::size_t i = before; i < h.messages.size(); ++i) {
      EXPECT_EQ(h.messages[i].icon, QMessageBox::Information);
      texts << h.messages[i].text;
    }
    return texts;
  }
  QStringList noticesOnActivating(CWabunkoDoc* doc) {
    return noticesAfter([doc] { frameOf(doc)->activateFrame(); });
  }
  // Another program's window comes to the front and the editor's back again.
  QStringList noticesOnComingBack(const std::function<void()>& meanwhile) {
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
    meanwhile();
    return noticesAfter([this] {
      h.app().mainFrame()->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(h.app().mainFrame()));
    });
  }

  AppHarness h;
  CWabunkoDoc* a = nullptr;
  CWabunkoDoc* b = nullptr;
};

const QString kChangedA =
    QStringLiteral("a.txt は他のプログラムで変更されています。\n開いている内容はそのままです。上書き保存するときに確認します。");

TEST_F(Activation, TheActivatedDocumentTellsOfEachChangeOnce) {
  EXPECT_TRUE(noticesOnActivating(a).isEmpty());
  append(h.path(QStringLiteral("a.txt")), "1");
  EXPECT_TRUE(noticesOnActivating(b).isEmpty());  // b's file is as it was
  EXPECT_EQ(noticesOnActivating(a), QStringList{kChangedA});
  EXPECT_TRUE(noticesOnActivating(b).isEmpty());
  EXPECT_TRUE(noticesOnActivating(a).isEmpty());  // told already

  append(h.path(QStringLiteral("a.txt")), "2");
  EXPECT_TRUE(noticesOnActivating(b).isEmpty());
  EXPECT_EQ(noticesOnActivating(a), QStringList{kChangedA});

  QFile::remove(h.path(QStringLiteral("a.txt")));
  EXPECT_TRUE(noticesOnActivating(b).isEmpty());
  EXPECT_EQ(noticesOnActivating(a), QStringList{QStringLiteral(
                                        "a.txt は他のプログラムで削除されています。\n"
                                        "開いている内容はそのままです。保存するときに確認します。")});
  EXPECT_FALSE(a->isModified());  // nothing reloaded, nothing touched
  EXPECT_EQ(a->display()->edit().textLength(), 1);
}

TEST_F(Activation, TheEditorsWindowComingBackTellsOfTheActiveDocumentOnly) {
  frameOf(a)->activateFrame();
  EXPECT_EQ(noticesOnComingBack([this] {
              append(h.path(QStringLiteral("a.txt")), "1");
              append(h.path(QStringLiteral("b.txt")), "1");
            }),
            QStringList{kChangedA});
  EXPECT_TRUE(noticesOnComingBack([] {}).isEmpty());
  EXPECT_EQ(noticesOnActivating(b).size(), 1);  // b's turn when its window comes up
}

TEST_F(Activation, NoNoticeOfWhatTheSaveQuestionOrASaveHasDealtWith) {
  frameOf(a)->activateFrame();
  type(a, QStringLiteral("+"));
  EXPECT_TRUE(noticesOnComingBack([this] {
                append(h.path(QStringLiteral("a.txt")), "1");
                h.answers.push_back(QMessageBox::No);
                a->onFileSave();  // asked, not saved
              }).isEmpty());
  EXPECT_EQ(h.messages.size(), 1u);  // the question
  EXPECT_TRUE(noticesOnActivating(b).isEmpty());
  EXPECT_TRUE(noticesOnActivating(a).isEmpty());

  h.answers.push_back(QMessageBox::Yes);
  a->onFileSave();
  ASSERT_FALSE(a->isModified());
  EXPECT_TRUE(noticesOnComingBack([] {}).isEmpty());
}

}  // namespace
}  // namespace wabunko
