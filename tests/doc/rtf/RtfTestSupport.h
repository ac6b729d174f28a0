#pragma once
// Builders and printing for the RTF reader and writer tests.

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "doc/rtf/CodePages.h"
#include "doc/rtf/RtfModel.h"

namespace wabunko::rtf {

inline Run textRun(std::u16string text, CharFormat format = {}) {
  return Run{std::move(format), std::move(text), std::nullopt};
}

inline Run imageRun(Image image, CharFormat format = {}) {
  return Run{std::move(format), u"", std::move(image)};
}

inline Paragraph paragraph(std::vector<Run> runs, ParagraphFormat format = {}) {
  return Paragraph{std::move(format), std::move(runs)};
}

// The text of every paragraph, one line each.
inline std::u16string plainText(const RtfDocument& document) {
  std::u16string text;
  for (const Paragraph& p : document.paragraphs) {
    if (&p != &document.paragraphs.front()) text += u'\n';
    for (const Run& run : p.runs) text += run.text;
  }
  return text;
}

// Readable failure messages from GoogleTest.
inline void PrintTo(const CharFormat& f, std::ostream* os) {
  *os << "{face=" << f.face << " h=" << f.heightTwips << (f.bold ? " b" : "")
      << (f.italic ? " i" : "") << (f.underline ? " ul" : "") << (f.strikeOut ? " strike" : "");
  if (f.colour) *os << " rgb=" << +f.colour->red << ',' << +f.colour->green << ',' << +f.colour->blue;
  if (f.position != VerticalPosition::Normal) *os << " pos=" << static_cast<int>(f.position);
  if (f.offsetTwips) *os << " off=" << f.offsetTwips;
  *os << '}';
}

inline void PrintTo(const RtfDocument& document, std::ostream* os) {
  for (const Paragraph& p : document.paragraphs) {
    const ParagraphFormat& f = p.format;
    *os << "\n[align=" << static_cast<int>(f.alignment) << " li=" << f.leftIndentTwips
        << " ri=" << f.rightIndentTwips << " fi=" << f.firstLineIndentTwips << " tabs=";
    for (const int stop : f.tabStopsTwips) *os << stop << ',';
    *os << ']';
    for (const Run& run : p.runs) {
      *os << "\n  ";
      PrintTo(run.format, os);
      if (run.image) {
        *os << " image kind=" << static_cast<int>(run.image->kind) << " bytes="
            << run.image->data.size() << ' ' << run.image->widthTwips << 'x'
            << run.image->heightTwips;
      } else {
        *os << " \"" << toUtf8(run.text) << '"';
      }
    }
  }
}

}  // namespace wabunko::rtf
