// A search of find in files that meets a pipe among its files, as a narrowing does when a
// listed file has been replaced by one since the search that listed it: the pipe is not
// read, since reading would wait for a writer that never comes, and the search ends with
// the pipe named among what could not be read.
#include "search/FindInFilesRun.h"

#include "PipeWriter.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sys/stat.h>

namespace wabunko {
namespace {

TEST(HostileSearch, APipeAmongTheFilesIsNotReadAndTheSearchEnds) {
  QTemporaryDir dir;
  const std::string text = dir.filePath(QStringLiteral("text.txt")).toStdString();
  const std::string pipe = dir.filePath(QStringLiteral("pipe.txt")).toStdString();
  std::ofstream(text) << "needle";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  FindInFilesRun run(FindInFilesRun::Files{pipe, text}, "needle", true, {});
  std::vector<FileResult> found;
  QObject::connect(&run, &FindInFilesRun::found, [&](const std::vector<FileResult>& batch) {
    found.insert(found.end(), batch.begin(), batch.end());
  });
  std::optional<FindInFilesRun::Summary> summary;
  QObject::connect(&run, &FindInFilesRun::finished, [&](const FindInFilesRun::Summary& s) { summary = s; });
  {
    const PipeWriter writer(pipe);
    run.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return summary.has_value(); }, 30000));
  }

  EXPECT_EQ(summary->unreadable, QStringList{QString::fromStdString(pipe)});
  EXPECT_EQ(summary->progress.files, 1);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].file, QStringLiteral("text.txt"));
}

}  // namespace
}  // namespace wabunko
