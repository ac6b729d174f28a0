// Find in files through the real command, dialog and result window offscreen, on a small
// tree: the rows the walk gives, top to bottom; an open document searched as it stands;
// narrowing; sorting; opening a row at its paragraph; stopping.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "doc/CharCodes.h"
#include "doc/DocumentDisplay.h"
#include "doc/TextBridge.h"
#include "frame/CMainFrame.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/RichTextStream.h"
#include "platform/Utf16.h"
#include "search/CFindInFilesDlg.h"
#include "search/CFindResultDlg.h"
#include "search/FindCommands.h"
#include "search/FindInFilesCommands.h"
#include "search/SearchCommands.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QThread>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

QByteArray sjis(const QString& text) { return QByteArray::fromStdString(TextBridge::toShiftJis(utf16(text))); }

// root: a.txt, b.rtf, c.log, jis.txt (in JIS, read as Shift-JIS), sub/d.txt, .hidden/e.txt
class FindInFilesTest : public ::testing::Test {
protected:
  void SetUp() override {
    root_ = h_.path(QStringLiteral("tree"));
    QDir().mkpath(root_ + QStringLiteral("/sub"));
    QDir().mkpath(root_ + QStringLiteral("/.hidden"));
    writeBytes(root_ + QStringLiteral("/a.txt"), sjis(QStringLiteral("一行目の検索語\r\n二行目\r\n検索語と検索語\r\n")));
    const QByteArray word = QByteArray::fromStdString(TextBridge::toShiftJis(u"検索語"));
    QByteArray escaped;
    for (unsigned char c : word) escaped += "\\'" + QByteArray::number(c, 16);
    writeBytes(root_ + QStringLiteral("/b.rtf"), "{\\rtf1\\ansi\\ansicpg932 first\\par second " + escaped + "\\par}");
    writeBytes(root_ + QStringLiteral("/c.log"), sjis(QStringLiteral("検索語")));
    writeBytes(root_ + QStringLiteral("/jis.txt"),
               QByteArray::fromStdString(EncodeFromShiftJis(CharCode::Jis, sjis(QStringLiteral("検索語")).toStdString())));
    writeBytes(root_ + QStringLiteral("/sub/d.txt"), sjis(QStringLiteral("検索語")));
    writeBytes(root_ + QStringLiteral("/.hidden/e.txt"), sjis(QStringLiteral("検索語")));
  }
  void TearDown() override { setFindInFilesDialogHook({}); }

  FindInFilesCommands& commands() { return h_.app().mainFrame()->findInFiles(); }
  CFindResultDlg* results() { return commands().resultWindow(); }

  // The conditions dialog answered with `text` over the tree.
  void answer(const QString& text, bool narrow = false) {
    setFindInFilesDialogHook([this, text, narrow](CFindInFilesDlg& dialog) {
      dialog.findChild<QComboBox*>(QStringLiteral("findList"))->setEditText(text);
      if (!narrow) dialog.findChild<QLineEdit*>(QStringLiteral("folderEdit"))->setText(root_);
      dialog.findChild<QPushButton*>(QStringLiteral("startButton"))->click();
      return dialog.result() == QDialog::Accepted;
    });
  }
  void waitForTheSearch() {
    QElapsedTimer clock;
    clock.start();
    while (commands().searching() && clock.elapsed() < 10000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(5);
    }
    QCoreApplication::processEvents();
  }
  void search(const QString& text) {
    answer(text);
    h_.app().router().dispatch(cmd::FindInFiles);
    waitForTheSearch();
  }
  // The rows top to bottom, as "file folder-under-root line excerpt".
  QStringList rows() {
    QStringList shown;
    const QAbstractItemModel* model = results()->list()->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      QString folder = model->index(r, 1).data().toString();
      folder.remove(0, root_.size());
      shown << QStringLiteral("%1 %2 %3 %4")
                   .arg(model->index(r, 0).data().toString(), folder, model->index(r, 2).data().toString(),
                        model->index(r, 3).data().toString());
    }
    return shown;
  }

  AppHarness h_;
  QString root_;
};

TEST_F(FindInFilesTest, TheWalkGivesItsRowsNewestFirst) {
  search(QStringLiteral("検索語"));
  ASSERT_NE(results(), nullptr);
  // Per folder rtf before txt; the log, the hidden folder and the JIS bytes give nothing.
  EXPECT_EQ(rows(), (QStringList{"d.txt /sub/ 1 検索語", "a.txt / 3 検索語と検索語", "a.txt / 3 検索語と検索語",
                                 "a.txt / 1 一行目の検索語", "b.rtf / 2 second 検索語"}));
  // Find next in an editor window looks for it now.
  EXPECT_EQ(h_.app().mainFrame()->find().state().findText, QStringLiteral("検索語"));
  EXPECT_TRUE(h_.app().router().update(cmd::FindInFiles).enabled());
  EXPECT_EQ(results()->findChild<QLabel*>(QStringLiteral("status"))->text(),
            QStringLiteral("検索が終わりました。ファイル 4 個、一致 5 個"));
}

TEST_F(FindInFilesTest, AnOpenDocumentIsSearchedAsItStandsAndStaysOpen) {
  CWabunkoDoc* open = h_.open(root_ + QStringLiteral("/a.txt"));
  ASSERT_NE(open, nullptr);
  EditControl& edit = open->display()->edit();
  edit.setSel(0, -1);
  edit.replaceSel(QStringLiteral("なし\n\n\n\n検索語"), true);
  search(QStringLiteral("検索語"));
  EXPECT_EQ(rows(), (QStringList{"d.txt /sub/ 1 検索語", "a.txt / 5 検索語", "b.rtf / 2 second 検索語"}));
  EXPECT_EQ(RichTextStream::plainText(*edit.textDocument()), QStringLiteral("なし\n\n\n\n検索語"));
  EXPECT_TRUE(open->isModified());
  EXPECT_EQ(h_.documents(), std::vector<CWabunkoDoc*>{open});
}

TEST_F(FindInFilesTest, ASearchStopsAtAHundredThousandRows) {
  writeBytes(root_ + QStringLiteral("/many.txt"), QByteArray("x\n").repeated(100005));
  search(QStringLiteral("x"));
  EXPECT_EQ(results()->list()->model()->rowCount(), 100000);
  EXPECT_TRUE(results()->findChild<QLabel*>(QStringLiteral("status"))->text().startsWith(
      QStringLiteral("一致が多すぎるため")));
}

TEST_F(FindInFilesTest, NarrowingSearchesTheListedFilesOnly) {
  search(QStringLiteral("検索語"));
  answer(QStringLiteral("行目"), true);
  results()->findChild<QPushButton*>(QStringLiteral("narrowButton"))->click();
  QCoreApplication::processEvents();  // the click's work comes after it
  waitForTheSearch();
  EXPECT_EQ(rows(), (QStringList{"a.txt / 2 二行目", "a.txt / 1 一行目の検索語"}));
}

TEST_F(FindInFilesTest, AHeaderClickSortsByFileNameDescending) {
  search(QStringLiteral("検索語"));
  results()->list()->horizontalHeader()->sectionClicked(2);
  QStringList files;
  for (const QString& row : rows()) files << row.section(QLatin1Char(' '), 0, 0);
  EXPECT_EQ(files, (QStringList{"d.txt", "b.rtf", "a.txt", "a.txt", "a.txt"}));
}

TEST_F(FindInFilesTest, OpeningARowPutsTheCaretAtItsParagraph) {
  search(QStringLiteral("検索語"));
  QTableView* list = results()->list();
  list->selectRow(1);  // a.txt, paragraph 3
  Q_EMIT list->doubleClicked(list->model()->index(1, 0));
  CWabunkoDoc* opened = h_.documents().back();
  EXPECT_EQ(QFileInfo(opened->pathName()).fileName(), QStringLiteral("a.txt"));
  int start = 0, end = 0;
  opened->display()->edit().getSel(start, end);
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(12, 12));  // "一行目の検索語\n二行目\n"
}

}  // namespace
}  // namespace wabunko
