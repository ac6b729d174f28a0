#pragma once
// What is refused before a byte of it is read as a document: a folder; anything that is no
// regular file, since a pipe waits for a writer for ever and a device may never end; and a
// file larger than a document can well be held in. The refusal is the message the user sees.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace wabunko {

// Bytes of the largest file opened as a document. Opening takes time and memory that grow
// a little faster than the file: 200 MB of Japanese text took 10 to 16 s and 1.7 GB at its
// peak, so a gigabyte would hold the window for one to two minutes and take 9 GB, far more
// with many short lines (20 MB of empty lines took 30 to 45 s and 1.4 GB).
inline constexpr qint64 kMaxLoadBytes = qint64{256} << 20;

// The message refusing to open `path` as a document; nothing when it may be read, also
// when it does not exist (reading it reports that).
std::optional<QString> loadRefusal(const QString& path);

}  // namespace wabunko
