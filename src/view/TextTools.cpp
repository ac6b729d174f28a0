#include "TextTools.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace wabunko {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kFullWidthSpace = "\x81\x40";

bool isLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isLineEndByte(char c) { return c == '\r' || c == '\n'; }

// The character starting at `pos`: two bytes behind a lead byte, else one. A lead byte
// with nothing after it stands alone.
std::string_view characterAt(std::string_view text, std::size_t pos) {
  const std::size_t length = isLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
  return text.substr(pos, length);
}

bool isBlank(std::string_view ch) { return ch == " " || ch == "\t" || ch == kFullWidthSpace; }

// Where each line starts. Trail bytes are 0x40 or above, so a CR or LF byte is always a
// line end of its own and the bytes can be scanned one by one.
std::vector<std::size_t> lineStarts(std::string_view text) {
  std::vector<std::size_t> starts = {0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool crOfCrLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    if (isLineEndByte(text[i]) && !crOfCrLf) starts.push_back(i + 1);
  }
  return starts;
}

}  // namespace

std::string breakLines(std::string_view text, int lineLength) {
  std::string out;
  out.reserve(text.size());
  int column = 1;  // where the next character would start on the current output line
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view ch = characterAt(text, i);
    const int width = static_cast<int>(ch.size());
    i += ch.size();
    if (isLineEndByte(ch[0])) {
      out += ch;
      column = 1;
    } else if (column < lineLength) {
      out += ch;
      column += width;
    } else if (width == 1) {
      out += ch;
      out += kCrLf;
      column = 1;
    } else {
      // A line length below 2 would otherwise put an empty line in front of every
      // double-byte character that already starts a line.
      if (column > 1) out += kCrLf;
      out += ch;
      column = 1 + width;
    }
  }
  return out;
}

std::string removeTrailingBlanks(std::string_view text, bool startsText) {
  // The text's end counts as a line end, so the last line loses its blanks too without
  // a CR LF being added. Adding one and keeping it would give the text one more line end
  // on every use, and change an unchanged document.
  std::string out;
  out.reserve(text.size());
  std::size_t blankBytes = 0;  // the blanks most recently written on the current line
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view ch = characterAt(text, i);
    // A space or tab as the very first byte of the text is always kept.
    const bool removable = isBlank(ch) && !(startsText && i == 0 && ch.size() == 1);
    i += ch.size();
    if (isLineEndByte(ch[0])) out.resize(out.size() - blankBytes);
    out += ch;
    blankBytes = removable ? blankBytes + ch.size() : 0;
  }
  out.resize(out.size() - blankBytes);
  return out;
}

std::string prefixLines(std::string_view text, std::size_t selStart, std::size_t selEnd,
                        std::string_view prefix) {
  const std::vector<std::size_t> starts = lineStarts(text);
  // The line holding the selection's start: the last line starting at or before it.
  auto line = std::prev(std::upper_bound(starts.begin(), starts.end(), selStart));
  std::string out;
  std::size_t copied = 0;
  for (; line != starts.end() && *line <= selEnd; ++line) {
    out.append(text.substr(copied, *line - copied));
    out += prefix;
    copied = *line;
  }
  out.append(text.substr(copied));
  return out;
}

std::string_view signatureText(std::string_view fileBytes) {
  return fileBytes.substr(0, fileBytes.find('\0'));
}

std::string clipRecord(std::string_view path, int selStart, std::string_view selectedText) {
  std::string record = "\\WabunkoClipFormat";
  record += path;
  record += "\tCut\t";
  record += std::to_string(selStart);
  record += '\t';
  record += selectedText;
  return record;
}

}  // namespace wabunko
