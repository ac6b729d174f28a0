#pragma once
// The text encodings an RTF file uses: Windows code pages for \'hh bytes and raw text, and
// UTF-8 for the face names of the document model.

#include <string>
#include <string_view>

namespace wabunko::rtf {

// The code page a font's \fcharsetN stands for; 0 when it names none (DEFAULT_CHARSET,
// symbol and unknown charsets), and the document's \ansicpg applies.
int codePageOfCharset(int charset);

// Appends the text of `bytes` in Windows code page `codePage`: 932 as Windows maps it
// (TextBridge), 1250-1254, 1257 and 10000 (Mac Roman) from tables. Bytes a code page leaves
// undefined, and every non-ASCII byte of a code page not listed, become U+FFFD.
void appendDecoded(std::u16string& out, int codePage, std::string_view bytes);

// UTF-16 <-> UTF-8; an unpaired surrogate or a malformed sequence becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

}  // namespace wabunko::rtf
