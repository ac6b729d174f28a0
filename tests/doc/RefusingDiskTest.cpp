// Saves, backups and auto-saves onto a disk that refuses them: each fails with a message
// (auto-save quietly, with a reason), leaves what is on disk as it was and keeps the
// document's changes, so that they can still be saved elsewhere.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "platform/RichTextStream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <ostream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace wabunko {
namespace {

// Longer than the full disk's limit below, so that a write stops half way, and shorter than
// a file's write buffer (16 KB), which once took the whole text and then lost the error.
// One line: the bytes written are the text's own, without line ends to choose.
const QString kText = QStringLiteral("a line of text ").repeated(1000);
const QByteArray kOriginal("original");

// Sets or clears the immutable flag, which refuses writes even to the superuser.
bool setImmutable(const QString& path, bool on) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return ok;
}

// What a fault leaves at the file's place.
enum class Leaves { TheFile, NoFolder, AFolder };

struct Fault {
  const char* name;
  Leaves leaves;
  bool writeProtectsTheFile;  // Save asks for another name at once
  // Makes `target` (a file in a folder of its own) refuse to be written; how to undo it,
  // or nothing with `skip` set when this machine cannot make the fault.
  std::function<std::function<void()>(const QString& target, std::string* skip)> apply;
};

void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }

std::function<void()> fullDisk(const QString&, std::string*) {
  // The size limit stands in for a full disk: a write past it fails with EFBIG (the
  // signal that would end the process is ignored), as a write onto a full disk fails.
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  return [old, handler] {
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
  };
}

std::function<void()> readOnlyFile(const QString& target, std::string*) {
  QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
  return [target] { QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner); };
}

std::function<void()> immutable(const QString& path, std::string* skip) {
  if (!setImmutable(path, true)) {
    *skip = "the immutable flag cannot be set here (needs ext4 or a similar file system and the right to set it)";
    return {};
  }
  return [path] { setImmutable(path, false); };
}

std::function<void()> readOnlyFolder(const QString& target, std::string* skip) {
  const QString folder = QFileInfo(target).absolutePath();
  // The superuser writes into any folder whatever its mode says.
  if (::geteuid() == 0) return immutable(folder, skip);
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  return [folder] {
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  };
}

std::function<void()> vanishedFolder(const QString& target, std::string*) {
  QDir(QFileInfo(target).absolutePath()).removeRecursively();
  return [] {};
}

std::function<void()> folderInsteadOfFile(const QString& target, std::string*) {
  QFile::remove(target);
  QDir().mkdir(target);
  writeBytes(target + QStringLiteral("/inside"), kOriginal);
  return [] {};
}

const Fault kFaults[] = {
    {"FullDisk", Leaves::TheFile, false, fullDisk},
    {"ReadOnlyFile", Leaves::TheFile, true, readOnlyFile},
    {"LockedFile", Leaves::TheFile, true, immutable},
    {"ReadOnlyFolder", Leaves::TheFile, false, readOnlyFolder},
    {"VanishedFolder", Leaves::NoFolder, false, vanishedFolder},
    {"FolderInsteadOfFile", Leaves::AFolder, false, folderInsteadOfFile},
};

QString text(CWabunkoDoc* doc) { return RichTextStream::plainText(*doc->display()->edit().textDocument()); }

class RefusingDisk : public ::testing::TestWithParam<Fault> {
protected:
  void SetUp() override { QDir().mkdir(place()); }
  void TearDown() override {
    if (undo_) undo_();
  }

  QString place() const { return h.path(QStringLiteral("place")); }
  QString inPlace(const QString& name) const { return place() + QLatin1Char('/') + name; }

  // Makes `target` refuse; false when the fault cannot be made here (the test skips).
  bool refuse(const QString& target) {
    undo_ = GetParam().apply(target, &skip_);
    return skip_.empty();
  }
  void undoFault() {
    if (undo_) std::exchange(undo_, {})();
  }

  CWabunkoDoc* openEdited(const QString& path) {
    writeBytes(path, kOriginal);
    CWabunkoDoc* doc = h.open(path);
    doc->display()->edit().setSel(0, -1);
    doc->display()->edit().replaceSel(kText, true);
    return doc;
  }

  // Whatever was at `target` is there as it was, and nothing else was left beside it.
  void expectUntouched(const QString& target, const QByteArray& bytes) const {
    switch (GetParam().leaves) {
      case Leaves::TheFile: EXPECT_EQ(readBytes(target), bytes); break;
      case Leaves::NoFolder: EXPECT_FALSE(QFileInfo::exists(place())); return;
      case Leaves::AFolder:
        EXPECT_TRUE(QFileInfo(target).isDir());
        EXPECT_EQ(readBytes(target + QStringLiteral("/inside")), kOriginal);
        break;
    }
    EXPECT_EQ(QDir(place()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QFileInfo(target).fileName()});
  }

  // The changes are still there to be saved, and Save As saves them elsewhere.
  void expectSavableElsewhere(CWabunkoDoc* doc) {
    undoFault();
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(text(doc), kText);
    const QString elsewhere = h.path(QStringLiteral("elsewhere.txt"));
    h.fileChoices.push_back({true, {elsewhere}, TextFilter});
    ASSERT_TRUE(doc->saveAs());
    EXPECT_EQ(QString::fromLatin1(readBytes(elsewhere)), kText);
  }

  AppHarness h;
  std::string skip_;

private:
  std::function<void()> undo_;
};

TEST_P(RefusingDisk, SaveFailsWithAMessageAndKeepsTheFileAndTheChanges) {
  const QString target = inPlace(QStringLiteral("memo.txt"));
  CWabunkoDoc* doc = openEdited(target);
  const QString path = doc->pathName();
  if (!refuse(target)) GTEST_SKIP() << skip_;
  h.answers.push_back(QMessageBox::Yes);  // to save a file gone, if asked
  doc->onFileSave();

  ASSERT_FALSE(h.messages.empty());
  const MessageRequest& told = h.messages.back();
  EXPECT_EQ(told.icon, QMessageBox::Warning);
  EXPECT_TRUE(told.text.contains(GetParam().writeProtectsTheFile ? QStringLiteral("ファイル名を変更してください")
                                                                 : QStringLiteral("に保存できません")))
      << told.text.toStdString();
  EXPECT_EQ(doc->pathName(), path);
  expectUntouched(target, kOriginal);
  expectSavableElsewhere(doc);
}

TEST_P(RefusingDisk, SaveAsFailsWithAMessageAndLeavesTheDocumentAsItWas) {
  const QString target = inPlace(QStringLiteral("target.rtf"));
  writeBytes(target, kOriginal);
  CWabunkoDoc* doc = openEdited(h.path(QStringLiteral("plain.txt")));
  const QString path = doc->pathName();
  if (!refuse(target)) GTEST_SKIP() << skip_;
  h.fileChoices.push_back({true, {target}, AllFilesFilter});  // rich text, by its name
  EXPECT_FALSE(doc->saveAs());

  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_TRUE(h.messages[0].text.contains(QStringLiteral("に保存できません")));
  expectUntouched(target, kOriginal);
  // Still the plain-text document it was: Save writes its own file as plain text.
  EXPECT_EQ(doc->pathName(), path);
  EXPECT_FALSE(doc->m_bRTF);
  undoFault();
  doc->onFileSave();
  EXPECT_EQ(QString::fromLatin1(readBytes(path)), kText);
}

TEST_P(RefusingDisk, FailedBackupIsReportedAndTheOldBackupKept) {
  writeSetting(h.store(), settings::FileDoBackUp, 1);
  writeSetting(h.store(), settings::FileBackUpDirectory, place() + QLatin1Char('/'));
  const QString backup = inPlace(QStringLiteral("memo.bak"));
  const QByteArray oldBackup("old backup");
  writeBytes(backup, oldBackup);
  const QString source = h.path(QStringLiteral("memo.txt"));
  writeBytes(source, kText.toLatin1());
  if (!refuse(backup)) GTEST_SKIP() << skip_;
  CWabunkoDoc* doc = h.open(source);

  ASSERT_NE(doc, nullptr);
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_TRUE(h.messages[0].text.contains(QStringLiteral("に保存できません")));
  EXPECT_EQ(text(doc), kText);
  EXPECT_FALSE(doc->isModified());
  EXPECT_EQ(QFileInfo(doc->pathName()), QFileInfo(source));
  expectUntouched(backup, oldBackup);
}

TEST_P(RefusingDisk, AutoSaveFailsQuietlyWithAReasonAndKeepsTheFileAndTheChanges) {
  const QString target = inPlace(QStringLiteral("memo.txt"));
  CWabunkoDoc* doc = openEdited(target);
  if (!refuse(target)) GTEST_SKIP() << skip_;
  const std::optional<QString> failure = doc->saveQuietly();

  ASSERT_TRUE(failure.has_value());
  EXPECT_FALSE(failure->isEmpty());
  EXPECT_TRUE(h.messages.empty());
  expectUntouched(target, kOriginal);
  expectSavableElsewhere(doc);
}

INSTANTIATE_TEST_SUITE_P(Faults, RefusingDisk, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wabunko
