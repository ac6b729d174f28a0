#include "doc/FileStamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace wabunko {
namespace {

namespace fs = std::filesystem;
using Change = FileStamp::Change;

class FileStampTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "wabunko-stamp-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    file_ = root_ / "memo.txt";
    write("recorded");
  }
  void TearDown() override { fs::remove_all(root_); }

  void write(const std::string& bytes, std::ios::openmode mode = std::ios::trunc) const {
    std::ofstream(file_, std::ios::binary | mode) << bytes;
  }

  fs::path root_;
  fs::path file_;
};

TEST_F(FileStampTest, TellsWhatAnotherProgramDidToTheFile) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> act;
    Change want;
  };
  const Case cases[] = {
      {"nothing", [](const fs::path&) {}, Change::None},
      {"appended", [](const fs::path& p) { std::ofstream(p, std::ios::app) << "x"; }, Change::Changed},
      {"same size, a nanosecond later",
       [](const fs::path& p) {
         std::ofstream(p, std::ios::trunc) << "RECORDED";
         fs::last_write_time(p, fs::last_write_time(p) + std::chrono::nanoseconds(1));
       },
       Change::Changed},
      {"touched back to what was recorded",
       [](const fs::path& p) {
         const auto was = fs::last_write_time(p);
         std::ofstream(p, std::ios::trunc) << "RECORDED";
         fs::last_write_time(p, was);
       },
       Change::None},
      {"removed", [](const fs::path& p) { fs::remove(p); }, Change::Removed},
      {"replaced by a folder",
       [](const fs::path& p) {
         fs::remove(p);
         fs::create_directory(p);
       },
       Change::Removed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(file_);
    write("recorded");
    FileStamp stamp;
    EXPECT_EQ(stamp.change(), Change::None);  // nothing recorded yet
    stamp.record(file_);
    EXPECT_EQ(stamp.path(), file_);
    c.act(file_);
    EXPECT_EQ(stamp.change(), c.want);
    stamp.record(file_);  // as after a save there
    EXPECT_EQ(stamp.change(), Change::None);
  }
}

TEST_F(FileStampTest, AFileThatAppearsWhereNoneWasRecordedIsAChange) {
  FileStamp stamp;
  stamp.record(root_ / "new.txt");
  EXPECT_EQ(stamp.change(), Change::None);
  std::ofstream(root_ / "new.txt") << "other program";
  EXPECT_EQ(stamp.change(), Change::Changed);
}

TEST_F(FileStampTest, EachStateOfTheFileIsToldOnce) {
  FileStamp stamp;
  EXPECT_EQ(stamp.changeNotYetTold(), Change::None);
  stamp.record(file_);
  EXPECT_EQ(stamp.changeNotYetTold(), Change::None);

  write("x", std::ios::app);
  EXPECT_EQ(stamp.changeNotYetTold(), Change::Changed);
  EXPECT_EQ(stamp.changeNotYetTold(), Change::None);
  EXPECT_EQ(stamp.change(), Change::Changed);  // still differs: a save asks

  write("y", std::ios::app);
  EXPECT_EQ(stamp.changeNotYetTold(), Change::Changed);
  fs::remove(file_);
  EXPECT_EQ(stamp.changeNotYetTold(), Change::Removed);
  EXPECT_EQ(stamp.changeNotYetTold(), Change::None);

  write("back");
  stamp.markTold();  // a question about it counts as telling
  EXPECT_EQ(stamp.changeNotYetTold(), Change::None);

  stamp.record(file_);  // saved: later changes are news again
  write("z", std::ios::app);
  EXPECT_EQ(stamp.changeNotYetTold(), Change::Changed);
}

}  // namespace
}  // namespace wabunko
