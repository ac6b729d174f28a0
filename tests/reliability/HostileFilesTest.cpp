// Files that are no text: binaries open as Shift-JIS and save back as the character codes
// give them, a line of megabytes with nowhere to break lays out in time, and what cannot
// be read as a document at all (a pipe, a device, a file too large to hold) is refused
// before a byte of it is read.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "doc/LoadRefusal.h"
#include "doc/TextBridge.h"
#include "platform/RichTextEdit.h"
#include "PipeWriter.h"
#include "ReferenceLayout.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace wabunko {
namespace {

// A picture of noise: every byte value, in no order, much of it not Shift-JIS.
QByteArray noisePng() {
  QImage image(64, 64, QImage::Format_ARGB32);
  QRandomGenerator random(7);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, random.generate());
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

// Where two byte strings first differ, with the bytes around it, for a failure message.
std::string firstDifference(const QByteArray& a, const QByteArray& b) {
  qsizetype i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return "same";
  const qsizetype from = std::max<qsizetype>(0, i - 4);
  return "at " + std::to_string(i) + " of " + std::to_string(a.size()) + "/" + std::to_string(b.size()) + ": " +
         a.mid(from, 12).toHex(' ').toStdString() + " | " + b.mid(from, 12).toHex(' ').toStdString();
}

// A binary opened as Shift-JIS and saved unchanged keeps every byte, line ends, NULs and
// bytes that are no Shift-JIS included, except one thing the character codes themselves
// decide: a pair that is a second code of a character (the NEC-selected IBM rows 0xED and
// 0xEE, the NEC row 13 codes also in the IBM rows) comes back as its preferred code. So the
// file saved is what the code conversion alone gives back.
TEST(HostileFiles, BinaryFilesOpenAsShiftJisAndSaveBackAsTheConversionGivesThem) {
  AppHarness h;
  const std::pair<const char*, QByteArray> files[] = {
      {"true.bin", readBytes(QStringLiteral("/bin/true"))},
      {"noise.png", noisePng()},
  };
  for (const auto& [name, bytes] : files) {
    ASSERT_GT(bytes.size(), 1000) << name;
    const QString in = h.path(QString::fromLatin1(name));
    writeBytes(in, bytes);
    CWabunkoDoc* doc = h.open(in);
    ASSERT_NE(doc, nullptr) << name;
    const QString out = in + QStringLiteral(".saved");
    ASSERT_TRUE(doc->doSave(out, false)) << name;
    const std::string original = bytes.toStdString();
    const std::string converted = TextBridge::toShiftJis(TextBridge::toUnicode(original));
    EXPECT_EQ(firstDifference(readBytes(out), QByteArray::fromStdString(converted)), "same") << name;
  }
  EXPECT_TRUE(h.messages.empty());
}

// One line of a file may hold a megabyte with nowhere to break it at a word. Such runs
// break anywhere, as in Qt's own layout, and words among them still break at words.
TEST(HostileFiles, LongRunsWithoutWordEndsBreakWhereQtsLayoutBreaksThem) {
  QTextDocument text;
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(16);
  text.setDefaultFont(font);
  QString paragraph = QStringLiteral("a few words ");
  paragraph += QString(3000, u'a') + QStringLiteral(" then words, ") + QString(2000, u'b');
  paragraph += QString(1500, u' ') + QStringLiteral("after blanks ");  // blanks hang at a line's end
  for (int i = 0; i < 700; ++i) paragraph += QStringLiteral("c\u00a0");  // joined by no-break spaces
  paragraph += QStringLiteral("日本語の文。") + QString(1200, u'd') + QStringLiteral(" ") + QString(1100, u'e');
  QTextCursor(&text).insertText(paragraph + QStringLiteral("\nnext paragraph"));
  RichTextEdit control;
  control.setDocument(&text);
  control.widget()->resize(320, 260);
  control.widget()->show();
  // Narrow lines, and lines wide enough for a word of more than a thousand characters.
  for (const int printWidth : {0, 30000}) {
    control.setWrap(printWidth ? EditControl::Wrap::PrintWidth : EditControl::Wrap::WindowEdge, printWidth);
    QApplication::processEvents();
    const std::vector<int> reference = referenceLineStarts(text);
    ASSERT_GT(reference.size(), 3u) << printWidth;
    EXPECT_EQ(lineStartsOf(text), reference) << printWidth;
  }
}

class LoadRefusalTest : public ::testing::Test {
protected:
  QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
  QTemporaryDir dir_;
};

TEST_F(LoadRefusalTest, OnlyRegularFilesUpToTheLimitAreRead) {
  writeBytes(path("small.txt"), "text");
  QFile limit(path("limit.txt"));  // sparse: no room taken on the disk
  ASSERT_TRUE(limit.open(QIODevice::WriteOnly) && limit.resize(kMaxLoadBytes));
  QFile over(path("over.txt"));
  ASSERT_TRUE(over.open(QIODevice::WriteOnly) && over.resize(kMaxLoadBytes + 1));
  ASSERT_EQ(mkfifo(path("pipe").toLocal8Bit().constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(path("pipe"), path("to-pipe")));
  ASSERT_TRUE(QFile::link(path("small.txt"), path("to-small")));

  const QString notAFile = QStringLiteral("通常のファイルではありません。パイプやデバイスは開けません。");
  const std::pair<QString, QString> cases[] = {
      {path("small.txt"), {}},
      {path("to-small"), {}},
      {path("limit.txt"), {}},
      {path("missing.txt"), {}},  // reading it says so
      {path("over.txt"), QStringLiteral("ファイルが大きすぎます (257 MB)。開けるのは 256 MB までです。")},
      {path("pipe"), notAFile},
      {path("to-pipe"), notAFile},
      {QStringLiteral("/dev/zero"), notAFile},
      {dir_.path(), QStringLiteral("フォルダです。")},
  };
  for (const auto& [file, reason] : cases) {
    const std::optional<QString> refusal = loadRefusal(file);
    if (reason.isEmpty()) {
      EXPECT_EQ(refusal, std::nullopt) << file.toStdString();
    } else {
      EXPECT_EQ(refusal, QStringLiteral("ファイル %1 を開けません。\n%2").arg(file, reason)) << file.toStdString();
    }
  }
}

// Opening a pipe must not wait for a writer.
TEST(HostileFiles, APipeIsRefusedWithoutWaitingForAWriter) {
  AppHarness h;
  const QString pipe = h.path(QStringLiteral("pipe.txt"));
  ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
  CWabunkoDoc* doc = nullptr;
  {
    const PipeWriter writer(pipe.toStdString());
    doc = h.open(pipe);
  }
  EXPECT_EQ(doc, nullptr);
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_TRUE(h.messages[0].text.contains(QStringLiteral("通常のファイルではありません"))) << h.messages[0].text.toStdString();
}

}  // namespace
}  // namespace wabunko
