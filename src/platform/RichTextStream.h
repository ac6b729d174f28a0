#pragma once
// Streaming a QTextDocument in and out of bytes. Plain text is code page 932 bytes
// (see TextBridge); each line remembers the line end it was read with, so text read and
// written unchanged gives the same bytes. Rich text is RTF (see doc/rtf), with the
// model's exact sizes kept in the formats so a document read and written keeps them.

#include <QString>
#include <cstddef>
#include <functional>
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

// Replaces the document's content by the RTF `bytes`: text, character and paragraph
// formats, pictures. Returns false when the input was damaged (what could be read is
// shown all the same).
bool readRtf(QTextDocument& document, std::string_view bytes);

// The document as RTF. `convertText`, when given, rewrites the text of each run (used to
// store the text of rich text in another character code).
using TextConversion = std::function<std::u16string(std::u16string_view)>;
std::string writeRtf(const QTextDocument& document, const TextConversion& convertText = {});

// Rewrites the text of every run of the document in place, keeping its formats.
void convertRuns(QTextDocument& document, const TextConversion& convertText);

}  // namespace RichTextStream

}  // namespace wabunko
