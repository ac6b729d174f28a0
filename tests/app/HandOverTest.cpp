// Files on the command line: every one opens in a first start, and a later start of the real
// program hands every one to the running editor (this test's) and ends.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/ProfileSettings.h"
#include "platform/QSettingsStore.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

std::string lines(const QStringList& list) { return list.join(u'\n').toStdString(); }

QStringList titles(const AppHarness& h) {
  QStringList t;
  for (CWabunkoDoc* doc : h.documents()) t << doc->title();
  return t;
}

TEST(HandOver, EveryFileOnTheCommandLineOpensInTheFirstStart) {
  QTemporaryDir dir;
  QStringList files;
  for (const QString& name : {QStringLiteral("一つ目.txt"), QStringLiteral("two.txt"), QStringLiteral("three.txt")}) {
    files << dir.filePath(name);
    writeBytes(files.constLast(), "text");
  }
  AppHarness h({}, {files[0], QStringLiteral("--an-option"), files[1], files[2]});
  QStringList opened;
  for (CWabunkoDoc* doc : h.documents()) opened << doc->pathName();
  EXPECT_EQ(lines(opened), lines(files));
  EXPECT_TRUE(h.messages.empty());
}

TEST(HandOver, ALaterStartHandsEveryFileItNamesToTheRunningEditorAndEnds) {
  struct Case {
    const char* what;
    QStringList arguments;  // names relative to the later start's working folder
    QStringList titles;     // what the running editor then shows
    QString load;           // "File"/"Load" as the later start left it, relative
  };
  const Case cases[] = {
      {"several files", {QStringLiteral("b.txt"), QStringLiteral("-x"), QStringLiteral("c.txt"), QStringLiteral("ｄ.txt")},
       {QStringLiteral("b.txt"), QStringLiteral("c.txt"), QStringLiteral("ｄ.txt")}, QStringLiteral("b.txt")},
      {"no file", {}, {QStringLiteral("Wabun1"), QStringLiteral("Wabun2")}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AppHarness running;  // answers later starts though it may not hand over itself
    for (const QString& name : c.arguments) writeBytes(running.path(name), "text");

    QProcess later;
    later.setWorkingDirectory(running.path(QStringLiteral(".")));
    later.start(QStringLiteral(WABUNKO_PROGRAM), c.arguments);
    ASSERT_TRUE(QTest::qWaitFor([&] { return later.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), 0) << later.readAllStandardError().toStdString();

    EXPECT_TRUE(QTest::qWaitFor([&] { return titles(running) == c.titles; }, 10000)) << lines(titles(running));
    const QString load = QSettingsStore(canonicalSectionName).getProfileString(QStringLiteral("File"), QStringLiteral("Load"),
                                                                             QStringLiteral("(missing)"));
    EXPECT_EQ(load.toStdString(), c.load.isEmpty() ? std::string() : running.path(c.load).toStdString());
  }
}

}  // namespace
}  // namespace wabunko
