#pragma once
// What one start of the program asks to open: files and the text read from standard input,
// all in one code. A later start hands it to the running instance as one message.

#include "doc/CharCodes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace wabunko {

struct OpenRequest {
  struct Item {
    QString path;     // a file's absolute path; empty for text
    QByteArray text;  // when there is no path: standard input's bytes, for a new, untitled document
    bool isText() const { return path.isEmpty(); }
  };
  CharCode code = CharCode::ShiftJis;
  QList<Item> items;  // none: one new document

  // The first file's path ("File"/"Load"); empty when the request names no file.
  QString firstPath() const;

  // The hand-over message. Earlier versions handed over a plain list of paths (an empty one
  // for a new document); such a message still reads, as Shift-JIS files.
  QStringList toMessage() const;
  static OpenRequest fromMessage(const QStringList& message);
};

}  // namespace wabunko
