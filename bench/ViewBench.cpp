// The edit control on large Shift-JIS files: opening to the first paint (wrap off and at the
// print width, beside a bare QTextEdit), questions about lines on a 10 MB document, and a
// keystroke in the middle of it beside the same keystroke in a bare QTextEdit.
//
// Each open runs in a fresh process (this program started again with --open), so its
// time and resident memory are those of a program that has just opened the file.

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
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
#include <memory>
#include <random>
#include <string>

#include "JapaneseCorpus.h"
#include "doc/TextBridge.h"
#include "platform/RichTextEdit.h"
#include "platform/RichTextStream.h"

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
    edit.document()->documentLayout()->documentSize();  // finishes the layout
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

// 10 MB documents shown and laid out in full, for the questions and the keystrokes; they
// go before the application does.
template <class Edit>
std::unique_ptr<Edit> laidOutEdits[2];

void closeLaidOutEdits() {
  for (auto& edit : laidOutEdits<RichTextEdit>) edit.reset();
  for (auto& edit : laidOutEdits<QTextEdit>) edit.reset();
}

template <class Edit>
Edit& laidOut(bool wrap) {
  std::unique_ptr<Edit>& edit = laidOutEdits<Edit>[wrap ? 1 : 0];
  if (!edit) {
    edit = std::make_unique<Edit>();
    edit->resize(800, 600);
    edit->setLineWrapMode(wrap ? QTextEdit::FixedPixelWidth : QTextEdit::NoWrap);
    edit->setLineWrapColumnOrWidth(kPrintWidth + 8);
    edit->setPlainText(qstring(TextBridge::toUnicode(japaneseShiftJisText(10 * kMiB))));
    edit->show();
    edit->document()->documentLayout()->documentSize();  // finishes the layout
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

// One character typed in the middle of the laid-out 10 MB text and painted; the control
// also answers the caret report a view makes after each keystroke.
template <class Edit>
void typeInTheMiddle(benchmark::State& state) {
  const bool wrap = state.range(0) != 0;
  Edit& edit = laidOut<Edit>(wrap);
  QTextCursor middle(edit.document());
  middle.setPosition(edit.document()->characterCount() / 2);
  edit.setTextCursor(middle);
  QCoreApplication::processEvents();
  for (auto _ : state) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&edit, &key);
    if constexpr (std::is_same_v<Edit, RichTextEdit>) {
      const int line = edit.lineFromChar(-1);
      benchmark::DoNotOptimize(edit.lineIndex(line));
    }
    QCoreApplication::processEvents();
  }
  state.SetLabel(wrap ? "print-width wrap" : "wrap off");
}
void BM_KeystrokeRichTextEdit(benchmark::State& state) { typeInTheMiddle<RichTextEdit>(state); }
void BM_KeystrokeBareQTextEdit(benchmark::State& state) { typeInTheMiddle<QTextEdit>(state); }
BENCHMARK(BM_KeystrokeRichTextEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_KeystrokeBareQTextEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
}  // namespace wabunko::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc == 5 && std::strcmp(argv[1], "--open") == 0)
    return wabunko::bench::openInThisProcess(std::strtoul(argv[2], nullptr, 10), argv[3][0] == '1',
                                             static_cast<wabunko::bench::Widget>(std::atoi(argv[4])));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  wabunko::bench::closeLaidOutEdits();
  benchmark::Shutdown();
  return 0;
}
