#include "doc/UnfinishedSave.h"

#include "platform/QSettingsStore.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QUuid>

namespace wabunko {
namespace {

// Each save is two files named by one id: the lock its editor holds and the record.
QString lockSuffix() { return QStringLiteral(".lock"); }
QString recordSuffix() { return QStringLiteral(".save"); }

// Closes a whole record: one cut short when its editor ended is from before the save began.
constexpr quint32 kRecordEnd = 0x57534156;

// Whether `name` is one QSaveFile gives a temporary file for a file named `target`: the
// target's name, a dot and six ASCII letters or digits.
bool isTemporaryNameOf(const QString& name, const QString& target) {
  constexpr qsizetype kPlaceholder = 6;
  if (name.size() != target.size() + 1 + kPlaceholder || !name.startsWith(target) || name[target.size()] != u'.')
    return false;
  for (const QChar c : QStringView(name).last(kPlaceholder))
    if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) return false;
  return true;
}

// The names of the regular files beside `target` (an absolute path) that look like its
// temporary files.
QStringList temporaryNamesBeside(const QString& target) {
  const QFileInfo info(target);
  QStringList names;
  for (const QString& entry : info.absoluteDir().entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Unsorted))
    if (isTemporaryNameOf(entry, info.fileName())) names << entry;
  return names;
}

// Removes what the save of `record` left: the temporary-looking files beside its target that
// were not there before it began.
void removeFilesLeftBy(const QString& record) {
  QFile file(record);
  if (!file.open(QIODevice::ReadOnly)) return;
  QDataStream in(&file);
  in.setVersion(QDataStream::Qt_6_4);
  QString target;
  QStringList before;
  quint32 end = 0;
  in >> target >> before >> end;
  if (in.status() != QDataStream::Ok || end != kRecordEnd) return;
  const QDir folder = QFileInfo(target).absoluteDir();
  for (const QString& name : temporaryNamesBeside(target))
    if (!before.contains(name)) QFile::remove(folder.filePath(name));
}

}  // namespace

QString UnfinishedSave::recordFolder() {
  return QFileInfo(QSettingsStore::defaultFilePath()).absolutePath() + QStringLiteral("/Saves");
}

UnfinishedSave::UnfinishedSave(const QString& path) {
  removeLeftovers();
  const QDir folder(recordFolder());
  if (!folder.mkpath(QStringLiteral("."))) return;
  const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
  // The lock before the record, so that no editor takes a record for one whose editor has
  // gone while it is being written.
  auto lock = std::make_unique<QLockFile>(folder.filePath(id + lockSuffix()));
  lock->setStaleLockTime(0);  // a save may take long: only the end of its editor frees it
  if (!lock->tryLock(0)) return;
  QFile record(folder.filePath(id + recordSuffix()));
  if (!record.open(QIODevice::WriteOnly)) return;
  const QString target = QFileInfo(path).absoluteFilePath();
  QDataStream out(&record);
  out.setVersion(QDataStream::Qt_6_4);
  out << target << temporaryNamesBeside(target) << kRecordEnd;
  if (out.status() != QDataStream::Ok || !record.flush()) {
    record.remove();
    return;
  }
  lock_ = std::move(lock);
  record_ = record.fileName();
}

UnfinishedSave::~UnfinishedSave() {
  // The record before the lock: a record is never without the lock of a running editor.
  if (!record_.isEmpty()) QFile::remove(record_);
}

void UnfinishedSave::removeLeftovers() {
  const QDir folder(recordFolder());
  // By id, from either file: an editor may have ended with only one of them written.
  QSet<QString> ids;
  for (const QString& entry : folder.entryList(QDir::Files, QDir::Unsorted)) {
    for (const QString& suffix : {lockSuffix(), recordSuffix()})
      if (entry.endsWith(suffix)) ids.insert(entry.chopped(suffix.size()));
  }
  for (const QString& id : ids) {
    QLockFile lock(folder.filePath(id + lockSuffix()));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) continue;  // the save is running in another editor
    const QString record = folder.filePath(id + recordSuffix());
    removeFilesLeftBy(record);
    QFile::remove(record);
  }
}

}  // namespace wabunko
