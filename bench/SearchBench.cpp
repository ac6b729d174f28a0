// Find and replace on a 10 MB Shift-JIS document holding a word tens of thousands of
// times, through the editor's own commands on a real edit control (print-width wrap, as a
// new view has it, laid out in full first): replace all, count, find next from the top to
// the last match, and find upward from the end to the first. Beside them, in the same run,
// the same replace-all done by sed on the file's bytes and by QString::replace on the
// text, as the floor.
//
// Run: build/bench_search (offscreen unless a display is asked for).

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "JapaneseCorpus.h"
#include "WholeLayout.h"
#include "doc/TextBridge.h"
#include "platform/Dialogs.h"
#include "platform/MemoryStore.h"
#include "platform/RichTextEdit.h"
#include "platform/RichTextStream.h"
#include "search/CWabFindDlg.h"
#include "search/FindCommands.h"
#include "search/SearchCommands.h"

namespace wabunko::bench {
namespace {

constexpr std::size_t kMiB = 1u << 20;
constexpr int kPrintWidth = 698;  // A4 less two 720-twip margins at 96 dots per inch
const std::string kWord = TextBridge::toShiftJis(u"ソート");  // 83 5C 81 5B 83 67: a 0x5C trail byte
const std::u16string kWordText = u"ソート";
const std::u16string kReplacementText = u"並べ替え";

// The corpus with the word at the start of three lines in eight.
std::string documentBytes() {
  const std::string& corpus = japaneseShiftJisText(10 * kMiB);
  std::string out;
  out.reserve(corpus.size() + corpus.size() / 20);
  std::size_t line = 0;
  for (std::size_t at = 0; at < corpus.size();) {
    const std::size_t end = corpus.find("\r\n", at) + 2;
    if (line++ % 8 < 3) out += kWord;
    out.append(corpus, at, end - at);
    at = end;
  }
  return out;
}

double seconds(QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e9; }

struct Editor {
  RichTextEdit edit;
  MemoryStore store;
  FindCommands find{nullptr, store, [this]() -> EditControl* { return &edit; }, [](int) {}};

  explicit Editor(const std::string& bytes) {
    edit.resize(800, 600);
    edit.setWrap(EditControl::Wrap::PrintWidth, kPrintWidth);
    edit.streamIn([&bytes](QTextDocument& document) { RichTextStream::readPlainText(document, bytes); });
    edit.show();
    layOutEveryParagraph(*edit.document());
    QCoreApplication::processEvents();
    CWabFindDlg& dialog = find.findDialog();
    dialog.m_strFindText = QString::fromStdU16String(kWordText);
    dialog.m_strReplaceText = QString::fromStdU16String(kReplacementText);
  }
  double run(int command) {
    QElapsedTimer clock;
    clock.start();
    find.onCommand(command);
    return seconds(clock);
  }
};

struct Sweep {
  int steps = 0;
  double total = 0;
  double slowest = 0;
};

// One command again and again while the selection moves on.
Sweep sweep(Editor& editor, int command, int startAt) {
  Sweep s;
  editor.edit.setSel(startAt, startAt);
  int last = -1;
  for (;;) {
    const double t = editor.run(command);
    int start = 0;
    int end = 0;
    editor.edit.getSel(start, end);
    if (start == end || start == last) break;
    // Find next turns to the top after the last match: stop there.
    if (command == cmd::FindNext && last >= 0 && start < last) break;
    last = start;
    ++s.steps;
    s.total += t;
    s.slowest = std::max(s.slowest, t);
  }
  return s;
}

double sedFloor(const std::string& bytes) {
  QTemporaryDir dir;
  const QString in = dir.filePath(QStringLiteral("in.txt"));
  const QString script = dir.filePath(QStringLiteral("replace.sed"));
  std::ofstream(in.toStdString(), std::ios::binary) << bytes;
  // In the C locale sed sees bytes: trail bytes that are regular-expression characters
  // (ソ's backslash, ー's bracket) are escaped.
  const auto escaped = [](const std::string& bytes, std::string_view special) {
    std::string out;
    for (char c : bytes) {
      if (special.find(c) != std::string_view::npos) out += '\\';
      out += c;
    }
    return out;
  };
  std::ofstream(script.toStdString(), std::ios::binary)
      << "s/" << escaped(kWord, "\\[].*^$/") << '/' << escaped(TextBridge::toShiftJis(kReplacementText), "\\&/")
      << "/g\n";
  QProcess sed;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
  sed.setProcessEnvironment(env);
  sed.setStandardOutputFile(dir.filePath(QStringLiteral("out.txt")));
  QElapsedTimer clock;
  clock.start();
  sed.start(QStringLiteral("sed"), {QStringLiteral("-f"), script, in});
  sed.waitForFinished(-1);
  const double taken = seconds(clock);
  if (sed.exitCode() != 0) {
    std::fprintf(stderr, "sed failed: %s\n", sed.readAllStandardError().constData());
    return -1;
  }
  return taken;
}

}  // namespace
}  // namespace wabunko::bench

int main(int argc, char** argv) {
  using namespace wabunko;
  using namespace wabunko::bench;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  setMessageHook([](const MessageRequest&) { return QMessageBox::No; });

  const std::string bytes = documentBytes();
  const QString text = QString::fromStdU16String(TextBridge::toUnicode(bytes));
  const auto occurrences = text.count(QString::fromStdU16String(kWordText));
  std::printf("document: %.1f MB of Shift-JIS, %lld lines, the word %lld times\n\n", bytes.size() / 1e6,
              static_cast<long long>(text.count(QLatin1Char('\n'))), static_cast<long long>(occurrences));

  QElapsedTimer clock;
  clock.start();
  QString replaced = text;
  replaced.replace(QString::fromStdU16String(kWordText), QString::fromStdU16String(kReplacementText));
  const double qstringFloor = seconds(clock);
  const double sed = sedFloor(bytes);

  Editor editor(bytes);
  const double count = editor.run(cmd::CountMatches);
  const Sweep down = sweep(editor, cmd::FindNext, 0);
  const Sweep up = sweep(editor, cmd::FindUpward, editor.edit.textLength());
  editor.edit.setSel(0, 0);
  const double replaceAll = editor.run(cmd::ReplaceAll);
  const bool allGone = !editor.edit.document()->toPlainText().contains(QString::fromStdU16String(kWordText));

  std::printf("%-44s %10s\n", "operation", "seconds");
  std::printf("%-44s %10.3f\n", "replace all (the editor's command)", replaceAll);
  std::printf("%-44s %10.3f\n", "  floor: sed on the file's bytes", sed);
  std::printf("%-44s %10.3f\n", "  floor: QString::replace on the text", qstringFloor);
  std::printf("%-44s %10.3f\n", "count", count);
  std::printf("%-44s %10.3f  (%d steps, mean %.3f ms, slowest %.3f ms)\n", "find next, top to the last match",
              down.total, down.steps, 1e3 * down.total / std::max(down.steps, 1), 1e3 * down.slowest);
  std::printf("%-44s %10.3f  (%d steps, mean %.3f ms, slowest %.3f ms)\n", "find upward, end to the first match",
              up.total, up.steps, 1e3 * up.total / std::max(up.steps, 1), 1e3 * up.slowest);
  std::printf("\nreplace all left %s of the word\n", allGone ? "none" : "SOME");
  return allGone ? 0 : 1;
}
