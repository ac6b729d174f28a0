#include "platform/RichTextEdit.h"
#include "platform/RichTextStream.h"

#include <QTextDocument>
#include <gtest/gtest.h>

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
