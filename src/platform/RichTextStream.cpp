#include "RichTextStream.h"
#include "platform/TextFormatTwips.h"
#include "platform/Utf16.h"

#include "doc/LineEnds.h"
#include "doc/TextBridge.h"
#include "doc/rtf/RtfReader.h"
#include "doc/rtf/RtfWriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextFragment>
#include <QImage>
#include <QUrl>
#include <cmath>
#include <QTextDocument>
#include <QTextFrame>
#include <vector>

namespace wabunko::RichTextStream {
namespace {

// A block's user state holds the line end it was read with; new blocks have -1.
constexpr int kUnknownLineEnd = -1;

}  // namespace

void readPlainText(QTextDocument& document, std::string_view bytes) {
  const SplitLines lines = splitLines(TextBridge::toUnicode(bytes));
  document.setPlainText(qstring(lines.text));
  std::size_t i = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++i)
    block.setUserState(i < lines.ends.size() ? static_cast<int>(lines.ends[i]) : kUnknownLineEnd);
}

QString plainText(const QTextDocument& document) {
  // Without frames the raw text is the paragraphs joined by U+2029, in one copy.
  if (document.rootFrame()->childFrames().isEmpty()) {
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
  }
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

namespace wabunko::RichTextStream {
namespace {

double pixels(int twips) { return pixelsFromTwips(twips); }
int twips(double pixels) { return twipsFromPixels(pixels); }

// The pictures' own bytes, which the document's image resources do not keep.
constexpr int kImageDataProperty = QTextFormat::UserProperty + 2;
constexpr int kImageKindProperty = QTextFormat::UserProperty + 3;

QTextBlockFormat blockFormat(const rtf::ParagraphFormat& p) {
  QTextBlockFormat f;
  switch (p.alignment) {
    case rtf::Alignment::Left: f.setAlignment(Qt::AlignLeft); break;
    case rtf::Alignment::Centre: f.setAlignment(Qt::AlignHCenter); break;
    case rtf::Alignment::Right: f.setAlignment(Qt::AlignRight); break;
    case rtf::Alignment::Justified: f.setAlignment(Qt::AlignJustify); break;
  }
  f.setLeftMargin(pixels(p.leftIndentTwips));
  f.setRightMargin(pixels(p.rightIndentTwips));
  f.setTextIndent(pixels(p.firstLineIndentTwips));
  QList<QTextOption::Tab> tabs;
  for (int stop : p.tabStopsTwips) tabs.append(QTextOption::Tab(pixels(stop), QTextOption::LeftTab));
  f.setTabPositions(tabs);
  return f;
}

rtf::ParagraphFormat paragraphFormat(const QTextBlockFormat& f) {
  rtf::ParagraphFormat p;
  const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
  p.alignment = a & Qt::AlignHCenter  ? rtf::Alignment::Centre
                : a & Qt::AlignRight  ? rtf::Alignment::Right
                : a & Qt::AlignJustify ? rtf::Alignment::Justified
                                       : rtf::Alignment::Left;
  p.leftIndentTwips = twips(f.leftMargin());
  p.rightIndentTwips = twips(f.rightMargin());
  p.firstLineIndentTwips = twips(f.textIndent());
  for (const QTextOption::Tab& tab : f.tabPositions()) p.tabStopsTwips.push_back(twips(tab.position));
  return p;
}

QTextCharFormat charFormat(const rtf::CharFormat& c) {
  QTextCharFormat f;
  if (!c.face.empty()) f.setFontFamilies({QString::fromStdString(c.face)});
  if (c.offsetTwips != 0)
    setHeightAndOffsetTwips(f, c.heightTwips, c.offsetTwips);
  else
    f.setFontPointSize(c.heightTwips / 20.0);
  f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(c.italic);
  f.setFontUnderline(c.underline);
  f.setFontStrikeOut(c.strikeOut);
  if (c.colour) f.setForeground(QColor(c.colour->red, c.colour->green, c.colour->blue));
  switch (c.position) {
    case rtf::VerticalPosition::Normal: break;
    case rtf::VerticalPosition::Superscript: f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); break;
    case rtf::VerticalPosition::Subscript: f.setVerticalAlignment(QTextCharFormat::AlignSubScript); break;
  }
  return f;
}

rtf::CharFormat modelFormat(const QTextCharFormat& f, const QFont& defaultFont) {
  rtf::CharFormat c;
  const QStringList families = f.fontFamilies().toStringList();
  c.face = (families.isEmpty() ? defaultFont.family() : families.constFirst()).toStdString();
  c.heightTwips = heightTwips(f, defaultFont);
  c.bold = f.fontWeight() >= QFont::Bold;
  c.italic = f.fontItalic();
  c.underline = f.fontUnderline();
  c.strikeOut = f.fontStrikeOut();
  if (f.hasProperty(QTextFormat::ForegroundBrush)) {
    const QColor color = f.foreground().color();
    c.colour = rtf::Rgb{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                        static_cast<std::uint8_t>(color.blue())};
  }
  switch (f.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: c.position = rtf::VerticalPosition::Superscript; break;
    case QTextCharFormat::AlignSubScript: c.position = rtf::VerticalPosition::Subscript; break;
    default: break;
  }
  c.offsetTwips = offsetTwips(f);
  return c;
}

void insertImage(QTextCursor& cursor, const rtf::Run& run, int serial) {
  const rtf::Image& image = *run.image;
  const QByteArray data(image.data.data(), static_cast<qsizetype>(image.data.size()));
  const QString name = QStringLiteral("wabunko-image:%1").arg(serial);
  QTextDocument* document = cursor.document();
  document->addResource(QTextDocument::ImageResource, QUrl(name), QImage::fromData(data));
  QTextImageFormat f;
  f.merge(charFormat(run.format));
  f.setName(name);
  if (image.widthTwips > 0) f.setWidth(pixels(image.widthTwips));
  if (image.heightTwips > 0) f.setHeight(pixels(image.heightTwips));
  f.setProperty(kImageDataProperty, data);
  f.setProperty(kImageKindProperty, static_cast<int>(image.kind));
  cursor.insertImage(f);
}

rtf::Run imageRun(const QTextImageFormat& f, const QFont& defaultFont) {
  rtf::Run run;
  run.format = modelFormat(f, defaultFont);
  rtf::Image image;
  const QByteArray data = f.property(kImageDataProperty).toByteArray();
  image.data.assign(data.constData(), static_cast<std::size_t>(data.size()));
  image.kind = static_cast<rtf::ImageKind>(f.property(kImageKindProperty).toInt());
  if (f.hasProperty(QTextFormat::ImageWidth)) image.widthTwips = twips(f.width());
  if (f.hasProperty(QTextFormat::ImageHeight)) image.heightTwips = twips(f.height());
  run.image = std::move(image);
  return run;
}

}  // namespace

bool readRtf(QTextDocument& document, std::string_view bytes) {
  const rtf::RtfReadResult read = rtf::readRtf(bytes);
  document.clear();
  // Reading a file is not a step the user can undo.
  document.setUndoRedoEnabled(false);
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  int images = 0;
  bool first = true;
  for (const rtf::Paragraph& paragraph : read.document.paragraphs) {
    if (!first) cursor.insertBlock();
    first = false;
    cursor.setBlockFormat(blockFormat(paragraph.format));
    for (const rtf::Run& run : paragraph.runs) {
      if (run.image)
        insertImage(cursor, run, images++);
      else
        cursor.insertText(qstring(run.text), charFormat(run.format));
    }
  }
  cursor.endEditBlock();
  document.setUndoRedoEnabled(true);
  document.setModified(false);
  return !read.damaged;
}

std::string writeRtf(const QTextDocument& document, const TextConversion& convertText) {
  rtf::RtfDocument model;
  const QFont defaultFont = document.defaultFont();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    rtf::Paragraph paragraph;
    paragraph.format = paragraphFormat(block.blockFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat format = fragment.charFormat();
      if (format.isImageFormat()) {
        // One object character per picture.
        for (int i = 0; i < fragment.length(); ++i)
          paragraph.runs.push_back(imageRun(format.toImageFormat(), defaultFont));
        continue;
      }
      const QString text = fragment.text();
      std::u16string runText(utf16(text));
      paragraph.runs.push_back({modelFormat(format, defaultFont), convertText ? convertText(runText) : runText, {}});
    }
    model.paragraphs.push_back(std::move(paragraph));
  }
  return rtf::writeRtf(model);
}

void convertRuns(QTextDocument& document, const TextConversion& convertText) {
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    // Collect first: replacing a fragment changes the block's fragment list.
    std::vector<std::pair<int, int>> spans;
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (!it.fragment().charFormat().isImageFormat())
        spans.emplace_back(it.fragment().position(), it.fragment().length());
    for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
      cursor.setPosition(span->first);
      cursor.setPosition(span->first + span->second, QTextCursor::KeepAnchor);
      const QTextCharFormat format = cursor.charFormat();
      const QString text = cursor.selectedText();
      const std::u16string converted = convertText(utf16(text));
      cursor.insertText(qstring(converted), format);
    }
  }
  cursor.endEditBlock();
}

}  // namespace wabunko::RichTextStream
