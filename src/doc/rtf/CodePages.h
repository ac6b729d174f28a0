#pragma once
// The text encodings an RTF file uses: Windows code pages for \'hh bytes and raw text, and
// UTF-8 for the face names of the document model.

#include <optional>
#include <string>
#include <string_view>

namespace wabunko::rtf {

// The code page of text in a font of \fcharset `charset` (none: the font gives no charset)
// in a document whose code page (\ansicpg, \mac, ...) is `documentCodePage`.
int codePageOfCharset(std::optional<int> charset, int documentCodePage);

// Appends the text of `bytes` in Windows code page `codePage`: 932 as Windows maps it
// (TextBridge), 1250-1254, 1257 and 10000 (Mac Roman) from tables. Bytes a code page leaves
// undefined, and every non-ASCII byte of a code page not listed, become U+FFFD.
void appendDecoded(std::u16string& out, int codePage, std::string_view bytes);

// UTF-16 <-> UTF-8; an unpaired surrogate or a malformed sequence becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

}  // namespace wabunko::rtf
