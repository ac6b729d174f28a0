// Files on the command line: every one opens in a first start, in the code named, and a
// later start of the real program hands every one, and standard input's text, to the
// running editor (this test's) and ends.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "frame/ProfileSettings.h"
#include "platform/Dialogs.h"
#include "platform/EditControl.h"
#include "platform/QSettingsStore.h"

#include <QDialog>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace wabunko {
namespace {

// "日本" and "テスト" in EUC-JP.
const QByteArray kEucFile("\xC6\xFC\xCB\xDC");
const QByteArray kEucInput("\xA5\xC6\xA5\xB9\xA5\xC8");

std::string lines(const QStringList& list) { return list.join(u'\n').toStdString(); }

// Each document as its title and its text.
QStringList shown(const AppHarness& h) {
  QStringList t;
  for (CWabunkoDoc* doc : h.documents())
    t << doc->title() + QStringLiteral(": ") + doc->display()->edit().textDocument()->toPlainText();
  return t;
}

TEST(HandOver, EveryFileOnTheCommandLineOpensInTheFirstStartInTheCodeNamed) {
  QTemporaryDir dir;
  QStringList files;
  for (const QString& name : {QStringLiteral("一つ目.txt"), QStringLiteral("two.txt"), QStringLiteral("three.txt")}) {
    files << dir.filePath(name);
    writeBytes(files.constLast(), kEucFile);
  }
  AppHarness h({}, {files[0], QStringLiteral("--code"), QStringLiteral("euc"), files[1], files[2]});
  QStringList opened;
  for (CWabunkoDoc* doc : h.documents()) {
    opened << doc->pathName();
    EXPECT_EQ(doc->display()->edit().textDocument()->toPlainText(), QStringLiteral("日本"));
    EXPECT_EQ(doc->charCode(), CharCode::Euc);
  }
  EXPECT_EQ(lines(opened), lines(files));
  EXPECT_TRUE(h.messages.empty());
  EXPECT_EQ(h.app().pendingCode, CharCode::ShiftJis);
}

TEST(HandOver, ALaterStartHandsEverythingItNamesToTheRunningEditorAndEnds) {
  struct Case {
    const char* what;
    QStringList arguments;        // names relative to the later start's working folder
    QByteArray input;             // its standard input
    QStringList shown;            // what the running editor then shows
    int exitCode;
    std::optional<QString> load;  // "File"/"Load" as the later start left it, relative
  };
  const Case cases[] = {
      {"several files in a code",
       {QStringLiteral("b.txt"), QStringLiteral("--code"), QStringLiteral("euc"), QStringLiteral("c.txt"),
        QStringLiteral("ｄ.txt")},
       {},
       {QStringLiteral("b.txt: 日本"), QStringLiteral("c.txt: 日本"), QStringLiteral("ｄ.txt: 日本")},
       0,
       QStringLiteral("b.txt")},
      {"standard input and a file",
       {QStringLiteral("-c"), QStringLiteral("euc"), QStringLiteral("-"), QStringLiteral("e.txt")},
       kEucInput,
       {QStringLiteral("Wabun2: テスト"), QStringLiteral("e.txt: 日本")},
       0,
       QStringLiteral("e.txt")},
      {"no file", {}, {}, {QStringLiteral("Wabun1: "), QStringLiteral("Wabun2: ")}, 0, QString()},
      {"a mistake", {QStringLiteral("f.txt"), QStringLiteral("--bogus")}, {}, {QStringLiteral("Wabun1: ")}, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AppHarness running;  // answers later starts though it may not hand over itself
    for (const QString& name : c.arguments)
      if (name.endsWith(QLatin1String(".txt"))) writeBytes(running.path(name), kEucFile);

    QProcess later;
    later.setWorkingDirectory(running.path(QStringLiteral(".")));
    later.start(QStringLiteral(WABUNKO_PROGRAM), c.arguments);
    later.write(c.input);
    later.closeWriteChannel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return later.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), c.exitCode) << later.readAllStandardError().toStdString();

    EXPECT_TRUE(QTest::qWaitFor([&] { return shown(running) == c.shown; }, 10000)) << lines(shown(running));
    if (c.load) {
      const QString load = QSettingsStore(canonicalSectionName)
                               .getProfileString(QStringLiteral("File"), QStringLiteral("Load"), QStringLiteral("-"));
      EXPECT_EQ(load.toStdString(), c.load->isEmpty() ? std::string() : running.path(*c.load).toStdString());
    }
    // The text of standard input is a new document's, saved nowhere yet.
    for (CWabunkoDoc* doc : running.documents())
      EXPECT_EQ(doc->isModified(), doc->pathName().isEmpty() && !c.input.isEmpty()) << doc->title().toStdString();
  }
}

OpenRequest requestFor(const QString& path) {
  OpenRequest request;
  request.items.push_back(OpenRequest::Item{path, {}});
  return request;
}

QStringList openedPaths(const AppHarness& h) {
  QStringList paths;
  for (CWabunkoDoc* doc : h.documents()) paths << doc->pathName();
  return paths;
}

// A file handed over while a load shows its message (here, refusing a file too large)
// opens beside it; the document whose load failed, still empty then, is not taken for an
// empty one and closed under that load.
TEST(HandOver, AFileHandedOverDuringALoadsMessageLeavesThatLoadSound) {
  AppHarness h;
  const QString big = h.path(QStringLiteral("big.txt"));
  const QString handed = h.path(QStringLiteral("handed.txt"));
  QFile file(big);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64{300} << 20));  // sparse
  writeBytes(handed, QByteArray("x"));
  int messages = 0;
  setMessageHook([&](const MessageRequest&) {
    if (messages++ == 0) {
      h.app().openPassed(requestFor(handed));
      QTest::qWait(50);  // the message's own event loop
    }
    return QMessageBox::Ok;
  });
  EXPECT_EQ(h.open(big), nullptr);
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(lines(openedPaths(h)), lines({handed}));
}

// While a modal dialog waits for its answer, handed-over files wait too, and open once it
// has closed.
TEST(HandOver, FilesHandedOverDuringAModalDialogOpenOnceItHasClosed) {
  AppHarness h;
  const QString handed = h.path(QStringLiteral("handed.txt"));
  writeBytes(handed, QByteArray("x"));
  QDialog dialog;
  QStringList openWhileShown{QStringLiteral("not asked")};
  QTimer::singleShot(0, &dialog, [&] {
    h.app().openPassed(requestFor(handed));
    QTest::qWait(300);
    openWhileShown = openedPaths(h);
    dialog.accept();
  });
  dialog.exec();
  EXPECT_EQ(lines(openWhileShown), "");
  EXPECT_TRUE(QTest::qWaitFor([&] { return openedPaths(h) == QStringList{handed}; }, 5000)) << lines(openedPaths(h));
}

TEST(HandOver, FiftyLaterStartsAtOnceLeaveOneEditorWithEveryFile) {
  AppHarness running;
  QStringList files;
  std::vector<std::unique_ptr<QProcess>> starts;
  for (int i = 0; i < 50; ++i) {
    files << running.path(QStringLiteral("file%1.txt").arg(i, 2, 10, QLatin1Char('0')));
    writeBytes(files.constLast(), QByteArray("x"));
  }
  for (const QString& file : files) {
    starts.push_back(std::make_unique<QProcess>());
    starts.back()->start(QStringLiteral(WABUNKO_PROGRAM), {file});
  }
  for (const auto& start : starts) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return start->state() == QProcess::NotRunning; }, 60000));
    EXPECT_EQ(start->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(start->exitCode(), 0) << start->readAllStandardError().toStdString();
  }
  const auto opened = [&running] {
    QStringList paths;
    for (CWabunkoDoc* doc : running.documents()) paths << doc->pathName();
    paths.sort();
    return paths;
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return opened() == files; }, 20000)) << lines(opened());
  EXPECT_TRUE(running.messages.empty());
}

}  // namespace
}  // namespace wabunko
