// The text-rewriting commands on a real view: conversions, punctuation with its progress
// window, quotation marks, reopening in another code.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CReopenDlg.h"
#include "doc/CWabunkoDoc.h"
#include "doc/CWorkProgressDlg.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "platform/RichTextStream.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"
#include "view/ViewCommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

QString text(CWabunkoDoc* doc) { return RichTextStream::plainText(*doc->view()->edit().textDocument()); }

TEST(TextCommands, FullThenHalfWidthComesBackAndCharactersOutsideTheCodePageSurvive) {
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  doc->view()->edit().replaceSel(QStringLiteral("ｱｲｳABC123😀한"), true);
  h.app().router().dispatch(cmd::ConvertFullWidth);
  EXPECT_EQ(text(doc), QStringLiteral("アイウＡＢＣ１２３😀한"));
  h.app().router().dispatch(cmd::ConvertHalfWidth);
  EXPECT_EQ(text(doc), QStringLiteral("ｱｲｳABC123😀한"));
  h.app().router().dispatch(cmd::ConvertUpper);
  EXPECT_EQ(text(doc), QStringLiteral("ｱｲｳABC123😀한"));
}

TEST(TextCommands, OnlyTheSelectionIsConvertedWhenTheSettingSaysSo) {
  AppHarness h({{QStringLiteral("Command"), {{QStringLiteral("Convert Only Selected"), QStringLiteral("1")}}}});
  CWabunkoDoc* doc = h.documents().front();
  doc->view()->edit().replaceSel(QStringLiteral("abc def"), true);
  doc->view()->edit().setSel(4, 7);
  h.app().router().dispatch(cmd::ConvertUpper);
  EXPECT_EQ(text(doc), QStringLiteral("abc DEF"));
}

TEST(TextCommands, PunctuationConvertsAndACancelLeavesTheText) {
  for (const bool cancel : {false, true}) {
    AppHarness h;
    CWabunkoDoc* doc = h.documents().front();
    const QString original = QStringLiteral("あ，い．a, b.\n").repeated(500);
    doc->view()->edit().replaceSel(original, true);
    // Start the conversion in the dialog; then, in the first pause of the walk, cancel.
    QTimer::singleShot(0, [cancel] {
      static_cast<QDialog*>(QApplication::activeModalWidget())->accept();
      if (cancel)
        QTimer::singleShot(0, [] {
          for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<CWorkProgressDlg*>(w))
              for (auto* button : progress->findChildren<QAbstractButton*>()) button->click();
        });
    });
    h.app().router().dispatch(cmd::ConvertPunctuation);
    EXPECT_EQ(text(doc), cancel ? original : QStringLiteral("あ、い。a、 b。\n").repeated(500)) << cancel;
  }
}

TEST(TextCommands, QuotationMarkReachesALineTheSelectionEndsAt) {
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  EditControl& edit = doc->view()->edit();
  edit.replaceSel(QStringLiteral("one\ntwo\nthree"), true);
  edit.setSel(1, 8);  // from inside "one" to the start of "three"
  h.app().router().dispatch(cmd::ToolQuotationMark);
  EXPECT_EQ(text(doc), QStringLiteral(">one\n>two\n>three"));
}

TEST(TextCommands, ReopenInAnotherCodeFixesAGarbledFile) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("euc.txt"));
  writeBytes(path, "\xb0\xa1\xa4\xa2\r\n");  // 亜あ in EUC-JP
  CWabunkoDoc* doc = h.open(path);
  EXPECT_NE(text(doc), QStringLiteral("亜あ\n"));
  setReopenDialogHook([](CharCode) { return std::optional<CharCode>(CharCode::Euc); });
  h.app().router().dispatch(cmd::Reopen);
  setReopenDialogHook({});
  EXPECT_EQ(text(doc), QStringLiteral("亜あ\n"));
  EXPECT_EQ(h.app().pendingCode, CharCode::Euc);  // stays for the next save
  h.app().pendingCode = CharCode::ShiftJis;

  h.app().router().dispatch(cmd::FileNew);
  h.app().router().dispatch(cmd::Reopen);  // never saved: cannot be reopened
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, QStringLiteral("このファイルは開き直すことは出来ません。"));
}

}  // namespace
}  // namespace wabunko
