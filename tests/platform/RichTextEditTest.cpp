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
