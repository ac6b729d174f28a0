#pragma once
// Streaming a QTextDocument in and out of bytes. Plain text is code page 932 bytes
// (see TextBridge); each line remembers the line end it was read with, so text read and
// written unchanged gives the same bytes.

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

class QTextDocument;

namespace wabunko {

namespace RichTextStream {

// Replaces the document's content by the plain text `bytes`.
void readPlainText(QTextDocument& document, std::string_view bytes);

// The document's text as code page 932 bytes, each line ending as it was read; lines
// added since end like most lines of the document (CR LF when nothing tells). Characters
// code page 932 cannot hold are written as '?' and counted in *unencodable.
std::string writePlainText(const QTextDocument& document, std::size_t* unencodable = nullptr);

// The document's text as the control shows it, lines joined by '\n' (no conversion).
QString plainText(const QTextDocument& document);

}  // namespace RichTextStream

}  // namespace wabunko
