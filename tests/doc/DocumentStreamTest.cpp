#include "doc/DocumentStream.h"

#include "platform/RichTextStream.h"

#include <QTextDocument>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

struct Case {
  CharCode code;
  bool richText;
};

class DocumentStreamRoundTrip : public testing::TestWithParam<Case> {};

TEST_P(DocumentStreamRoundTrip, TextWrittenInACodeReadsBackTheSame) {
  QTextDocument written;
  RichTextStream::readPlainText(written, "\x93\xfa\x96\x7b\x8c\xea text\r\n\x82\xa0\x82\xa2");  // 日本語 text / あい
  std::size_t lost = 99;
  const std::string bytes = DocumentStream::write(written, GetParam().richText, GetParam().code, &lost);
  EXPECT_EQ(lost, 0u);
  QTextDocument read;
  EXPECT_TRUE(DocumentStream::read(read, bytes, GetParam().richText, GetParam().code));
  EXPECT_EQ(RichTextStream::plainText(read), RichTextStream::plainText(written));
}

INSTANTIATE_TEST_SUITE_P(Codes, DocumentStreamRoundTrip,
                         testing::Values(Case{CharCode::ShiftJis, false}, Case{CharCode::Jis, false},
                                         Case{CharCode::Euc, false}, Case{CharCode::ShiftJis, true},
                                         Case{CharCode::Jis, true}, Case{CharCode::Euc, true}));

TEST(DocumentStream, CountsWhatTheCodeCannotHold) {
  QTextDocument content;
  content.setPlainText(QStringLiteral("a\U0001F600b"));
  std::size_t lost = 0;
  DocumentStream::write(content, false, CharCode::ShiftJis, &lost);
  EXPECT_EQ(lost, 1u);
}

TEST(DocumentStream, DamagedRichTextReadsWhatItCan) {
  QTextDocument content;
  EXPECT_FALSE(DocumentStream::read(content, "{\\rtf1 abc", true, CharCode::ShiftJis));
  EXPECT_TRUE(RichTextStream::plainText(content).contains(QStringLiteral("abc")));
}

}  // namespace
}  // namespace wabunko
