// The edit controls on large Shift-JIS files: opening to the first paint (wrap off and at
// the print width, beside a bare QTextEdit), questions about lines on a 10 MB document, and
// the changes a user makes in it (a keystroke, a Return, a paste of 1 MB; in the middle and
// at the end; in rows and in columns) and a keystroke in a single 200,000-character line,
// each to the repainted view, beside the same in a bare QTextEdit.
//
// Each open runs in a fresh process (this program started again with --open), so its
// time and resident memory are those of a program that has just opened the file.

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <unistd.h>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "JapaneseCorpus.h"
#include "doc/DocumentStream.h"
#include "doc/TextBridge.h"
#include "platform/RichTextEdit.h"
#include "platform/RichTextStream.h"
#include "platform/VerticalTextEdit.h"
#include "WholeLayout.h"

namespace wabunko::bench {
namespace {

constexpr std::size_t kMiB = 1u << 20;
// A4 less two 720-twip margins at 96 dots per inch.
constexpr int kPrintWidth = 698;

double residentMiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return 0;
}

QString qstring(const std::u16string& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

// Notes the end of the first paint of the viewport.
template <class Edit>
class Probe : public Edit {
public:
  bool painted = false;

protected:
  void paintEvent(QPaintEvent* event) override {
    Edit::paintEvent(event);
    painted = true;
  }
};

enum class Widget { Control, ControlFilledDirectly, BareQTextEdit };

void showAndWaitForPaint(QTextEdit& edit, const bool& painted) {
  edit.show();
  while (!painted) QCoreApplication::processEvents();
}

bool lastParagraphLaidOut(const QTextDocument& document) {
  return document.lastBlock().previous().layout()->lineCount() > 0;
}

// The child's work: open, and report the figures on one line of standard output.
int openInThisProcess(std::size_t megabytes, bool wrap, Widget widget) {
  const std::string& bytes = japaneseShiftJisText(megabytes * kMiB);
  const double baseMiB = residentMiB();
  QElapsedTimer clock;
  if (widget == Widget::BareQTextEdit) {
    Probe<QTextEdit> edit;
    edit.resize(800, 600);
    if (wrap) {
      edit.setLineWrapMode(QTextEdit::FixedPixelWidth);
      edit.setLineWrapColumnOrWidth(kPrintWidth + 8);
    } else {
      edit.setLineWrapMode(QTextEdit::NoWrap);
    }
    clock.start();
    edit.setPlainText(qstring(TextBridge::toUnicode(bytes)));
    showAndWaitForPaint(edit, edit.painted);
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double rss = residentMiB();
    clock.restart();
    layOutEveryParagraph(*edit.document());
    std::printf("%.4f %.1f %.1f 0 0 %.3f %.1f\n", seconds, rss, baseMiB, clock.nsecsElapsed() / 1e9, residentMiB());
    return 0;
  }
  Probe<RichTextEdit> edit;
  edit.resize(800, 600);
  edit.setWrap(wrap ? EditControl::Wrap::PrintWidth : EditControl::Wrap::None, kPrintWidth);
  clock.start();
  const auto fill = [&bytes](QTextDocument& document) { RichTextStream::readPlainText(document, bytes); };
  if (widget == Widget::Control) {
    edit.streamIn(fill);
  } else {
    fill(*edit.document());
    edit.setSel(0, 0);
  }
  showAndWaitForPaint(edit, edit.painted);
  const double seconds = clock.nsecsElapsed() / 1e9;
  const double rss = residentMiB();
  // What a view asks at once: the caret's line and column, the first visible line and
  // the starts of the lines on screen (the gutter).
  clock.restart();
  const int caretLine = edit.lineFromChar(-1);
  benchmark::DoNotOptimize(edit.lineIndex(caretLine));
  const int first = edit.firstVisibleLine();
  for (int line = first; line < first + 40; ++line) benchmark::DoNotOptimize(edit.lineIndex(line));
  const double onScreenMs = clock.nsecsElapsed() / 1e6;
  const bool forcedFullLayout = lastParagraphLaidOut(*edit.document());
  // The whole layout: a question about the last line forces it (with wrapping; without,
  // the text answers).
  clock.restart();
  benchmark::DoNotOptimize(edit.lineCount());
  const double fullLayoutSeconds = clock.nsecsElapsed() / 1e9;
  std::printf("%.4f %.1f %.1f %.3f %d %.3f %.1f\n", seconds, rss, baseMiB, onScreenMs, forcedFullLayout ? 1 : 0,
              fullLayoutSeconds, residentMiB());
  return 0;
}

// Opens in a fresh process and records its figures.
void BM_OpenToFirstPaint(benchmark::State& state) {
  const auto megabytes = static_cast<std::size_t>(state.range(0));
  const bool wrap = state.range(1) != 0;
  const auto widget = static_cast<Widget>(state.range(2));
  state.SetLabel(std::string(wrap ? "print-width wrap, " : "wrap off, ") +
                 (widget == Widget::BareQTextEdit ? "bare QTextEdit"
                  : widget == Widget::Control     ? "RichTextEdit::streamIn"
                                                  : "RichTextEdit, document filled directly"));
  const std::string command = "/proc/" + std::to_string(getpid()) + "/exe --open " + std::to_string(megabytes) + ' ' +
                              (wrap ? '1' : '0') + ' ' + std::to_string(state.range(2));
  for (auto _ : state) {
    std::unique_ptr<FILE, int (*)(FILE*)> child(popen(command.c_str(), "r"), pclose);
    double seconds = 0, rss = 0, base = 0, onScreenMs = 0, fullLayout = 0, fullRss = 0;
    int forced = 0;
    if (!child || std::fscanf(child.get(), "%lf %lf %lf %lf %d %lf %lf", &seconds, &rss, &base, &onScreenMs, &forced,
                              &fullLayout, &fullRss) != 7) {
      state.SkipWithError("the child process failed");
      return;
    }
    state.SetIterationTime(seconds);
    state.counters["rss_MiB"] = rss;
    state.counters["text_MiB"] = base;  // the generated file, before opening
    state.counters["full_layout_s"] = fullLayout;
    state.counters["rss_laid_out_MiB"] = fullRss;
    if (widget != Widget::BareQTextEdit) {
      state.counters["on_screen_questions_ms"] = onScreenMs;
      state.counters["forced_full_layout"] = forced;
    }
  }
}
BENCHMARK(BM_OpenToFirstPaint)
    ->ArgNames({"MB", "wrap", "widget"})
    ->Args({10, 0, 0})->Args({10, 1, 0})->Args({50, 0, 0})->Args({50, 1, 0})
    ->Args({10, 0, 2})->Args({10, 1, 2})->Args({50, 0, 2})->Args({50, 1, 2})
    ->Args({10, 1, 1})
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// 10 MB documents shown, every paragraph laid out (and for the controls every line
// counted, as after a look at the end of the text), for the questions and the edits; they
// go before the application does.
template <class Edit>
std::unique_ptr<Edit> laidOutEdits[2];

void closeLaidOutEdits() {
  for (auto& edit : laidOutEdits<RichTextEdit>) edit.reset();
  for (auto& edit : laidOutEdits<VerticalTextEdit>) edit.reset();
  for (auto& edit : laidOutEdits<QTextEdit>) edit.reset();
}

template <class Edit>
QTextDocument& documentOf(Edit& edit) {
  return *edit.document();
}

// Shows `text` (Shift-JIS) in a new 800 x 600 control, wrapped at the print width or not.
template <class Edit>
std::unique_ptr<Edit> showing(const std::string& bytes, bool wrap) {
  auto edit = std::make_unique<Edit>();
  edit->resize(800, 600);
  if constexpr (std::is_same_v<Edit, QTextEdit>) {
    edit->setLineWrapMode(wrap ? QTextEdit::FixedPixelWidth : QTextEdit::NoWrap);
    edit->setLineWrapColumnOrWidth(kPrintWidth + 8);
    edit->setPlainText(qstring(TextBridge::toUnicode(bytes)));
  } else {
    if constexpr (std::is_same_v<Edit, VerticalTextEdit>) edit->setDocument(new QTextDocument(edit.get()));
    edit->setWrap(wrap ? EditControl::Wrap::PrintWidth : EditControl::Wrap::None, kPrintWidth);
    edit->streamIn([&bytes](QTextDocument& document) { RichTextStream::readPlainText(document, bytes); });
  }
  edit->show();
  edit->activateWindow();  // the caret is drawn in the focused control only
  edit->setFocus();
  QCoreApplication::processEvents();
  return edit;
}

template <class Edit>
Edit& laidOut(bool wrap) {
  std::unique_ptr<Edit>& edit = laidOutEdits<Edit>[wrap ? 1 : 0];
  if (!edit) {
    edit = showing<Edit>(japaneseShiftJisText(10 * kMiB), wrap);
    layOutEveryParagraph(documentOf(*edit));
    if constexpr (!std::is_same_v<Edit, QTextEdit>) benchmark::DoNotOptimize(edit->lineCount());
    QCoreApplication::processEvents();
  }
  return *edit;
}

std::vector<int> randomValues(int count, int below) {
  std::mt19937 rng(7);
  std::vector<int> values(static_cast<std::size_t>(count));
  for (int& v : values) v = static_cast<int>(rng() % static_cast<unsigned>(below));
  return values;
}

template <class Question>
void askRandomly(benchmark::State& state, bool lines, Question question) {
  RichTextEdit& edit = laidOut<RichTextEdit>(state.range(0) != 0);
  const int range = lines ? edit.lineCount() : edit.textLength() + 1;
  const std::vector<int> values = randomValues(4096, range);
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(question(edit, values[i++ % values.size()]));
  state.SetLabel(state.range(0) ? "print-width wrap" : "wrap off");
}

void BM_LineFromChar(benchmark::State& state) {
  askRandomly(state, false, [](RichTextEdit& e, int pos) { return e.lineFromChar(pos); });
}
void BM_LineIndex(benchmark::State& state) {
  askRandomly(state, true, [](RichTextEdit& e, int line) { return e.lineIndex(line); });
}
void BM_LineLength(benchmark::State& state) {
  askRandomly(state, false, [](RichTextEdit& e, int pos) { return e.lineLength(pos); });
}
void BM_LineCount(benchmark::State& state) {
  askRandomly(state, false, [](RichTextEdit& e, int) { return e.lineCount(); });
}
void BM_FirstVisibleLine(benchmark::State& state) {
  RichTextEdit& edit = laidOut<RichTextEdit>(state.range(0) != 0);
  edit.setSel(edit.textLength() / 2, edit.textLength() / 2);  // scrolls to the middle
  for (auto _ : state) benchmark::DoNotOptimize(edit.firstVisibleLine());
  state.SetLabel(state.range(0) ? "print-width wrap" : "wrap off");
}
BENCHMARK(BM_LineFromChar)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineLength)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineCount)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstVisibleLine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Saving a document read from a Shift-JIS file of 10 or 100 MB: the text taken from the
// document, its line ends restored, encoded and written, beside writing the same bytes
// alone (the floor any editor's save stands on).
void BM_Save(benchmark::State& state) {
  const auto megabytes = static_cast<std::size_t>(state.range(0));
  const bool floor = state.range(1) != 0;
  const std::string& bytes = japaneseShiftJisText(megabytes * kMiB);
  QTextDocument document;
  DocumentStream::read(document, bytes, false, CharCode::ShiftJis);
  QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("saved.txt")).toStdString();
  QElapsedTimer clock;
  for (auto _ : state) {
    clock.start();
    std::size_t lost = 0;
    const std::string saved = floor ? bytes : DocumentStream::write(document, false, CharCode::ShiftJis, &lost);
    std::ofstream(path, std::ios::binary).write(saved.data(), static_cast<std::streamsize>(saved.size()));
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    if (!floor && saved != bytes) state.SkipWithError("the saved file differs from the one read");
  }
  state.SetLabel(floor ? "writing the same bytes alone" : "DocumentStream::write and the file written");
}
BENCHMARK(BM_Save)->ArgNames({"MB", "floor"})->Args({10, 0})->Args({10, 1})->Args({100, 0})->Args({100, 1})
    ->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

enum class Change { Key, Return, Paste };

// The megabyte of text a paste brings, on the clipboard for the pastes.
const QString& pastedText() {
  static const QString text = qstring(TextBridge::toUnicode(japaneseShiftJisText(kMiB)));
  return text;
}

void press(QWidget& edit, Qt::Key key, const QString& text) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&edit, &event);
}

// One change at the caret, as the user makes it, to the repainted view; the controls also
// answer the caret report a view makes after each change.
template <class Edit>
void changeAndPaint(Edit& edit, Change change) {
  switch (change) {
    case Change::Key: press(edit, Qt::Key_unknown, QStringLiteral("あ")); break;
    case Change::Return: press(edit, Qt::Key_Return, QStringLiteral("\r")); break;
    case Change::Paste: edit.paste(); break;
  }
  if constexpr (!std::is_same_v<Edit, QTextEdit>) {
    const int line = edit.lineFromChar(-1);
    benchmark::DoNotOptimize(edit.lineIndex(line));
  }
  edit.viewport()->repaint();
  QCoreApplication::processEvents();
}

void placeCaret(QTextDocument& document, bool atEnd, const std::function<void(const QTextCursor&)>& set) {
  QTextCursor caret(&document);
  caret.setPosition(atEnd ? document.characterCount() - 1 : document.characterCount() / 2);
  set(caret);
}

// A change in the middle or at the end of a laid-out 10 MB text. A paste is undone after
// each iteration, out of the time, so every paste meets the same text.
template <class Edit>
void BM_Change(benchmark::State& state) {
  const auto change = static_cast<Change>(state.range(0));
  const bool atEnd = state.range(1) != 0;
  const bool wrap = state.range(2) != 0;
  Edit& edit = laidOut<Edit>(wrap);
  if (change == Change::Paste) QGuiApplication::clipboard()->setText(pastedText());
  placeCaret(documentOf(edit), atEnd, [&edit](const QTextCursor& c) { edit.setTextCursor(c); });
  edit.ensureCursorVisible();
  QCoreApplication::processEvents();
  QElapsedTimer clock;
  for (auto _ : state) {
    clock.start();
    changeAndPaint(edit, change);
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    if (change == Change::Paste) {
      edit.undo();
      QCoreApplication::processEvents();
    }
  }
  static const char* const kChanges[] = {"keystroke", "Return", "paste of 1 MB"};
  state.SetLabel(std::string(kChanges[state.range(0)]) + (atEnd ? " at the end, " : " in the middle, ") +
                 (wrap ? "print-width wrap" : "wrap off"));
}

// A keystroke in a single line of 200,000 characters, in its middle or at its end.
template <class Edit>
void BM_KeystrokeInLongLine(benchmark::State& state) {
  const bool atEnd = state.range(0) != 0;
  const bool wrap = state.range(1) != 0;
  std::string line;
  while (line.size() < 400'000) line += "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6\x8f\xcd\x81\x41";  // 日本語の文章、
  const std::unique_ptr<Edit> edit = showing<Edit>(line, wrap);
  placeCaret(documentOf(*edit), atEnd, [&edit](const QTextCursor& c) { edit->setTextCursor(c); });
  edit->ensureCursorVisible();
  QCoreApplication::processEvents();
  QElapsedTimer clock;
  for (auto _ : state) {
    clock.start();
    changeAndPaint(*edit, Change::Key);
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
  }
  state.SetLabel(std::string(atEnd ? "at the end, " : "in the middle, ") + (wrap ? "print-width wrap" : "wrap off"));
}

// A keystroke in the middle of a 100 MB text just opened and scrolled there (with wrapping,
// after the one question that measures the lines above, out of the time).
void BM_KeystrokeIn100MB(benchmark::State& state) {
  const bool wrap = state.range(0) != 0;
  const std::unique_ptr<RichTextEdit> edit = showing<RichTextEdit>(japaneseShiftJisText(100 * kMiB), wrap);
  placeCaret(documentOf(*edit), false, [&edit](const QTextCursor& c) { edit->setTextCursor(c); });
  edit->ensureCursorVisible();
  QElapsedTimer clock;
  clock.start();
  benchmark::DoNotOptimize(edit->lineFromChar(-1));
  state.counters["first_caret_line_s"] = clock.nsecsElapsed() / 1e9;
  QCoreApplication::processEvents();
  for (auto _ : state) {
    clock.start();
    changeAndPaint(*edit, Change::Key);
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
  }
  state.SetLabel(wrap ? "print-width wrap" : "wrap off");
}
BENCHMARK(BM_KeystrokeIn100MB)->Arg(0)->Arg(1)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

template <class Edit>
void registerChanges(const std::string& name, bool withoutWrap) {
  for (const int change : {0, 1, 2})
    for (const int atEnd : {0, 1})
      for (const int wrap : {0, 1}) {
        if (wrap == 0 && !withoutWrap) continue;
        benchmark::RegisterBenchmark(("BM_Change/" + name).c_str(), BM_Change<Edit>)
            ->Args({change, atEnd, wrap})
            ->Iterations(change == 2 ? 3 : 50)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
      }
  for (const int atEnd : {0, 1})
    for (const int wrap : {0, 1})
      benchmark::RegisterBenchmark(("BM_KeystrokeInLongLine/" + name).c_str(), BM_KeystrokeInLongLine<Edit>)
          ->Args({atEnd, wrap})
          ->Iterations(50)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
}

void registerBenchmarks() {
  registerChanges<RichTextEdit>("Rows", true);
  registerChanges<VerticalTextEdit>("Columns", true);
  // The floor to compare with: Qt's own editor on the same text (at the print width only).
  registerChanges<QTextEdit>("BareQTextEdit", false);
}

}  // namespace
}  // namespace wabunko::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc == 5 && std::strcmp(argv[1], "--open") == 0)
    return wabunko::bench::openInThisProcess(std::strtoul(argv[2], nullptr, 10), argv[3][0] == '1',
                                             static_cast<wabunko::bench::Widget>(std::atoi(argv[4])));
  benchmark::Initialize(&argc, argv);
  wabunko::bench::registerBenchmarks();
  benchmark::RunSpecifiedBenchmarks();
  wabunko::bench::closeLaidOutEdits();
  benchmark::Shutdown();
  return 0;
}
