// TextBridge against glibc iconv on the same 100 MB of Shift-JIS text. Throughput counts
// the bytes of the Shift-JIS side in both directions.

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>

#include "JapaneseCorpus.h"
#include "doc/TextBridge.h"

namespace wabunko {
namespace {

const std::u16string& japaneseText() {
  static const std::u16string text = TextBridge::toUnicode(bench::japaneseShiftJisText());
  return text;
}

// Converts all of `in` with a fresh output buffer of `outCapacity` bytes, as a caller would.
std::string iconvAll(const char* to, const char* from, std::string_view in,
                     std::size_t outCapacity, benchmark::State& state) {
  iconv_t cd = iconv_open(to, from);
  std::string out(outCapacity, '\0');
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
    state.SkipWithError("iconv stopped on the corpus");
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

void TextBridgeToUnicode(benchmark::State& state) {
  const std::string& bytes = bench::japaneseShiftJisText();
  for (auto _ : state) {
    std::u16string text = TextBridge::toUnicode(bytes);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void TextBridgeToShiftJis(benchmark::State& state) {
  const std::u16string& text = japaneseText();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string out = TextBridge::toShiftJis(text);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void IconvCp932ToUtf16(benchmark::State& state) {
  const std::string& bytes = bench::japaneseShiftJisText();
  for (auto _ : state) {
    std::string out = iconvAll("UTF-16LE", "CP932", bytes, bytes.size() * 2, state);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void IconvUtf16ToCp932(benchmark::State& state) {
  const std::u16string& text = japaneseText();
  const std::string_view in(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string out = iconvAll("CP932", "UTF-16LE", in, in.size(), state);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

BENCHMARK(TextBridgeToUnicode)->Unit(benchmark::kMillisecond);
BENCHMARK(TextBridgeToShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK(IconvCp932ToUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(IconvUtf16ToCp932)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wabunko
