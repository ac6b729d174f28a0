#include "RichTextStream.h"

#include "doc/LineEnds.h"
#include "doc/TextBridge.h"

#include <QTextBlock>
#include <QTextDocument>
#include <vector>

namespace wabunko::RichTextStream {
namespace {

// A block's user state holds the line end it was read with; new blocks have -1.
constexpr int kUnknownLineEnd = -1;

std::u16string_view utf16(const QString& s) {
  return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

}  // namespace

void readPlainText(QTextDocument& document, std::string_view bytes) {
  const SplitLines lines = splitLines(TextBridge::toUnicode(bytes));
  document.setPlainText(QString::fromUtf16(lines.text.data(), static_cast<qsizetype>(lines.text.size())));
  std::size_t i = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++i)
    block.setUserState(i < lines.ends.size() ? static_cast<int>(lines.ends[i]) : kUnknownLineEnd);
}

QString plainText(const QTextDocument& document) {
  QString text;
  text.reserve(document.characterCount());
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += QLatin1Char('\n');
    text += block.text();
  }
  return text;
}

std::string writePlainText(const QTextDocument& document, std::size_t* unencodable) {
  std::vector<LineEnd> ends;
  ends.reserve(static_cast<std::size_t>(document.blockCount()));
  std::vector<LineEnd> known;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const int state = block.userState();
    const bool remembered = state >= static_cast<int>(LineEnd::CrLf) && state <= static_cast<int>(LineEnd::Cr);
    ends.push_back(remembered ? static_cast<LineEnd>(state) : LineEnd::None);
    if (remembered) known.push_back(ends.back());
  }
  const QString text = plainText(document);
  const std::u16string joined = joinLines(utf16(text), ends, mostCommonLineEnd(known));
  return TextBridge::toShiftJis(joined, unencodable);
}

}  // namespace wabunko::RichTextStream
