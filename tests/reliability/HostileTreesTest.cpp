// Find in files over a folder tree that fights back: links that lead round in a circle,
// a pipe and a device among the files, a folder that may not be read and ten thousand
// files in one folder. The walk ends, gives every regular file once and nothing else, and
// names the folder it could not read.
#include "platform/PosixFolderLister.h"
#include "search/ExtensionList.h"
#include "search/FolderWalk.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace wabunko {
namespace {

namespace fs = std::filesystem;

constexpr int kManyFiles = 10000;

std::string manyName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "f%05d.txt", i);
  return name;
}

class HostileTree : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "wabunko-hostile-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern + "/";
    // Readable by everyone, so that a walk as another user meets only the locked folder.
    fs::permissions(root_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
    std::ofstream(root_ + "top.txt") << "x";
    fs::create_directories(root_ + "a/b");
    std::ofstream(root_ + "a/b/c.txt") << "x";
    fs::create_directory_symlink(root_, root_ + "loop");     // back to the root
    fs::create_directory_symlink(root_ + "a", root_ + "a/b/up");  // and round a lower circle
    ASSERT_EQ(mkfifo((root_ + "pipe.txt").c_str(), 0644), 0);
    fs::create_symlink(root_ + "pipe.txt", root_ + "to-pipe.txt");
    fs::create_symlink("/dev/zero", root_ + "zero.txt");
    fs::create_symlink(root_ + "nowhere", root_ + "dead.txt");
    fs::create_directory(root_ + "locked");
    std::ofstream(root_ + "locked/secret.txt") << "x";
    fs::permissions(root_ + "locked", fs::perms::none);
    fs::create_directory(root_ + "many");
    for (int i = 0; i < kManyFiles; ++i) std::ofstream(root_ + "many/" + manyName(i)) << "x";
  }
  void TearDown() override {
    fs::permissions(root_ + "locked", fs::perms::owner_all);
    fs::remove_all(root_);
  }

  // The files the walk gives, one a line, then the unreadable folders after a blank line.
  std::string walk() const {
    PosixFolderLister lister;
    FolderWalk walk(root_, ExtensionList::parse("txt/"), lister);
    std::string out;
    while (const std::optional<WalkFile> file = walk.next()) out += file->path() + '\n';
    out += '\n';
    for (const std::string& folder : walk.unreadableFolders()) out += folder + '\n';
    return out;
  }

  std::string root_;
};

// Root reads every folder, whatever its permissions: the walk then runs in a child process
// that has become an ordinary user.
TEST_F(HostileTree, TheWalkEndsAndGivesEveryRegularFileOnceAndTheFolderItCannotRead) {
  std::string given;
  if (geteuid() != 0) {
    given = walk();
  } else {
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(pipeEnds[0]);
      if (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(2);
      const std::string out = walk();
      _exit(write(pipeEnds[1], out.data(), out.size()) == static_cast<ssize_t>(out.size()) ? 0 : 3);
    }
    close(pipeEnds[1]);
    char buffer[1 << 16];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
      given.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }

  // Breadth first, each folder's entries by name: the root, then a, locked, many (loop
  // leads back to the root), then a/b (whose link up leads back to a).
  std::string expected = root_ + "top.txt\n";
  for (int i = 0; i < kManyFiles; ++i) expected += root_ + "many/" + manyName(i) + '\n';
  expected += root_ + "a/b/c.txt\n\n" + root_ + "locked/\n";
  EXPECT_EQ(given, expected);
}

}  // namespace
}  // namespace wabunko
