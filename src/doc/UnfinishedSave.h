#pragma once
// Saves that never finished. A save writes a temporary file beside the document and renames
// it over the document at the end (QSaveFile). The file is named "<name>.XXXXXX" (six letters
// or digits) for the whole write where the file system cannot give it an unnamed one, and
// for a moment before the rename where it can; an editor that is killed or crashes then
// leaves it behind.
//
// So each save is recorded in the settings folder while it runs, together with the names of
// that pattern its folder held before it began. A record whose editor has gone names exactly
// the files its save may have left: those are removed, never a file of the user's that only
// looks like one ("memo.txt.backup" was there before, or belongs to another document). A
// record is tied to its editor by a lock file, so a save running in another editor right now
// is left alone.

#include <QString>

#include <memory>

class QLockFile;

namespace wabunko {

class UnfinishedSave {
public:
  // Records a save to `path` until destroyed, after removing what earlier saves left. When
  // no record can be written the save goes on unrecorded.
  explicit UnfinishedSave(const QString& path);
  ~UnfinishedSave();
  UnfinishedSave(const UnfinishedSave&) = delete;
  UnfinishedSave& operator=(const UnfinishedSave&) = delete;

  // Removes the temporary files of saves whose editor ended before the save did, and their
  // records. Cheap when there are none.
  static void removeLeftovers();
  // Where the records are kept: beside the settings file.
  static QString recordFolder();

private:
  std::unique_ptr<QLockFile> lock_;
  QString record_;
};

}  // namespace wabunko
