// Both stores behind the one interface: the in-memory store the tests use and the INI file
// the editor keeps, checked by the same cases.

#include "platform/MemoryStore.h"
#include "platform/QSettingsStore.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>

namespace wabunko {
namespace {

// One kind of store, with what a test needs beyond the interface.
class Backend {
public:
  virtual ~Backend() = default;
  virtual SettingsStore& store() = 0;
  // From now on nothing can be written.
  virtual void makeUnwritable() = 0;
  // Everything the store keeps, in a form that changes with any write.
  virtual std::string snapshot() const = 0;
};

class MemoryBackend : public Backend {
public:
  SettingsStore& store() override { return store_; }
  void makeUnwritable() override { store_.setReadOnly(true); }
  std::string snapshot() const override {
    std::string s;
    for (auto sec = store_.contents().cbegin(); sec != store_.contents().cend(); ++sec) {
      s += '[' + sec.key().toStdString() + "]\n";
      for (auto v = sec->cbegin(); v != sec->cend(); ++v)
        s += v.key().toStdString() + '=' + v.value().toStdString() + '\n';
    }
    return s;
  }

private:
  MemoryStore store_;
};

class FileBackend : public Backend {
public:
  FileBackend() : store_(std::make_unique<QSettingsStore>(path())) {}
  SettingsStore& store() override { return *store_; }
  // Running as root ignores permission bits, so the folder is replaced by a plain file.
  void makeUnwritable() override {
    QDir(folder()).removeRecursively();
    writeBytes(folder(), "");
  }
  // The file's bytes, inode and time: a rewrite with the same bytes still shows.
  std::string snapshot() const override {
    struct stat st {};
    if (::stat(QFile::encodeName(path()).constData(), &st) != 0)
      return QDir(folder()).exists() ? "folder without file" : "nothing";
    return std::to_string(st.st_ino) + ' ' + std::to_string(st.st_mtim.tv_sec) + '.' +
           std::to_string(st.st_mtim.tv_nsec) + '\n' + readBytes(path()).toStdString();
  }
  QString folder() const { return dir_.filePath("WabSoft"); }
  QString path() const { return folder() + "/Wabunko.conf"; }

private:
  QTemporaryDir dir_;
  std::unique_ptr<QSettingsStore> store_;
};

struct BackendKind {
  const char* name;
  std::function<std::unique_ptr<Backend>()> make;
};

void PrintTo(const BackendKind& kind, std::ostream* os) { *os << kind.name; }

class SettingsStoreTest : public testing::TestWithParam<BackendKind> {
protected:
  std::unique_ptr<Backend> backend = GetParam().make();
  SettingsStore& store = backend->store();
};

TEST_P(SettingsStoreTest, MissingValuesGiveTheCallersDefault) {
  EXPECT_EQ(store.getProfileInt("No section", "Left  ", -7), -7);
  EXPECT_EQ(store.getProfileString("No section", "Left  ", "def"), "def");
  EXPECT_TRUE(store.getProfileString("No section", "Left  ").isNull());
  ASSERT_TRUE(store.writeProfileInt("Frame position", "Left  ", 3));
  EXPECT_EQ(store.getProfileInt("Frame position", "Top   ", 9), 9);
}

TEST_P(SettingsStoreTest, SectionsCompareWithoutCaseAndKeysExactly) {
  ASSERT_TRUE(store.writeProfileInt("Frame position", "Left  ", 120));
  EXPECT_EQ(store.getProfileInt("Frame Position", "Left  ", -1), 120);
  EXPECT_EQ(store.getProfileInt("FRAME POSITION", "Left  ", -1), 120);
  EXPECT_EQ(store.getProfileInt("Frame position", "Left", -1), -1);
  EXPECT_EQ(store.getProfileInt("Frame position", "left  ", -1), -1);
  EXPECT_EQ(store.getProfileInt("Frame position", "Left   ", -1), -1);

  ASSERT_TRUE(store.writeProfileInt("Frame Position", "Left  ", 5));
  EXPECT_EQ(store.getProfileInt("frame position", "Left  ", -1), 5);
}

// Names that an INI file or QSettings could trim, split, fold or take as syntax.
const char* const kTrickyNames[] = {
    "Left  ", "  lead", " ",   "a/b", "a//b", "/",   "a/",  "\\",     "a\\b", "Font\\Default",
    "=",      "x=y",    ";",   "x;y", "#",    "#h",  "%",   "%41",    "%2F",  "%25",
    "[sec]",  "@",      "@x",  "",    "\"q\"", "a,b", "\t", "子ｳｨﾝﾄﾞｳ", "縦書き", "General",
};

TEST_P(SettingsStoreTest, EveryKeyIsKeptApartAndExactly) {
  for (std::size_t i = 0; i < std::size(kTrickyNames); ++i)
    ASSERT_TRUE(store.writeProfileInt("Keys", QString::fromUtf8(kTrickyNames[i]), int(i)));
  for (std::size_t i = 0; i < std::size(kTrickyNames); ++i)
    EXPECT_EQ(store.getProfileInt("Keys", QString::fromUtf8(kTrickyNames[i]), -1), int(i))
        << '"' << kTrickyNames[i] << '"';
  EXPECT_EQ(store.getProfileInt("Keys", "Left", -1), -1);
  EXPECT_EQ(store.getProfileInt("Keys", "lead", -1), -1);
}

TEST_P(SettingsStoreTest, EverySectionIsKeptApart) {
  for (std::size_t i = 0; i < std::size(kTrickyNames); ++i)
    ASSERT_TRUE(store.writeProfileInt(QString::fromUtf8(kTrickyNames[i]), "b", int(i)));
  ASSERT_TRUE(store.writeProfileInt("a", "b/b", 1000));  // not the section "a/b", key "b"
  for (std::size_t i = 0; i < std::size(kTrickyNames); ++i)
    EXPECT_EQ(store.getProfileInt(QString::fromUtf8(kTrickyNames[i]), "b", -1), int(i))
        << '"' << kTrickyNames[i] << '"';
  EXPECT_EQ(store.getProfileInt("Font", "Default\\b", -1), -1);
}

TEST_P(SettingsStoreTest, StringsComeBackAsWritten) {
  const char* const values[] = {
      "  sp  ", "a,b",  "x;y",       "@at",  "@Variant(foo)", "\"q\"",   "line\nbreak",
      "C:\\dir\\", "",  "ＭＳ ゴシック", "a=b", "#c",             "%U0041", "\\x41",
      "a/b/",   "[x]",  "\t",        "12",
  };
  for (const char* v : values) {
    ASSERT_TRUE(store.writeProfileString("Values", "v", QString::fromUtf8(v)));
    EXPECT_EQ(store.getProfileString("Values", "v", "default"), QString::fromUtf8(v)) << v;
  }
}

TEST_P(SettingsStoreTest, IntegersAre32BitAndOnlyNumbersReadAsIntegers) {
  for (int v : {INT_MIN, -1, 0, 1, 0xFFFFFF, INT_MAX}) {
    ASSERT_TRUE(store.writeProfileInt("Numbers", "n", v));
    EXPECT_EQ(store.getProfileInt("Numbers", "n", 77), v);
  }
  ASSERT_TRUE(store.writeProfileString("Numbers", "n", "42"));
  EXPECT_EQ(store.getProfileInt("Numbers", "n", 77), 42);
  for (const char* notNumber : {"abc", "12abc", "", "4294967296", "1.5"}) {
    ASSERT_TRUE(store.writeProfileString("Numbers", "n", notNumber));
    EXPECT_EQ(store.getProfileInt("Numbers", "n", 77), 77) << notNumber;
  }
}

TEST_P(SettingsStoreTest, ReadsWriteNothing) {
  const auto readAll = [&] {
    store.getProfileInt("Frame position", "Left  ", 0);
    store.getProfileString("Frame position", "子ｳｨﾝﾄﾞｳ", "上下に");
    store.getProfileInt("Nowhere", "n", 0);
    store.getProfileString("Nowhere", "s");
  };
  const std::string empty = backend->snapshot();
  readAll();
  EXPECT_EQ(backend->snapshot(), empty);

  ASSERT_TRUE(store.writeProfileInt("Frame position", "Left  ", 1));
  const std::string written = backend->snapshot();
  readAll();
  EXPECT_EQ(backend->snapshot(), written);
}

TEST_P(SettingsStoreTest, AFailedWriteReturnsFalseAndKeepsNothing) {
  ASSERT_TRUE(store.writeProfileString("File", "Load", "before"));
  backend->makeUnwritable();
  EXPECT_FALSE(store.writeProfileInt("File", "Do back up", 1));
  EXPECT_FALSE(store.writeProfileString("File", "Load", "after"));
  EXPECT_EQ(store.getProfileInt("File", "Do back up", 0), 0);
  EXPECT_NE(store.getProfileString("File", "Load"), "after");
}

INSTANTIATE_TEST_SUITE_P(
    Stores, SettingsStoreTest,
    testing::Values(BackendKind{"Memory", [] { return std::make_unique<MemoryBackend>(); }},
                    BackendKind{"File", [] { return std::make_unique<FileBackend>(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// What only the file-backed store does.
class QSettingsStoreTest : public testing::Test {
protected:
  QTemporaryDir dir;
  QString path = dir.filePath("WabSoft/Wabunko.conf");
  QByteArray fileBytes() const { return readBytes(path); }
};

TEST_F(QSettingsStoreTest, EveryStoreObjectSeesTheOthersWrites) {
  QSettingsStore first(path);
  QSettingsStore second(path);
  EXPECT_EQ(second.getProfileString("File", "Load", "none"), "none");
  ASSERT_TRUE(first.writeProfileString("File", "Load", "/tmp/a.txt"));
  EXPECT_EQ(second.getProfileString("File", "Load", "none"), "/tmp/a.txt");
  ASSERT_TRUE(second.writeProfileString("File", "Load", "/tmp/b.txt"));
  EXPECT_EQ(first.getProfileString("File", "Load", "none"), "/tmp/b.txt");
}

TEST_F(QSettingsStoreTest, ReadsSeeWhatAnotherProcessWroteToTheFile) {
  QSettingsStore store(path);
  ASSERT_TRUE(store.writeProfileString("File", "Load", "first.txt"));
  EXPECT_EQ(store.getProfileString("File", "Load"), "first.txt");
  // Another process writes the file behind this process's back.
  writeBytes(path, "[file]\nLoad=/home/someone/other file.txt\n");  // sections in lower case
  EXPECT_EQ(store.getProfileString("File", "Load"), "/home/someone/other file.txt");
}

TEST_F(QSettingsStoreTest, FileIsUtf8IniWithOneGroupPerSection) {
  QSettingsStore store(path);
  ASSERT_TRUE(store.writeProfileString("Font\\Default", "FaceName", "ＭＳ ゴシック"));
  ASSERT_TRUE(store.writeProfileInt("Frame Position", "Left  ", 12));
  const QByteArray bytes = fileBytes();
  EXPECT_TRUE(bytes.contains("[font%5Cdefault]\nFaceName=ＭＳ ゴシック\n")) << bytes.constData();
  EXPECT_TRUE(bytes.contains("[frame%20position]\nLeft%20%20=12\n")) << bytes.constData();
}

TEST_F(QSettingsStoreTest, SectionsAreStoredUnderTheGivenCanonicalSpelling) {
  QSettingsStore store(path, [](const QString& s) { return s.toUpper(); });
  ASSERT_TRUE(store.writeProfileInt("Frame position", "Left  ", 1));
  EXPECT_TRUE(fileBytes().contains("[FRAME%20POSITION]")) << fileBytes().constData();
  EXPECT_EQ(store.getProfileInt("frame Position", "Left  ", 0), 1);
}

TEST_F(QSettingsStoreTest, DefaultFileLivesUnderTheConfigHome) {
  const QByteArray saved = qgetenv("WABUNKO_CONFIG_HOME");
  qputenv("WABUNKO_CONFIG_HOME", dir.path().toUtf8());
  EXPECT_EQ(QSettingsStore::defaultFilePath(), dir.path() + "/WabSoft/Wabunko.conf");
  {
    QSettingsStore store;
    EXPECT_EQ(store.filePath(), QSettingsStore::defaultFilePath());
    EXPECT_FALSE(QFile::exists(path));  // created by the first write, not before
    ASSERT_TRUE(store.writeProfileInt("Menu", "Number of MRU List", 6));
    EXPECT_TRUE(QFile::exists(path));
  }
  qunsetenv("WABUNKO_CONFIG_HOME");
  EXPECT_TRUE(QSettingsStore::defaultFilePath().endsWith("/WabSoft/Wabunko.conf"));
  EXPECT_NE(QSettingsStore::defaultFilePath(), dir.path() + "/WabSoft/Wabunko.conf");
  if (!saved.isNull()) qputenv("WABUNKO_CONFIG_HOME", saved);
}

}  // namespace
}  // namespace wabunko
