#pragma once
// A file's bytes into a QTextDocument and back, as plain text or rich text, in one of the
// character codes; the text of rich text is coded run by run so its formats stay.

#include "doc/CharCodes.h"

#include <cstddef>
#include <string>
#include <string_view>

class QTextDocument;

namespace wabunko::DocumentStream {

// Replaces the content by `bytes`, decoding `code`. False when rich text broke the
// format's rules; what could be read is in the content all the same.
bool read(QTextDocument& content, std::string_view bytes, bool richText, CharCode code);

// The content as a file's bytes in `code`; *lost counts the characters the bytes cannot
// hold.
std::string write(const QTextDocument& content, bool richText, CharCode code, std::size_t* lost);

}  // namespace wabunko::DocumentStream
