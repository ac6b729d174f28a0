// The hand-over message: a request comes back whole, standard input's bytes included, and a
// message of an earlier version, a plain list of paths, still reads.
#include "app/OpenRequest.h"

#include <gtest/gtest.h>

namespace wabunko {
namespace {

std::string described(const OpenRequest& r) {
  std::string s = "code " + std::to_string(static_cast<int>(r.code));
  for (const OpenRequest::Item& i : r.items)
    s += i.isText() ? " text[" + i.text.toHex().toStdString() + "]" : " file[" + i.path.toStdString() + "]";
  return s;
}

TEST(OpenRequest, ARequestComesBackWholeFromItsMessage) {
  QByteArray everyByte;
  for (int b = 0; b < 256; ++b) everyByte.append(static_cast<char>(b));
  const OpenRequest requests[] = {
      {CharCode::Euc, {{QStringLiteral("/tmp/一つ目.txt"), {}}, {{}, everyByte}, {QStringLiteral("/tmp/b c.txt"), {}}}},
      {CharCode::InternetForm, {OpenRequest::Item{}}},  // empty standard input
      {CharCode::ShiftJis, {}},                        // a new document
  };
  for (const OpenRequest& request : requests) {
    const OpenRequest back = OpenRequest::fromMessage(request.toMessage());
    EXPECT_EQ(described(back), described(request));
  }
  EXPECT_EQ(requests[0].firstPath(), QStringLiteral("/tmp/一つ目.txt"));
  EXPECT_EQ(requests[1].firstPath(), QString());
}

TEST(OpenRequest, EarlierAndLaterMessagesRead) {
  struct Case {
    QStringList message;
    const char* request;
  };
  const Case cases[] = {
      // Earlier versions: paths, or one empty path for a new document.
      {{QStringLiteral("/tmp/a.txt"), QStringLiteral("/tmp/b.txt")}, "code 0 file[/tmp/a.txt] file[/tmp/b.txt]"},
      {{QString()}, "code 0"},
      // A later one may say more: what is not known is passed over.
      {{QStringLiteral("wabunko:open:2"), QStringLiteral("code:9"), QStringLiteral("window:2"),
        QStringLiteral("file:/tmp/a.txt")},
       "code 0 file[/tmp/a.txt]"},
  };
  for (const Case& c : cases) EXPECT_EQ(described(OpenRequest::fromMessage(c.message)), c.request);
}

}  // namespace
}  // namespace wabunko
