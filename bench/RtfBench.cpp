// Loading and saving a 10 MB rich-text document: Japanese lines from the shared corpus, each
// a paragraph cut into runs of changing face, size, effects, colour and position, with
// an occasional character outside code page 932 and an occasional picture.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "JapaneseCorpus.h"
#include "doc/TextBridge.h"
#include "doc/rtf/RtfReader.h"
#include "doc/rtf/RtfWriter.h"
#include "platform/RichTextStream.h"

#include <QGuiApplication>
#include <QTextDocument>

namespace wabunko::bench {
namespace {

using namespace wabunko::rtf;

constexpr std::size_t kRtfSize = 10u << 20;
constexpr std::size_t kPictureEvery = 500;  // paragraphs

CharFormat formatNumber(std::size_t n) {
  static const char* const kFaces[] = {"ＭＳ 明朝", "ＭＳ Ｐゴシック", "Arial"};
  static const Rgb kColours[] = {{255, 0, 0}, {0, 128, 0}, {0, 0, 255}};
  CharFormat format;
  format.face = kFaces[n % 3];
  format.heightTwips = 180 + static_cast<int>(n % 5) * 30;
  format.bold = n % 2 == 1;
  format.italic = n % 7 == 3;
  format.underline = n % 11 == 5;
  format.strikeOut = n % 13 == 6;
  if (n % 4 == 0) format.colour = kColours[n / 4 % 3];
  if (n % 17 == 8) format.offsetTwips = 96;
  return format;
}

ParagraphFormat paragraphNumber(std::size_t n) {
  ParagraphFormat format;
  format.alignment = static_cast<Alignment>(n % 4);
  format.leftIndentTwips = static_cast<int>(n % 3) * 570;
  format.firstLineIndentTwips = n % 5 == 0 ? -285 : 0;
  if (n % 6 == 0) format.tabStopsTwips = {720, 1440};
  return format;
}

// Paragraphs from the corpus' lines, cut into runs of 5-24 characters. Written as RTF,
// Shift-JIS text grows about fivefold, so a fifth of kRtfSize makes about kRtfSize.
const RtfDocument& document() {
  static const RtfDocument made = [] {
    const std::u16string text = TextBridge::toUnicode(japaneseShiftJisText(kRtfSize / 5));
    const Image picture{ImageKind::Png, std::string(4096, '\x5a'), 1440, 1440};
    RtfDocument document;
    std::size_t runNumber = 0;
    std::size_t lineStart = 0;
    for (std::size_t end; (end = text.find(u"\r\n", lineStart)) != text.npos; lineStart = end + 2) {
      Paragraph paragraph{paragraphNumber(document.paragraphs.size()), {}};
      for (std::size_t at = lineStart; at < end;) {
        const std::size_t length = std::min<std::size_t>(5 + runNumber % 20, end - at);
        std::u16string runText = text.substr(at, length);
        if (runNumber % 50 == 0) runText += u"é\U0001F600";
        paragraph.runs.push_back(Run{formatNumber(runNumber++), std::move(runText), {}});
        at += length;
      }
      if (document.paragraphs.size() % kPictureEvery == 0) {
        paragraph.runs.push_back(Run{{}, u"", picture});
      }
      document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
  }();
  return made;
}

const std::string& rtf() {
  static const std::string written = writeRtf(document());
  return written;
}

void BM_ReadRtf(benchmark::State& state) {
  const std::string& bytes = rtf();
  for (auto _ : state) {
    RtfReadResult result = readRtf(bytes);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.counters["rtf_MB"] = static_cast<double>(bytes.size()) / (1 << 20);
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State& state) {
  const RtfDocument& source = document();
  std::size_t written = 0;
  for (auto _ : state) {
    std::string bytes = writeRtf(source);
    written = bytes.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

}  // namespace
// The whole load and save of a rich-text document: the reader or writer plus the
// conversion to and from the edit control's document.
void BM_LoadRtfDocument(benchmark::State& state) {
  const std::string& bytes = rtf();
  for (auto _ : state) {
    QTextDocument document;
    RichTextStream::readRtf(document, bytes);
    benchmark::DoNotOptimize(document.blockCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadRtfDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveRtfDocument(benchmark::State& state) {
  QTextDocument document;
  RichTextStream::readRtf(document, rtf());
  std::size_t written = 0;
  for (auto _ : state) {
    const std::string bytes = RichTextStream::writeRtf(document);
    written = bytes.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
}
BENCHMARK(BM_SaveRtfDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace wabunko::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
