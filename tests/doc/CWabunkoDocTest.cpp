// Loading and saving documents through the real application, views and files.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "platform/RichTextStream.h"
#include "view/CWabunkoView.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace wabunko {
namespace {

void makeReadOnly(const QString& path) {
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

QString text(CWabunkoDoc* doc) { return RichTextStream::plainText(*doc->display()->edit().textDocument()); }

void type(CWabunkoDoc* doc, const QString& s) {
  doc->display()->edit().setSel(-1, -1);
  doc->display()->edit().replaceSel(s, true);
}

TEST(CWabunkoDoc, OpenAndSaveUnchangedKeepsEveryByte) {
  const QByteArray cases[] = {
      "line one\r\nline two\r\n",
      "unix\nlines\nno final end",
      "old mac\rlines\r",
      "mixed\r\nends\nand\rmore\r\n\r\n",
      QByteArray("nul\0inside\r\n", 12),
      "\x82\xa0\x82\xa2 kana \xb1\xb2\xb3 \x88\x9f\r\n",     // hiragana, half-width, kanji
      "bad lead \x85\x40 lone \x81 trail \xfd\xfe\xff end\x82",  // not valid Shift-JIS
      "",
  };
  AppHarness h;
  int n = 0;
  for (const QByteArray& bytes : cases) {
    const QString in = h.path(QStringLiteral("in%1.txt").arg(n));
    const QString out = h.path(QStringLiteral("out%1.txt").arg(n++));
    writeBytes(in, bytes);
    CWabunkoDoc* doc = h.open(in);
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->doSave(out, false));
    EXPECT_EQ(readBytes(out), bytes) << n;
  }
}

TEST(CWabunkoDoc, NewLinesTakeTheMostCommonLineEnd) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("lf.txt"));
  writeBytes(path, "a\nb\r\nc\nd");
  CWabunkoDoc* doc = h.open(path);
  type(doc, QStringLiteral("\ne"));
  ASSERT_TRUE(doc->doSave(path, true));
  EXPECT_EQ(readBytes(path), QByteArray("a\nb\r\nc\nd\ne"));
}

TEST(CWabunkoDoc, DecodesOnLoadAndSavesInTheCodeItWasReadIn) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("jis.txt"));
  const QByteArray jis("\x1b$B0!\x1b(BA\r\n");  // 亜A
  writeBytes(path, jis);
  CWabunkoDoc* doc = h.open(path, CharCode::Jis);
  EXPECT_EQ(text(doc), QStringLiteral("亜A\n"));
  EXPECT_EQ(doc->charCode(), CharCode::Jis);

  type(doc, QStringLiteral("B"));
  doc->onFileSave();
  EXPECT_EQ(readBytes(path), QByteArray("\x1b$B0!\x1b(BA\r\nB"));

  ASSERT_TRUE(doc->saveCopy(h.path(QStringLiteral("euc.txt")), CharCode::Euc));
  EXPECT_EQ(readBytes(h.path(QStringLiteral("euc.txt"))), QByteArray("\xb0\xa1" "A\r\nB"));
  EXPECT_EQ(doc->charCode(), CharCode::Jis);  // a copy leaves the document as it was
}

TEST(CWabunkoDoc, InternetFormIsDecodedOnly) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("form.txt"));
  writeBytes(path, "a%3D1&b=%82%A0");
  CWabunkoDoc* doc = h.open(path, CharCode::InternetForm);
  EXPECT_EQ(text(doc), QStringLiteral("a=1\nb=あ"));
}

TEST(CWabunkoDoc, CharactersTheCodeCannotHoldAreCountedAndTheSaveCanBeCancelled) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("emoji.txt"));
  writeBytes(path, "keep");
  CWabunkoDoc* doc = h.open(path);
  type(doc, QStringLiteral("한글😀"));
  h.answers.push_back(QMessageBox::Cancel);
  EXPECT_FALSE(doc->doSave(path, true));
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_TRUE(h.messages[0].text.contains(QLatin1String(" 3 ")));
  EXPECT_EQ(readBytes(path), QByteArray("keep"));
  EXPECT_TRUE(doc->isModified());

  ASSERT_TRUE(doc->doSave(path, true));  // answered Save
  EXPECT_EQ(readBytes(path), QByteArray("keep???"));
}

TEST(CWabunkoDoc, BackupIsWrittenOnOpeningInTheCodeOfTheLoad) {
  AppHarness h;
  writeSetting(h.store(), settings::FileDoBackUp, 1);
  const QByteArray jis("\x1b$B0!\x1b(B\r\n");
  writeBytes(h.path(QStringLiteral("memo.txt")), jis);
  writeBytes(h.path(QStringLiteral("a.b.txt")), "ab");
  writeBytes(h.path(QStringLiteral("x.bak")), "x");

  CWabunkoDoc* memo = h.open(h.path(QStringLiteral("memo.txt")), CharCode::Jis);
  EXPECT_EQ(readBytes(h.path(QStringLiteral("memo.bak"))), jis);
  EXPECT_FALSE(memo->isModified());
  EXPECT_TRUE(memo->pathName().endsWith(QLatin1String("memo.txt")));

  h.open(h.path(QStringLiteral("a.b.txt")));
  EXPECT_EQ(readBytes(h.path(QStringLiteral("a.bak"))), QByteArray("ab"));

  QFile::remove(h.path(QStringLiteral("x.bak")));
  writeBytes(h.path(QStringLiteral("x.bak")), "x");
  const auto before = QFileInfo(h.path(QStringLiteral("x.bak"))).lastModified();
  h.open(h.path(QStringLiteral("x.bak")));
  EXPECT_EQ(QFileInfo(h.path(QStringLiteral("x.bak"))).lastModified(), before);
  EXPECT_TRUE(h.messages.empty());

  // An empty folder, as the settings sheet stores it, is the file's own.
  writeSetting(h.store(), settings::FileBackUpDirectory, QString());
  writeBytes(h.path(QStringLiteral("e.txt")), "e");
  h.open(h.path(QStringLiteral("e.txt")));
  EXPECT_EQ(readBytes(h.path(QStringLiteral("e.bak"))), QByteArray("e"));

  // A configured folder, with or without its final separator.
  QDir(h.path({})).mkdir(QStringLiteral("backups"));
  writeSetting(h.store(), settings::FileBackUpDirectory, h.path(QStringLiteral("backups")));
  writeBytes(h.path(QStringLiteral("n.txt")), "n");
  h.open(h.path(QStringLiteral("n.txt")));
  EXPECT_EQ(readBytes(h.path(QStringLiteral("backups/n.bak"))), QByteArray("n"));
}

TEST(CWabunkoDoc, FailedBackupIsReportedAndTheFileOpensAnyway) {
  AppHarness h;
  writeSetting(h.store(), settings::FileDoBackUp, 1);
  writeSetting(h.store(), settings::FileBackUpDirectory, h.path(QStringLiteral("missing/")));
  writeBytes(h.path(QStringLiteral("f.txt")), "text");
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("f.txt")));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(text(doc), QStringLiteral("text"));
  EXPECT_TRUE(doc->pathName().endsWith(QLatin1String("f.txt")));
}

TEST(CWabunkoDoc, WriteProtectedFileOpensReadOnlyAndSaveAsksForANewName) {
  for (const int fileReadOnly : {1, 0}) {
    AppHarness h;
    writeSetting(h.store(), settings::FileReadOnly, fileReadOnly);
    const QString path = h.path(QStringLiteral("ro.txt"));
    writeBytes(path, "protected");
    makeReadOnly(path);
    CWabunkoDoc* doc = h.open(path);
    EXPECT_EQ(doc->display()->edit().isReadOnly(), fileReadOnly == 1);

    doc->setModifiedFlag(true);
    doc->onFileSave();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, QStringLiteral("ro.txt\n    ファイル名を変更してください"));
    EXPECT_EQ(h.messages[0].caption, QStringLiteral("ファイルの保存"));
    EXPECT_EQ(h.fileDialogs.size(), 1u);  // Save As, cancelled
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(readBytes(path), QByteArray("protected"));
  }
}

TEST(CWabunkoDoc, OpenDialogsReadOnlyChoiceOpensReadOnly) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("w.txt")), "w");
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("w.txt")), CharCode::ShiftJis, FileKind::Auto, true);
  EXPECT_EQ(doc->m_bReadOnly, 1);
  EXPECT_TRUE(doc->display()->edit().isReadOnly());
}

TEST(CWabunkoDoc, SaveOfANeverSavedDocumentGoesThroughSaveAs) {
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  EXPECT_EQ(doc->title(), QStringLiteral("Wabun1"));

  doc->onFileSave();  // not modified: nothing at all
  EXPECT_TRUE(h.messages.empty());
  EXPECT_TRUE(h.fileDialogs.empty());

  type(doc, QStringLiteral("new text"));
  doc->onFileSave();  // dialog cancelled
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages[0].text, QStringLiteral("Wabun1\n    ファイル名を変更してください"));
  EXPECT_TRUE(doc->isModified());

  h.fileChoices.push_back({true, {h.path(QStringLiteral("saved.txt"))}, TextFilter});
  doc->onFileSave();
  EXPECT_FALSE(doc->isModified());
  EXPECT_EQ(doc->title(), QStringLiteral("saved.txt"));
  EXPECT_EQ(readBytes(h.path(QStringLiteral("saved.txt"))), QByteArray("new text"));
  EXPECT_EQ(readString(h.store(), settings::FileSaveDir), QFileInfo(h.path(QStringLiteral("saved.txt"))).absolutePath() + QLatin1Char('/'));  // the folder keeps its final separator
}

TEST(CWabunkoDoc, SaveAsFilterDecidesTheKind) {
  struct Case {
    const char* name;
    int filter;
    bool rtf;
  };
  const Case cases[] = {{"x.rtf", AllFilesFilter, true}, {"x.txt", AllFilesFilter, false},
                        {"x", AllFilesFilter, false},       {"y.rtf", TextFilter, false},
                        {"y.txt", RichTextFilter, true},    {"sig.wbk", RichTextFilter, false}};
  AppHarness h;
  CWabunkoDoc* doc = h.documents().front();
  type(doc, QStringLiteral("t"));
  for (const Case& c : cases) {
    const int offered = doc->m_bRTF ? RichTextFilter : TextFilter;  // the document's kind first
    h.fileChoices.push_back({true, {h.path(QString::fromLatin1(c.name))}, c.filter});
    ASSERT_TRUE(doc->saveAs()) << c.name;
    EXPECT_EQ(h.fileDialogs.back().filter, offered) << c.name;
    EXPECT_EQ(doc->m_bRTF, c.rtf) << c.name;
  }
}

TEST(CWabunkoDoc, FailedSavesLeaveTheFileAndTheModifiedStateAlone) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("keep.txt"));
  writeBytes(path, "original");
  CWabunkoDoc* doc = h.open(path);
  type(doc, QStringLiteral("a line of text\n").repeated(5000));

  // A folder that is gone.
  EXPECT_FALSE(doc->doSave(h.path(QStringLiteral("gone/keep.txt")), true));
  // A write-protected file.
  const QString protectedPath = h.path(QStringLiteral("protected.txt"));
  writeBytes(protectedPath, "protected");
  makeReadOnly(protectedPath);
  EXPECT_FALSE(doc->doSave(protectedPath, true));
  EXPECT_EQ(readBytes(protectedPath), QByteArray("protected"));
  // A full disk: the file size limit stops the write half way.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool saved = doc->doSave(path, true);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(saved);

  EXPECT_EQ(h.messages.size(), 3u);
  EXPECT_EQ(readBytes(path), QByteArray("original"));
  EXPECT_TRUE(doc->isModified());
  EXPECT_TRUE(doc->pathName().endsWith(QLatin1String("keep.txt")));
  EXPECT_EQ(QDir(h.path({})).entryList(QDir::Files).size(), 2);  // no temporary left behind
}

TEST(CWabunkoDoc, SaveKeepsTheFilesPermissions) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("perm.txt"));
  writeBytes(path, "p");
  const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
  QFile::setPermissions(path, perms);
  CWabunkoDoc* doc = h.open(path);
  type(doc, QStringLiteral("q"));
  ASSERT_TRUE(doc->doSave(path, true));
  const auto modeBits = 0x7077;  // owner, group and other; not the computed user bits
  EXPECT_EQ(QFile::permissions(path) & modeBits, perms & modeBits);
}

TEST(CWabunkoDoc, UnreadableFileIsReportedAndNoDocumentIsMade) {
  AppHarness h;
  const auto before = h.documents().size();
  EXPECT_EQ(h.open(h.path(QStringLiteral("nothing-here.txt"))), nullptr);
  EXPECT_EQ(h.open(h.path({})), nullptr);  // a folder
  EXPECT_EQ(h.messages.size(), 2u);
  EXPECT_EQ(h.documents().size(), before);
}

TEST(CWabunkoDoc, RichTextIsRecognisedByItsHeaderOrForced) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("a.txt")), "{\\rtf1 hi}");
  writeBytes(h.path(QStringLiteral("b.rtf")), "plain");
  writeBytes(h.path(QStringLiteral("c.txt")), "plain");
  writeBytes(h.path(QStringLiteral("d.txt")), "{\\rtf1 hi}");
  EXPECT_TRUE(h.open(h.path(QStringLiteral("a.txt")))->m_bRTF);
  EXPECT_FALSE(h.open(h.path(QStringLiteral("b.rtf")))->m_bRTF);
  EXPECT_TRUE(h.open(h.path(QStringLiteral("c.txt")), CharCode::ShiftJis, FileKind::RichText)->m_bRTF);
  EXPECT_FALSE(h.open(h.path(QStringLiteral("d.txt")), CharCode::ShiftJis, FileKind::Text)->m_bRTF);
}

TEST(CWabunkoDoc, RichTextOpensFormattedAndSavesAsRichText) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("styled.rtf"));
  writeBytes(path,
             "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 Serif;}}"
             "{\\colortbl;\\red255\\green0\\blue0;}\\pard\\qc\\f0\\b \\'91\\'be\\b0\\cf1 red\\par}");
  CWabunkoDoc* doc = h.open(path);
  ASSERT_TRUE(doc->m_bRTF);
  QTextDocument& content = *doc->display()->edit().textDocument();
  EXPECT_EQ(content.begin().text(), QStringLiteral("太red"));
  EXPECT_EQ(content.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  QTextCursor c(&content);
  c.setPosition(1);
  EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
  c.setPosition(3);
  EXPECT_EQ(c.charFormat().foreground().color(), QColor(Qt::red));

  // Saved again as rich text; the reader sees the same text and formats.
  type(doc, QStringLiteral("!"));
  ASSERT_TRUE(doc->doSave(path, true));
  const QByteArray saved = readBytes(path);
  EXPECT_TRUE(saved.startsWith("{\\rtf1\\ansi\\ansicpg932"));
  CWabunkoDoc* again = h.open(h.path(QStringLiteral("copy.rtf")));
  EXPECT_EQ(again, nullptr);  // no such file: nothing opened
  writeBytes(h.path(QStringLiteral("copy.rtf")), saved);
  again = h.open(h.path(QStringLiteral("copy.rtf")));
  QTextCursor d(again->display()->edit().textDocument());
  d.setPosition(1);
  EXPECT_EQ(d.charFormat().fontWeight(), QFont::Bold);
  EXPECT_EQ(text(again), QStringLiteral("太red!"));
}

TEST(CWabunkoDoc, RichTextInJisKeepsItsFormatsThroughLoadAndSave) {
  AppHarness h;
  const QString path = h.path(QStringLiteral("jis.rtf"));
  writeBytes(path, "{\\rtf1\\ansi \\b \\'1b$B0!\\'1b(B\\b0 A\\par}");
  CWabunkoDoc* doc = h.open(path, CharCode::Jis);
  EXPECT_EQ(text(doc), QStringLiteral("亜A"));

  ASSERT_TRUE(doc->saveCopy(h.path(QStringLiteral("out.rtf")), CharCode::Jis));
  CWabunkoDoc* back = h.open(h.path(QStringLiteral("out.rtf")), CharCode::Jis);
  EXPECT_EQ(text(back), QStringLiteral("亜A"));
  QTextCursor c(back->display()->edit().textDocument());
  c.setPosition(1);
  EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
  c.setPosition(2);
  EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold);
}

TEST(CWabunkoDoc, RichTextInAnotherCodeKeepsTheCharactersWrittenAsThemselves) {
  // However many there are, and the code's bytes on either side still decode as one text.
  const std::string kEmoji = "\\u-10179?\\u-8704?";  // U+1F600 as its surrogates
  std::string many;
  QString manyText;
  for (int i = 0; i < 2000; ++i) {
    many += "\\u" + std::to_string(0x3400 + i) + "?";
    manyText += QChar(0x3400 + i);
  }
  struct Case {
    CharCode code;
    std::string text;
    QString expected;
  };
  const Case cases[] = {
      {CharCode::Jis, "\\'1b$B0!" + kEmoji + "0!\\'1b(B" + many + "A", "亜😀亜" + manyText + "A"},
      // 0xEB leads no code page 932 pair, but it is a kanji's first byte in EUC-JP.
      {CharCode::Euc, "\\'eb\\'a1" + kEmoji + "\\'b0\\'a1" + many, "襦😀亜" + manyText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    AppHarness h;
    const QString path = h.path(QStringLiteral("coded.rtf"));
    writeBytes(path, QByteArray::fromStdString("{\\rtf1\\ansi\\ansicpg932 " + c.text + "\\par}"));
    EXPECT_EQ(text(h.open(path, c.code)), c.expected);
  }
}

TEST(CWabunkoDoc, DamagedRichTextIsReportedAndShown) {
  AppHarness h;
  writeBytes(h.path(QStringLiteral("cut.rtf")), "{\\rtf1 cut sho");
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("cut.rtf")));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(text(doc), QStringLiteral("cut sho"));
}

}  // namespace
}  // namespace wabunko
