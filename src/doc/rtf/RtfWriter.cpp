#include "doc/rtf/RtfWriter.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "doc/TextBridge.h"
#include "doc/rtf/CodePages.h"
#include "doc/rtf/RtfPrivateWords.h"

namespace wabunko::rtf {
namespace {

// Lines are broken before an escape or a space once they reach this length; RTF ignores
// line ends, so they only make the file easier to read and to mail.
constexpr std::size_t kLineWidth = 78;
constexpr std::size_t kPictureBytesPerLine = 32;
constexpr int kTwipsPerHalfPoint = 10;
constexpr int kShiftJisCharset = 128;
constexpr int kAnsiCharset = 0;

constexpr bool isInvalidByteChar(char16_t c) {
  return c >= TextBridge::kInvalidByteBase && c <= TextBridge::kInvalidByteBase + 0xFF;
}
constexpr bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool hasNonAscii(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= 0x80; });
}

// Half-points to the nearest, for readers that know only those.
int nearestHalfPoints(int twips) {
  const int magnitude = (std::abs(twips) + kTwipsPerHalfPoint / 2) / kTwipsPerHalfPoint;
  return twips < 0 ? -magnitude : magnitude;
}

std::uint32_t bigEndian(std::string_view data, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | static_cast<unsigned char>(data[at + i]);
  return value;
}

// Width and height in pixels from a PNG's header chunk or a JPEG's frame header, for
// \picw and \pich, which some readers want.
std::optional<std::pair<std::uint32_t, std::uint32_t>> pixelSize(const Image& image) {
  const std::string_view data = image.data;
  if (image.kind == ImageKind::Png) {
    if (data.size() < 24 || data.substr(12, 4) != "IHDR") return std::nullopt;
    // A PNG's sizes stop at 2^31 - 1; a larger one is no size, and readers (ours too) take
    // an RTF number past 32 bits for damage.
    const std::uint32_t width = bigEndian(data, 16, 4), height = bigEndian(data, 20, 4);
    if (width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    return std::pair{width, height};
  }
  std::size_t at = 2;  // after the start-of-image marker
  while (at + 4 <= data.size() && static_cast<unsigned char>(data[at]) == 0xFF) {
    const unsigned marker = static_cast<unsigned char>(data[at + 1]);
    const bool startOfFrame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (startOfFrame) {
      if (at + 9 > data.size()) return std::nullopt;
      return std::pair{bigEndian(data, at + 7, 2), bigEndian(data, at + 5, 2)};
    }
    at += 2 + bigEndian(data, at + 2, 2);
  }
  return std::nullopt;
}

struct FontSlot {
  int number;
  bool shiftJis;  // the face's name or some of its text needs code page 932
};

class Writer {
public:
  explicit Writer(const RtfDocument& document) : document_(document) {}

  std::string write() {
    collectFontsAndColours();
    out_ += "{\\rtf1\\ansi\\ansicpg932\\deff0\\uc1";
    writeFontTable();
    writeColourTable();
    newLine();
    for (const Paragraph& paragraph : document_.paragraphs) writeParagraph(paragraph);
    out_ += "}\n";
    return std::move(out_);
  }

private:
  void collectFontsAndColours() {
    for (const Paragraph& paragraph : document_.paragraphs) {
      for (const Run& run : paragraph.runs) {
        const auto [slot, added] =
            fonts_.try_emplace(run.format.face, FontSlot{static_cast<int>(fontOrder_.size()), false});
        if (added) fontOrder_.push_back(run.format.face);
        slot->second.shiftJis = slot->second.shiftJis || hasNonAscii(run.text);
        if (run.format.colour && colours_.try_emplace(rgbKey(*run.format.colour),
                                                      static_cast<int>(colourOrder_.size()) + 1)
                                     .second) {
          colourOrder_.push_back(*run.format.colour);
        }
      }
    }
  }

  static std::uint32_t rgbKey(const Rgb& rgb) {
    return std::uint32_t{rgb.red} << 16 | std::uint32_t{rgb.green} << 8 | rgb.blue;
  }

  void writeFontTable() {
    out_ += "{\\fonttbl";
    for (const std::string_view face : fontOrder_) {
      const std::u16string name = fromUtf8(face);
      const FontSlot& slot = fonts_.at(face);
      newLine();
      out_ += "{\\f" + std::to_string(slot.number) + "\\fnil\\fcharset" +
              std::to_string(slot.shiftJis || hasNonAscii(name) ? kShiftJisCharset : kAnsiCharset) +
              ' ';
      writeText(name, true);
      out_ += ";}";
    }
    out_ += '}';
  }

  // Entry 0 is the automatic colour.
  void writeColourTable() {
    newLine();
    out_ += "{\\colortbl;";
    for (const Rgb& rgb : colourOrder_) {
      breakLongLine();
      out_ += "\\red" + std::to_string(rgb.red) + "\\green" + std::to_string(rgb.green) +
              "\\blue" + std::to_string(rgb.blue) + ';';
    }
    out_ += '}';
  }

  void writeParagraph(const Paragraph& paragraph) {
    const ParagraphFormat& format = paragraph.format;
    out_ += "\\pard";
    switch (format.alignment) {
      case Alignment::Left: break;
      case Alignment::Centre: out_ += "\\qc"; break;
      case Alignment::Right: out_ += "\\qr"; break;
      case Alignment::Justified: out_ += "\\qj"; break;
    }
    writeNonZero("li", format.leftIndentTwips);
    writeNonZero("ri", format.rightIndentTwips);
    writeNonZero("fi", format.firstLineIndentTwips);
    for (const int stop : format.tabStopsTwips) {
      breakLongLine();
      writeNumber("tx", stop);
    }
    for (const Run& run : paragraph.runs) writeRun(run);
    out_ += "\\par";
    newLine();
  }

  void writeRun(const Run& run) {
    breakLongLine();
    out_ += '{';
    writeCharFormat(run.format);
    if (run.image) {
      writeImage(*run.image);
    } else {
      writeText(run.text, false);
    }
    out_ += '}';
  }

  void writeCharFormat(const CharFormat& format) {
    writeNumber("f", fonts_.at(format.face).number);
    writeNumber("fs", std::max(nearestHalfPoints(format.heightTwips), 1));
    if (format.heightTwips % kTwipsPerHalfPoint != 0) {
      writeNumber(kExactHeightWord, format.heightTwips);
    }
    if (format.bold) out_ += "\\b";
    if (format.italic) out_ += "\\i";
    if (format.underline) out_ += "\\ul";
    if (format.strikeOut) out_ += "\\strike";
    if (format.colour) writeNumber("cf", colours_.at(rgbKey(*format.colour)));
    if (format.position == VerticalPosition::Superscript) out_ += "\\super";
    if (format.position == VerticalPosition::Subscript) out_ += "\\sub";
    if (format.offsetTwips > 0) writeNumber("up", nearestHalfPoints(format.offsetTwips));
    if (format.offsetTwips < 0) writeNumber("dn", -nearestHalfPoints(format.offsetTwips));
    if (format.offsetTwips % kTwipsPerHalfPoint != 0) {
      writeNumber(kExactOffsetWord, format.offsetTwips);
    }
    out_ += ' ';
  }

  void writeImage(const Image& image) {
    out_ += image.kind == ImageKind::Png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
    if (const auto size = pixelSize(image)) {
      out_ += "\\picw" + std::to_string(size->first) + "\\pich" + std::to_string(size->second);
    }
    writeNonZero("picwgoal", image.widthTwips);
    writeNonZero("pichgoal", image.heightTwips);
    for (std::size_t i = 0; i < image.data.size(); ++i) {
      if (i % kPictureBytesPerLine == 0) newLine();
      writeHex(image.data[i]);
    }
    out_ += '}';
  }

  // Text in code page 932: printable ASCII as itself, other characters as \'hh bytes,
  // characters 932 cannot hold as \uN with '?' for readers that do not know \u. In a font
  // name a ';' would end the name.
  void writeText(std::u16string_view text, bool fontName) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (c >= 0x20 && c < 0x7F) {
        if (c == ' ') breakLongLine();
        if (c == '\\' || c == '{' || c == '}') out_ += '\\';
        if (c == ';' && fontName) {
          writeBytes(";");
        } else {
          out_ += static_cast<char>(c);
        }
      } else if (c == u'\t') {
        breakLongLine();
        out_ += "\\tab ";
      } else if (c == kLineBreak) {
        breakLongLine();
        out_ += "\\line ";
      } else {
        const std::size_t units = isHighSurrogate(c) && i + 1 < text.size() &&
                                          isLowSurrogate(text[i + 1])
                                      ? 2
                                      : 1;
        writeCharacter(text.substr(i, units));
        i += units - 1;
      }
    }
  }

  void writeCharacter(std::u16string_view character) {
    breakLongLine();
    std::size_t unencodable = 0;
    const std::string bytes = TextBridge::toShiftJis(character, &unencodable);
    if (unencodable == 0 && !isInvalidByteChar(character[0])) {
      writeBytes(bytes);
      return;
    }
    for (const char16_t unit : character) {
      writeNumber("u", unit >= 0x8000 ? unit - 0x10000 : unit);
      out_ += '?';
    }
  }

  void writeBytes(std::string_view bytes) {
    for (const char byte : bytes) {
      out_ += "\\'";
      writeHex(byte);
    }
  }

  void writeHex(char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out_ += kDigits[static_cast<unsigned char>(byte) >> 4];
    out_ += kDigits[static_cast<unsigned char>(byte) & 0xF];
  }

  void writeNumber(std::string_view word, int value) {
    out_ += '\\';
    out_ += word;
    out_ += std::to_string(value);
  }

  void writeNonZero(std::string_view word, int value) {
    if (value != 0) writeNumber(word, value);
  }

  void newLine() {
    out_ += '\n';
    lineStart_ = out_.size();
  }

  void breakLongLine() {
    if (out_.size() - lineStart_ >= kLineWidth) newLine();
  }

  const RtfDocument& document_;
  std::string out_;
  std::size_t lineStart_ = 0;
  std::unordered_map<std::string_view, FontSlot> fonts_;  // by face
  std::vector<std::string_view> fontOrder_;
  std::unordered_map<std::uint32_t, int> colours_;  // rgbKey -> \cf number
  std::vector<Rgb> colourOrder_;
};

}  // namespace

std::string writeRtf(const RtfDocument& document) { return Writer(document).write(); }

}  // namespace wabunko::rtf
