#include "platform/RichTextEdit.h"
#include "platform/RichTextStream.h"
#include "ReferenceLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wabunko {
namespace {

TEST(RichTextEdit, SelectionAndReplacementFollowTheRichEditRules) {
  RichTextEdit edit;
  edit.replaceSel(QStringLiteral("one\r\ntwo\rthree\nfour"), true);
  EXPECT_EQ(edit.document()->blockCount(), 4);
  EXPECT_EQ(edit.textLength(), 18);

  edit.setSel(0, -1);
  EXPECT_EQ(edit.selectedText(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour"));
  edit.setSel(4, 7);
  EXPECT_EQ(edit.selectedText(), QStringLiteral("two"));

  edit.replaceSel(QStringLiteral("2"), true);
  EXPECT_TRUE(edit.document()->isUndoAvailable());
  edit.setSel(0, 3);
  edit.replaceSel(QStringLiteral("1"), false);
  EXPECT_FALSE(edit.document()->isUndoAvailable());
  EXPECT_TRUE(edit.isModified());
  edit.setModified(false);
  EXPECT_FALSE(edit.isModified());
  EXPECT_EQ(RichTextStream::plainText(*edit.document()), QStringLiteral("1\n2\nthree\nfour"));
}

// A document of every kind of line: short ones, a long Japanese paragraph and a long one
// of words that wrap, an empty paragraph, forced line breaks, one ending the paragraph.
const QString kMixed = QStringLiteral(
    "短い行\n"
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン\n"
    "\n"
    "forced\u2028break and\u2028\n"
    "words that wrap at spaces and keep   the spaces at the end of their lines when they do\n"
    "最後");

struct Shown {
  explicit Shown(EditControl::Wrap wrap, const QString& text = kMixed) {
    edit.resize(220, 120);
    edit.setWrap(wrap, 150);
    edit.replaceSel(text, false);
    edit.setSel(0, 0);
    edit.show();
  }
  RichTextEdit edit;
};

// Every line and every position against the lines Qt's own layout gives the same text.
void expectLinesOfTheLayout(RichTextEdit& edit) {
  const QString text = RichTextStream::plainText(*edit.document());
  const std::vector<int> starts = referenceLineStarts(*edit.document());
  const int lines = static_cast<int>(starts.size());
  ASSERT_EQ(edit.lineCount(), lines);
  for (int line = 0; line < lines; ++line) ASSERT_EQ(edit.lineIndex(line), starts[static_cast<std::size_t>(line)]) << line;
  EXPECT_EQ(edit.lineIndex(lines), -1);
  EXPECT_EQ(edit.lineIndex(lines + 10), -1);
  EXPECT_EQ(edit.lineText(lines), QString());
  for (int pos = 0; pos <= edit.textLength(); ++pos) {
    const int line = edit.lineFromChar(pos);
    const int start = starts[static_cast<std::size_t>(line)];
    const int next = line + 1 < lines ? starts[static_cast<std::size_t>(line) + 1] : edit.textLength() + 1;
    ASSERT_TRUE(start <= pos && pos < next) << pos << " on line " << line;
    // The line without the break that ends it: a paragraph's or a forced one.
    QString expected = text.mid(start, next - start);
    if (expected.endsWith(QLatin1Char('\n')) || expected.endsWith(QChar::LineSeparator)) expected.chop(1);
    ASSERT_EQ(edit.lineLength(pos), expected.size()) << pos;
    ASSERT_EQ(edit.lineText(line), expected) << line;
  }
  EXPECT_EQ(edit.lineFromChar(edit.textLength() + 5), lines - 1);
}

TEST(RichTextEdit, LinesAreTheDisplayLinesInEveryWrapMode) {
  for (const auto wrap : {EditControl::Wrap::None, EditControl::Wrap::WindowEdge, EditControl::Wrap::PrintWidth}) {
    SCOPED_TRACE(static_cast<int>(wrap));
    Shown shown(wrap);
    const int paragraphs = shown.edit.document()->blockCount();
    // Asked before anything forces the whole layout.
    const int lines = shown.edit.lineCount();
    if (wrap == EditControl::Wrap::None) EXPECT_EQ(lines, paragraphs + 2);  // the two forced breaks
    else EXPECT_GT(lines, paragraphs + 4);
    expectLinesOfTheLayout(shown.edit);
  }
}

TEST(RichTextEdit, MinusOneMeansTheLineOfTheSelectionStart) {
  Shown shown(EditControl::Wrap::PrintWidth);
  RichTextEdit& edit = shown.edit;
  const int start = edit.lineIndex(2) + 3;  // inside the second line of the long paragraph
  edit.setSel(start + 40, start);
  EXPECT_EQ(edit.lineFromChar(-1), 2);
  EXPECT_EQ(edit.lineIndex(-1), edit.lineIndex(2));
  EXPECT_EQ(edit.lineLength(-1), edit.lineLength(start));
  EXPECT_EQ(edit.lineText(-1), edit.lineText(2));
  EXPECT_EQ(edit.lineIndex(2), edit.lineIndex(1) + edit.lineLength(edit.lineIndex(1)))
      << "a wrapped line has no break of its own";
}

TEST(RichTextEdit, LinesFollowEditsAndEveryChangeOfTheLayout) {
  Shown shown(EditControl::Wrap::PrintWidth);
  RichTextEdit& edit = shown.edit;
  const auto atEndOfParagraph = [&edit](int paragraph) {
    const QTextBlock block = edit.document()->findBlockByNumber(paragraph);
    edit.setSel(block.position() + block.length() - 1, block.position() + block.length() - 1);
  };
  const std::function<void()> changes[] = {
      [&] { atEndOfParagraph(0); edit.replaceSel(QStringLiteral("を長くして折り返させる文字列を足す"), true); },
      [&] { edit.setSel(edit.lineIndex(3) + 2, edit.lineIndex(3) + 2); edit.replaceSel(QStringLiteral("\n\n"), true); },
      [&] { edit.setSel(edit.lineIndex(1), edit.lineIndex(6)); edit.replaceSel(QString(), true); },
      [&] { edit.undo(); },
      [&] { edit.setSel(5, 60); QTextBlockFormat f; f.setLeftMargin(40); edit.setSelectionParaFormat(f); },
      [&] { QTextCharFormat f; f.setFontPointSize(20); edit.setDefaultCharFormat(f); },
      [&] { edit.setWrap(EditControl::Wrap::PrintWidth, 90); },
      [&] { edit.setWrap(EditControl::Wrap::WindowEdge); edit.resize(160, 120); },
      [&] { edit.setTextMargins(QMargins(30, 0, 0, 0)); },
      [&] { edit.setSel(0, -1); edit.replaceSel(QStringLiteral("one\ntwo"), false); },
  };
  int step = 0;
  for (const auto& change : changes) {
    SCOPED_TRACE(step++);
    edit.lineCount();  // every count known before the change
    change();
    QApplication::processEvents();
    expectLinesOfTheLayout(edit);
  }
}

TEST(RichTextEdit, TheCompositionCountsItsLinesWhileItLasts) {
  Shown shown(EditControl::Wrap::PrintWidth);
  RichTextEdit& edit = shown.edit;
  const int lines = edit.lineCount();
  edit.setSel(3, 3);  // the end of the short first line
  const auto compose = [&edit](const QString& text) {
    QInputMethodEvent event(text, {});
    QApplication::sendEvent(&edit, &event);
  };
  compose(QStringLiteral("にほんごのぶんしょうをにゅうりょくしているところです"));
  EXPECT_EQ(edit.lineCount(), static_cast<int>(lineStartsOf(*edit.document()).size()));
  EXPECT_GT(edit.lineCount(), lines);
  // Positions leave the composition out: its lines start where it stands.
  const int composed = edit.document()->begin().layout()->lineCount();
  EXPECT_GT(composed, 1);
  EXPECT_EQ(edit.lineIndex(1), 3);
  EXPECT_EQ(edit.lineIndex(composed), edit.document()->findBlockByNumber(1).position());
  EXPECT_EQ(edit.lineFromChar(edit.document()->findBlockByNumber(1).position()), composed);
  compose(QString());
  EXPECT_EQ(edit.lineCount(), lines);
}

TEST(RichTextEdit, AnotherDocumentIsFollowed) {
  Shown shown(EditControl::Wrap::PrintWidth);
  QTextDocument other;
  shown.edit.setDocument(&other);
  shown.edit.replaceSel(kMixed + QStringLiteral("\nmore"), true);
  expectLinesOfTheLayout(shown.edit);
}

TEST(RichTextEdit, AControlNeverShownCountsParagraphsAndForcedBreaks) {
  RichTextEdit edit;
  edit.setWrap(EditControl::Wrap::WindowEdge);
  edit.replaceSel(kMixed, false);
  EXPECT_EQ(edit.lineCount(), edit.document()->blockCount() + 2);
  EXPECT_EQ(edit.lineText(4), QStringLiteral("break and"));
  EXPECT_EQ(edit.lineText(5), QString());
  EXPECT_EQ(edit.lineFromChar(edit.textLength()), edit.lineCount() - 1);
}

TEST(RichTextEdit, ScrollingGoesByDisplayLinesAndStopsAtTheLast) {
  Shown shown(EditControl::Wrap::PrintWidth, kMixed + kMixed + kMixed);
  RichTextEdit& edit = shown.edit;
  EXPECT_EQ(edit.firstVisibleLine(), 0);
  edit.lineScroll(3);
  EXPECT_EQ(edit.firstVisibleLine(), 3);
  edit.lineScroll(-2);
  EXPECT_EQ(edit.firstVisibleLine(), 1);
  edit.lineScroll(-10);
  EXPECT_EQ(edit.firstVisibleLine(), 0);
  edit.lineScroll(edit.lineCount());
  EXPECT_GT(edit.firstVisibleLine(), 0);
  EXPECT_EQ(edit.verticalScrollBar()->value(), edit.verticalScrollBar()->maximum());
}

TEST(RichTextEdit, AFileReadInLeavesTheCaretAtTheStartAndTheRestUnlaidOut) {
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += "\x82\xa0\x82\xa2\x82\xa4 line of text long enough to wrap once or twice\r\n";
  RichTextEdit edit;
  edit.resize(300, 200);
  edit.setWrap(EditControl::Wrap::PrintWidth, 200);
  edit.show();
  edit.streamIn([&bytes](QTextDocument& document) { RichTextStream::readPlainText(document, bytes); });
  int start = -1, end = -1;
  edit.getSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 0);
  const QTextBlock last = edit.document()->lastBlock().previous();
  EXPECT_EQ(last.layout()->lineCount(), 0) << "nothing near the end is laid out yet";
  EXPECT_EQ(edit.lineFromChar(edit.lineIndex(7)), 7);
  EXPECT_EQ(edit.firstVisibleLine(), 0);
  EXPECT_EQ(last.layout()->lineCount(), 0) << "questions about the top lay out only the top";
  EXPECT_EQ(edit.lineCount(), static_cast<int>(referenceLineStarts(*edit.document()).size()));
}

TEST(RichTextStream, LinesKeepTheirEndsAndNewLinesTakeTheCommonOne) {
  struct Case {
    QByteArray in;
    QString typedAtEnd;
    QByteArray out;
  };
  const Case cases[] = {
      {"a\r\nb\nc\rd", {}, "a\r\nb\nc\rd"},
      {"a\nb\nc\r\n", QStringLiteral("x\ny"), "a\nb\nc\r\nx\ny"},
      {"", QStringLiteral("new\nlines"), "new\r\nlines"},
      {"\x82\xa0\xfd", {}, "\x82\xa0\xfd"},
  };
  for (const Case& c : cases) {
    RichTextEdit edit;
    RichTextStream::readPlainText(*edit.document(), {c.in.constData(), static_cast<std::size_t>(c.in.size())});
    edit.setSel(-1, -1);
    edit.replaceSel(c.typedAtEnd, true);
    std::size_t lost = 99;
    const std::string out = RichTextStream::writePlainText(*edit.document(), &lost);
    EXPECT_EQ(QByteArray::fromStdString(out), c.out) << c.in.toStdString();
    EXPECT_EQ(lost, 0u);
  }
}

}  // namespace
}  // namespace wabunko

#include "doc/rtf/RtfReader.h"
#include "doc/rtf/RtfWriter.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>

namespace wabunko {
namespace {

std::string pngBytes() {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

TEST(RichTextStream, RichTextKeepsEveryFormatThroughTheDocument) {
  using namespace rtf;
  const auto run = [](std::u16string text, CharFormat f) {
    if (f.face.empty()) f.face = "ＭＳ 明朝";
    return rtf::Run{f, std::move(text), {}};
  };
  RtfDocument model{{
      {{Alignment::Centre, 570, 100, -285, {720, 1440}},
       {run(u"太字", {.bold = true}), run(u"斜体", {.italic = true}), run(u"下線", {.underline = true}),
        run(u"取消", {.strikeOut = true}), run(u"赤", {.colour = Rgb{255, 0, 0}}),
        run(u"Arial 18", {.face = "Arial", .heightTwips = 360}),
        run(u"上付き", {.heightTwips = 120, .position = VerticalPosition::Superscript, .offsetTwips = 60}),
        run(u"下付き", {.heightTwips = 72, .position = VerticalPosition::Subscript, .offsetTwips = -16}),
        run(u"a\tb\u2028c 😀", {})}},
      {{Alignment::Right, 0, 0, 0, {}}, {run(u"右", {})}},
      {{Alignment::Justified, 0, 0, 0, {}},
       {run(u"絵", {}), rtf::Run{{.face = "ＭＳ 明朝"}, {}, Image{ImageKind::Png, pngBytes(), 1500, 1200}},
        rtf::Run{{.face = "ＭＳ 明朝"}, {}, Image{ImageKind::Png, pngBytes(), 0, 0}}}},
  }};
  QTextDocument document;
  ASSERT_TRUE(RichTextStream::readRtf(document, writeRtf(model)));
  const RtfReadResult back = readRtf(RichTextStream::writeRtf(document));
  EXPECT_FALSE(back.damaged);
  EXPECT_EQ(back.document, model);
  EXPECT_EQ(document.blockCount(), 3);
  EXPECT_EQ(document.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

TEST(RichTextStream, DamagedRichTextShowsWhatCouldBeRead) {
  QTextDocument document;
  EXPECT_FALSE(RichTextStream::readRtf(document, "{\\rtf1 readable \\b bold"));
  EXPECT_TRUE(document.toPlainText().startsWith(QStringLiteral("readable")));
}

}  // namespace
}  // namespace wabunko
