#include "doc/CReopenDlg.h"

#include <QRadioButton>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

TEST(CReopenDlg, StartsAtTheCurrentCodeAndReportsTheChosenOne) {
  for (const CharCode current : {CharCode::ShiftJis, CharCode::Jis, CharCode::Euc, CharCode::InternetForm}) {
    CReopenDlg dialog(current);
    EXPECT_EQ(dialog.code(), current);
    const QList<QRadioButton*> buttons = dialog.findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 4);
    EXPECT_EQ(buttons.at(3)->text(), QStringLiteral("InternetのForm転送形式"));
    buttons.at(2)->click();
    EXPECT_EQ(dialog.code(), CharCode::Euc);
  }
}

}  // namespace
}  // namespace wabunko
