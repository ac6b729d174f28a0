#include "DocumentStream.h"

#include "doc/TextBridge.h"
#include "platform/RichTextStream.h"

namespace wabunko::DocumentStream {
namespace {

bool converts(CharCode code) { return code == CharCode::Jis || code == CharCode::Euc; }

}  // namespace

bool read(QTextDocument& content, std::string_view bytes, bool richText, CharCode code) {
  const bool decode = converts(code) || code == CharCode::InternetForm;
  if (!richText) {
    RichTextStream::readPlainText(content, decode ? DecodeToShiftJis(code, bytes) : std::string(bytes));
    return true;
  }
  const bool whole = RichTextStream::readRtf(content, bytes);
  if (decode)
    RichTextStream::convertRuns(content, [code](std::u16string_view text) {
      // Kanji mode goes on past a character that splits the run's bytes.
      bool kanji = false;
      return TextBridge::decodeFileBytes(text, [code, &kanji](std::string_view runBytes) {
        const std::string coded = kanji ? "\x1b$B" + std::string(runBytes) : std::string(runBytes);
        kanji = code == CharCode::Jis && !EndJisDoubleByteMode(coded).empty();
        return DecodeToShiftJis(code, coded);
      });
    });
  return whole;
}

std::string write(const QTextDocument& content, bool richText, CharCode code, std::size_t* lost) {
  std::size_t unencodable = 0;
  std::string bytes;
  if (richText) {
    // Text in another code is stored inside the rich text, run by run; each run ends in
    // single-byte mode so that runs joined on reading still decode.
    RichTextStream::TextConversion encode;
    if (converts(code))
      encode = [code, &unencodable](std::u16string_view text) {
        std::string shiftJis = TextBridge::toShiftJis(text, &unencodable);
        unencodable += CountUnrepresentable(code, shiftJis);
        std::string encoded = EncodeFromShiftJis(code, shiftJis);
        if (code == CharCode::Jis) encoded += EndJisDoubleByteMode(encoded);
        return TextBridge::toUnicode(encoded);
      };
    bytes = RichTextStream::writeRtf(content, encode);
  } else {
    bytes = RichTextStream::writePlainText(content, &unencodable);
    if (converts(code)) {
      unencodable += CountUnrepresentable(code, bytes);
      bytes = EncodeFromShiftJis(code, bytes);
    }
  }
  if (lost) *lost = unencodable;
  return bytes;
}

}  // namespace wabunko::DocumentStream
