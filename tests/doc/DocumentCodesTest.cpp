// Each document is written in its own code: the one it was read in (Open, Reopen) or last
// written in (Save As), whatever another document or a dialog chose meanwhile.
#include "TestFiles.h"

#include "app/AppCommands.h"
#include "app/CWabunkoApp.h"
#include "doc/CReopenDlg.h"
#include "doc/CWabFileDlg.h"
#include "doc/CWabunkoDoc.h"
#include "frame/AutoSave.h"
#include "frame/CMainFrame.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"
#include "view/ViewCommands.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <utility>

namespace wabunko {
namespace {

void append(CWabunkoDoc* doc, const QString& s) {
  doc->display()->edit().setSel(-1, -1);
  doc->display()->edit().replaceSel(s, true);
}

// 亜 followed by what was typed, in each code.
const QByteArray kShiftJis("\x88\x9f");
const QByteArray kJis("\x1b$B0!\x1b(B");
const QByteArray kEuc("\xb0\xa1");

TEST(DocumentCodes, SaveAndSaveAllWriteTheCodeEachDocumentWasReadIn) {
  AppHarness h;
  struct File {
    const char* name;
    QByteArray bytes;
    CharCode code;
  };
  const File files[] = {{"jis.txt", kJis, CharCode::Jis},
                        {"euc.txt", kEuc, CharCode::Euc},
                        {"sjis.txt", kShiftJis, CharCode::ShiftJis}};
  std::vector<CWabunkoDoc*> docs;
  for (const File& f : files) {
    writeBytes(h.path(QString::fromLatin1(f.name)), f.bytes);
    // Through the Open dialog, as a user picks the code.
    h.fileChoices.push_back({true, {h.path(QString::fromLatin1(f.name))}, AllFilesFilter, FileKind::Auto, f.code});
    h.app().router().dispatch(cmd::FileOpen);
    docs.push_back(h.documents().back());
    ASSERT_EQ(docs.back()->pathName(), h.path(QString::fromLatin1(f.name)));
  }
  EXPECT_EQ(h.app().pendingCode, CharCode::ShiftJis);

  append(docs[0], QStringLiteral("1"));
  docs[0]->onFileSave();
  EXPECT_EQ(readBytes(h.path(QStringLiteral("jis.txt"))), kJis + "1");

  // A reopen in another code changes what that document writes, and only that one.
  QString reopened = h.path(QStringLiteral("sjis.txt"));
  writeBytes(reopened, kEuc);
  setReopenDialogHook([](CharCode) { return std::optional<CharCode>(CharCode::Euc); });
  viewOf(docs[2])->onCommand(cmd::Reopen);
  setReopenDialogHook({});
  EXPECT_EQ(docs[2]->charCode(), CharCode::Euc);

  for (CWabunkoDoc* doc : docs) append(doc, QStringLiteral("2"));
  h.app().router().dispatch(cmd::FileSaveAll);
  EXPECT_EQ(readBytes(h.path(QStringLiteral("jis.txt"))), kJis + "12");
  EXPECT_EQ(readBytes(h.path(QStringLiteral("euc.txt"))), kEuc + "2");
  EXPECT_EQ(readBytes(reopened), kEuc + "2");
  EXPECT_TRUE(h.messages.empty());
}

TEST(DocumentCodes, SaveAsChangesTheDocumentsCodeAndSaveKeepsIt) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("a.txt")), kShiftJis);
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("a.txt")));
  h.fileChoices.push_back({true, {h.path(QStringLiteral("b.txt"))}, TextFilter, FileKind::Auto, CharCode::Euc});
  doc->onFileSaveAs();
  EXPECT_EQ(readBytes(h.path(QStringLiteral("b.txt"))), kEuc);
  EXPECT_EQ(doc->charCode(), CharCode::Euc);
  append(doc, QStringLiteral("x"));
  doc->onFileSave();
  EXPECT_EQ(readBytes(h.path(QStringLiteral("b.txt"))), kEuc + "x");
  EXPECT_EQ(readBytes(h.path(QStringLiteral("a.txt"))), kShiftJis);
}

TEST(DocumentCodes, SavesThatRunWhileASaveAsAsksWriteTheirOwnCodes) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("jis.txt")), kJis);
  writeBytes(h.path(QStringLiteral("sjis.txt")), kShiftJis);
  CWabunkoDoc* jis = h.open(h.path(QStringLiteral("jis.txt")), CharCode::Jis);
  CWabunkoDoc* sjis = h.open(h.path(QStringLiteral("sjis.txt")));
  append(jis, QStringLiteral("j"));
  append(sjis, QStringLiteral("s"));
  // 😀 has no code here: saving it asks first. While that question is open, the
  // auto-save timer fires, and Save All runs (as a hot key or a hand-over could make it).
  h.app().router().dispatch(cmd::FileNew);
  CWabunkoDoc* third = h.documents().back();
  append(third, QStringLiteral("😀"));
  bool asked = false;
  setMessageHook([&](const MessageRequest& request) {
    // Only the Save As question; Save All asks its own about the untitled document.
    if (std::exchange(asked, true)) return QMessageBox::Ok;
    h.app().mainFrame()->autoSave().saveNow();
    EXPECT_EQ(readBytes(h.path(QStringLiteral("jis.txt"))), kJis) << "auto-save ran inside the save";
    h.app().router().dispatch(cmd::FileSaveAll);
    return request.buttons.testFlag(QMessageBox::Save) ? QMessageBox::Save : QMessageBox::Ok;
  });
  h.fileChoices.push_back({true, {h.path(QStringLiteral("third.txt"))}, TextFilter, FileKind::Auto, CharCode::Euc});
  third->onFileSaveAs();
  ASSERT_TRUE(asked);
  EXPECT_EQ(readBytes(h.path(QStringLiteral("jis.txt"))), kJis + "j");
  EXPECT_EQ(readBytes(h.path(QStringLiteral("sjis.txt"))), kShiftJis + "s");
  EXPECT_EQ(third->charCode(), CharCode::Euc);
}

TEST(DocumentCodes, AnInternetFormDocumentIsSavedAsShiftJisAndTheUserToldOnce) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("form.txt"));
  writeBytes(path, "a=%88%9F");
  CWabunkoDoc* doc = h.open(path, CharCode::InternetForm);
  append(doc, QStringLiteral("1"));
  doc->onFileSave();
  EXPECT_EQ(readBytes(path), QByteArray("a=") + kShiftJis + "1");
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_TRUE(h.messages[0].text.contains(QStringLiteral("Shift-JIS"))) << h.messages[0].text.toStdString();
  append(doc, QStringLiteral("2"));
  doc->onFileSave();
  EXPECT_EQ(readBytes(path), QByteArray("a=") + kShiftJis + "12");
  EXPECT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(doc->charCode(), CharCode::ShiftJis);
}

}  // namespace
}  // namespace wabunko
