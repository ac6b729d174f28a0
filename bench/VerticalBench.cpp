// The vertical edit control beside the horizontal one, on Japanese documents of 1,000,
// 50,000 and 500,000 characters in Noto Sans CJK JP 20 px, a 900 × 600 view wrapping at
// its edge: the whole layout of a document given to the control, a repaint of the view
// and a keystroke with the caret in the middle, and the switch of a 500,000-character
// (1 MB of UTF-16) document from one control to the other.
//
// Each control is a shown window; a document is attached to one control at a time.

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>

#include <map>
#include <memory>
#include <random>
#include <string>

#include "platform/RichTextEdit.h"
#include "platform/VerticalTextEdit.h"
#include "WholeLayout.h"

namespace wabunko::bench {
namespace {

constexpr int kSwitchChars = 500'000;

// Paragraphs of one to six sentences: runs of kanji and hiragana, now and then a
// katakana word, a Latin word, a number or a quotation, commas, and a full stop, made
// from a fixed seed so every run measures the same text. `chars` counts the paragraph
// breaks, as QTextDocument::characterCount() does without the final one.
QString japaneseParagraphs(int chars) {
  static const QString kanji = QStringLiteral(
      "日本語文章書読人時間年月今大小中上下前後手目口心気分見言行来出入生学校先国会社話新古長高安"
      "外内名物金電車道山川田村町市東西南北春夏秋冬朝昼夜海空雨雪花草木石水火風色音作使思考知持待"
      "開閉始終近遠早遅強弱明暗重軽多少静動歩走食飲買売教習働休住所家族友達問題答意味場合自然");
  std::mt19937 rng(1000);
  const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const auto run = [&](QString& out, char16_t first, int count, int length) {
    for (int i = 0; i < length; ++i) out += QChar(static_cast<char16_t>(first + pick(count)));
  };
  QString text;
  text.reserve(chars + 512);
  while (text.size() < chars) {
    for (int sentences = 1 + pick(6); sentences > 0; --sentences) {
      for (int clauses = 1 + pick(3); clauses > 0; --clauses) {
        for (int words = 2 + pick(4); words > 0; --words) {
          const int kind = pick(20);
          if (kind < 13) {
            for (int n = 1 + pick(3); n > 0; --n) text += kanji[pick(static_cast<int>(kanji.size()))];
            run(text, u'ぁ', 83, 1 + pick(4));  // hiragana
          } else if (kind < 16) {
            run(text, u'ァ', 86, 2 + pick(5));  // katakana
          } else if (kind < 18) {
            run(text, u'a', 26, 3 + pick(6));
          } else if (kind < 19) {
            run(text, u'0', 10, 1 + pick(4));
          } else {
            text += u'「';
            run(text, u'ぁ', 83, 2 + pick(8));
            text += u'」';
          }
        }
        text += clauses > 1 ? u'、' : u'。';
      }
    }
    text += u'\n';
  }
  text.truncate(chars);
  return text;
}

QFont benchFont() {
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(20);
  return font;
}

// A new document holding the text, in the benchmarks' font.
std::unique_ptr<QTextDocument> makeDocument(int chars) {
  static std::map<int, QString> texts;
  auto text = texts.find(chars);
  if (text == texts.end()) text = texts.emplace(chars, japaneseParagraphs(chars)).first;
  auto document = std::make_unique<QTextDocument>();
  document->setDefaultFont(benchFont());
  document->setPlainText(text->second);
  return document;
}

// Lays the whole document out, and again while the page changes under it: a scroll bar
// that the layout called for takes room from the view (once the scroll area has handled
// the range change it queued), and the control gives the document the new page. Answers
// the number of layouts.
int layOutForSettledPage(QTextDocument& document) {
  int layouts = 0;
  QSizeF page;
  do {
    page = document.pageSize();
    layOutEveryParagraph(document);
    ++layouts;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  } while (document.pageSize() != page);
  return layouts;
}

// The milliseconds each step of an iteration takes, reported as counters averaged over
// the iterations, to tell what dominates.
class Steps {
public:
  explicit Steps(benchmark::State& state) : state_(state) {}
  ~Steps() {
    for (const auto& [name, ms] : totals_) state_.counters[name] = benchmark::Counter(ms, benchmark::Counter::kAvgIterations);
  }
  void start() {
    clock_.start();
    iterationNs_ = 0;
  }
  void end(const char* step) {
    const qint64 ns = clock_.nsecsElapsed();
    clock_.start();
    iterationNs_ += ns;
    totals_[step] += ns / 1e6;
  }
  // The steps so far since start().
  double iterationSeconds() const { return iterationNs_ / 1e9; }

private:
  benchmark::State& state_;
  QElapsedTimer clock_;
  qint64 iterationNs_ = 0;
  std::map<std::string, double> totals_;
};

// The shown 900 × 600 window of each kind, showing nothing between benchmarks; they go
// before the application does.
template <class Edit>
std::unique_ptr<Edit> shownEdit;

template <class Edit>
Edit& shown() {
  std::unique_ptr<Edit>& edit = shownEdit<Edit>;
  if (!edit) {
    edit = std::make_unique<Edit>();
    edit->setFont(benchFont());
    edit->setWrap(EditControl::Wrap::WindowEdge);
    edit->resize(900, 600);
    edit->show();
    QCoreApplication::processEvents();
  }
  return *edit;
}

void closeShownEdits() {
  shownEdit<RichTextEdit>.reset();
  shownEdit<VerticalTextEdit>.reset();
}

// A document of each size for each kind, attached, laid out in full, with the caret in
// the middle and the view scrolled there.
template <class Edit>
std::map<int, std::unique_ptr<QTextDocument>> attachedDocuments;

// Shows `document` in `edit`, laid out in full, with the caret in its middle and in view.
template <class Edit>
void attachWithCaretInMiddle(Edit& edit, QTextDocument& document) {
  edit.setDocument(&document);
  layOutEveryParagraph(document);
  QTextCursor middle(&document);
  middle.setPosition(document.characterCount() / 2);
  edit.setTextCursor(middle);
  edit.ensureCursorVisible();
}

template <class Edit>
Edit& showingMiddleOf(int chars) {
  Edit& edit = shown<Edit>();
  std::unique_ptr<QTextDocument>& document = attachedDocuments<Edit>[chars];
  if (!document) document = makeDocument(chars);
  if (edit.document() != document.get()) {
    attachWithCaretInMiddle(edit, *document);
    edit.activateWindow();  // the caret is drawn, and blinks, in the focused control only
    edit.setFocus();
    QCoreApplication::processEvents();
  }
  return edit;
}

// Lets the control take the next document without a painted frame of the last.
template <class Edit>
void detach(Edit& edit) {
  edit.setDocument(nullptr);
  QCoreApplication::processEvents();
}

template <class Edit>
void BM_Layout(benchmark::State& state) {
  const int chars = static_cast<int>(state.range(0));
  Edit& edit = shown<Edit>();
  Steps steps(state);
  int layouts = 0;
  for (auto _ : state) {
    std::unique_ptr<QTextDocument> document = makeDocument(chars);
    steps.start();
    edit.setDocument(document.get());
    steps.end("attach_ms");
    layouts += layOutForSettledPage(*document);
    steps.end("layout_ms");
    state.SetIterationTime(steps.iterationSeconds());
    const QSizeF page = document->pageSize();
    QCoreApplication::processEvents();
    if (document->pageSize() != page) state.SkipWithError("the control changed the page after the layout");
    detach(edit);
  }
  state.counters["layouts"] = benchmark::Counter(layouts, benchmark::Counter::kAvgIterations);
}

template <class Edit>
void BM_Repaint(benchmark::State& state) {
  Edit& edit = showingMiddleOf<Edit>(static_cast<int>(state.range(0)));
  for (auto _ : state) edit.viewport()->repaint();
}

// A kana typed at the caret as a key press carrying its text: the paragraph is laid out
// again and the view painted.
template <class Edit>
void BM_Keystroke(benchmark::State& state) {
  Edit& edit = showingMiddleOf<Edit>(static_cast<int>(state.range(0)));
  const int before = edit.document()->characterCount();
  Steps steps(state);
  for (auto _ : state) {
    steps.start();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("あ"));
    QApplication::sendEvent(&edit, &key);
    steps.end("type_ms");
    edit.viewport()->repaint();
    QCoreApplication::processEvents();
    steps.end("paint_ms");
  }
  if (edit.document()->characterCount() != before + state.iterations()) state.SkipWithError("the key typed nothing");
}

// Moves `document` with its caret from `from` to `to` and paints `to`; the time is that
// to the paint, and `rest_of_layout_ms` what laying out the rest of the document for `to`
// takes after it.
template <class From, class To>
void BM_Switch(benchmark::State& state) {
  From& from = shown<From>();
  To& to = shown<To>();
  const std::unique_ptr<QTextDocument> document = makeDocument(kSwitchChars);
  Steps steps(state);
  for (auto _ : state) {
    detach(to);
    attachWithCaretInMiddle(from, *document);
    from.viewport()->repaint();
    QCoreApplication::processEvents();

    steps.start();
    const QTextCursor caret = from.textCursor();
    from.setDocument(nullptr);
    to.setDocument(document.get());
    steps.end("attach_ms");
    to.setTextCursor(caret);
    steps.end("caret_ms");
    to.viewport()->repaint();
    steps.end("paint_ms");
    state.SetIterationTime(steps.iterationSeconds());
    layOutEveryParagraph(*document);
    steps.end("rest_of_layout_ms");
    QCoreApplication::processEvents();
    if (to.textCursor().position() != caret.position()) state.SkipWithError("the caret did not travel");
    if (!to.viewport()->rect().intersects(to.cursorRect())) state.SkipWithError("the caret is out of view");
  }
  detach(to);
}

template <class Edit>
void registerFor(const char* direction) {
  const std::string suffix = std::string("/") + direction;
  for (auto* bench : {benchmark::RegisterBenchmark(("BM_Layout" + suffix).c_str(), BM_Layout<Edit>)->UseManualTime(),
                      benchmark::RegisterBenchmark(("BM_Repaint" + suffix).c_str(), BM_Repaint<Edit>)->UseRealTime(),
                      benchmark::RegisterBenchmark(("BM_Keystroke" + suffix).c_str(), BM_Keystroke<Edit>)
                          ->UseRealTime()})
    bench->Arg(1'000)->Arg(50'000)->Arg(500'000)->Unit(benchmark::kMillisecond);
}

void registerBenchmarks() {
  registerFor<RichTextEdit>("Horizontal");
  registerFor<VerticalTextEdit>("Vertical");
  benchmark::RegisterBenchmark("BM_Switch/ToVertical", BM_Switch<RichTextEdit, VerticalTextEdit>)
      ->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Switch/ToHorizontal", BM_Switch<VerticalTextEdit, RichTextEdit>)
      ->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
}

void closeEverything() {
  closeShownEdits();
  attachedDocuments<RichTextEdit>.clear();
  attachedDocuments<VerticalTextEdit>.clear();
}

}  // namespace
}  // namespace wabunko::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QFontInfo font(wabunko::bench::benchFont());
  benchmark::AddCustomContext("font", font.family().toStdString() + ' ' + std::to_string(font.pixelSize()) + " px");
  benchmark::Initialize(&argc, argv);
  wabunko::bench::registerBenchmarks();
  benchmark::RunSpecifiedBenchmarks();
  wabunko::bench::closeEverything();
  benchmark::Shutdown();
  return 0;
}
