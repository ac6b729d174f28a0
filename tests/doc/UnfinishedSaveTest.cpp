// The temporary files of saves whose editor ended in the middle: removed afterwards, while
// the user's files that only look like them and the files of a save still running stay.
#include "TestFiles.h"

#include "doc/UnfinishedSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace wabunko {
namespace {

// One line, so that a failure reads as names.
std::string namesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(u' ').toStdString();
}

class UnfinishedSaveTest : public testing::Test {
protected:
  void SetUp() override {
    QDir(UnfinishedSave::recordFolder()).removeRecursively();
    writeBytes(path("memo.txt"), "old");
  }
  void TearDown() override { EXPECT_EQ(namesIn(UnfinishedSave::recordFolder()), ""); }
  QString path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
};

// The editor ends (as if killed) while its save has left `leftover` beside memo.txt; a
// process of its own, so that its lock outlives it the way a killed editor's does.
void endEditorDuringSave(const QString& target, const QString& leftover) {
  EXPECT_EXIT(
      {
        new UnfinishedSave(target);  // never destroyed: the editor ends in the save
        writeBytes(leftover, "half written");
        _exit(0);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(UnfinishedSaveTest, OnlyTheFilesOfAnEndedSaveAreRemoved) {
  // Look-alikes the user made before the save, and one that belongs to another document.
  for (const char* name : {"memo.txt.backup", "memo.txt.Before", "notes.txt.AbCdEf", "memo.txt.ab", "memo.txt.abc-ef"})
    writeBytes(path(QString::fromUtf8(name)), "user's");
  endEditorDuringSave(path("memo.txt"), path("memo.txt.QwE4tY"));
  ASSERT_TRUE(QFile::exists(path("memo.txt.QwE4tY")));

  UnfinishedSave::removeLeftovers();

  EXPECT_EQ(namesIn(dir_.path()), "memo.txt memo.txt.Before memo.txt.ab memo.txt.abc-ef memo.txt.backup notes.txt.AbCdEf");
  EXPECT_EQ(readBytes(path("memo.txt")), "old");
}

TEST_F(UnfinishedSaveTest, ASaveStillRunningKeepsItsFileAndAFinishedOneLeavesNoRecord) {
  {
    const UnfinishedSave running(path("memo.txt"));
    writeBytes(path("memo.txt.QwE4tY"), "being written");
    UnfinishedSave::removeLeftovers();  // as another editor opening a file does
    EXPECT_TRUE(QFile::exists(path("memo.txt.QwE4tY")));
    QFile::remove(path("memo.txt"));
    QFile::rename(path("memo.txt.QwE4tY"), path("memo.txt"));
  }
  UnfinishedSave::removeLeftovers();
  EXPECT_EQ(namesIn(dir_.path()), "memo.txt");
}

TEST_F(UnfinishedSaveTest, TheNextSaveRemovesWhatAnEndedOneLeft) {
  endEditorDuringSave(path("memo.txt"), path("memo.txt.QwE4tY"));
  { const UnfinishedSave next(path("memo.txt")); }
  EXPECT_EQ(namesIn(dir_.path()), "memo.txt");
}

}  // namespace
}  // namespace wabunko
