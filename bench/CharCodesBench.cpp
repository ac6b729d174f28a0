// Throughput of the character-code conversions over ~100 MB of generated Japanese text, and
// of glibc iconv doing the nearest standard conversions in the same run for comparison.
// Bytes processed are input bytes, so MB/s reads as "input consumed per second".

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "JapaneseCorpus.h"
#include "doc/CharCodes.h"

namespace {

using wabunko::CharCode;

const std::string& shiftJisText() { return wabunko::bench::japaneseShiftJisText(); }

const std::string& jisText() {
  static const std::string text = wabunko::EncodeFromShiftJis(CharCode::Jis, shiftJisText());
  return text;
}

const std::string& eucText() {
  static const std::string text = wabunko::EncodeFromShiftJis(CharCode::Euc, shiftJisText());
  return text;
}

// The corpus as a form body: every byte >= 0x80 as %XX, each CR LF as the field separator.
const std::string& formText() {
  static const std::string text = [] {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string& in = shiftJisText();
    std::string out;
    out.reserve(3 * in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
      const auto c = static_cast<unsigned char>(in[i]);
      if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') {
        out += '&';
        ++i;
      } else if (c >= 0x80) {
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
      } else {
        out += static_cast<char>(c);
      }
    }
    return out;
  }();
  return text;
}

template <class Convert>
void measure(benchmark::State& state, const std::string& input, Convert convert) {
  for (auto _ : state) {
    std::string out = convert(input);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_CharCodesDecode(benchmark::State& state, CharCode code, const std::string& (*input)()) {
  measure(state, input(),
          [code](const std::string& in) { return wabunko::DecodeToShiftJis(code, in); });
}

void BM_CharCodesEncode(benchmark::State& state, CharCode code) {
  measure(state, shiftJisText(),
          [code](const std::string& in) { return wabunko::EncodeFromShiftJis(code, in); });
}

BENCHMARK_CAPTURE(BM_CharCodesDecode, Jis, CharCode::Jis, &jisText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CharCodesDecode, Euc, CharCode::Euc, &eucText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CharCodesDecode, Form, CharCode::InternetForm, &formText)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CharCodesEncode, Jis, CharCode::Jis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CharCodesEncode, Euc, CharCode::Euc)->Unit(benchmark::kMillisecond);

// glibc iconv, strict: a byte it cannot convert stops the run with an error rather than being
// dropped, so its figures are for the same text. ISO-2022-JP-3 is the ISO-2022 variant that
// takes the corpus as is: plain ISO-2022-JP has no half-width katakana, which make up about
// 5% of the corpus's characters, and //IGNORE would silently skip them.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The converted text, or an empty string with `error` set when iconv stops early. The
  // output is sized once, for twice the input.
  std::string convert(const std::string& input, std::string& error) {
    constexpr auto kFailed = static_cast<std::size_t>(-1);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(2 * input.size() + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd_, &in, &inLeft, &dst, &outLeft) == kFailed ||
        iconv(cd_, nullptr, nullptr, &dst, &outLeft) == kFailed) {
      error = "iconv stopped at input byte " + std::to_string(input.size() - inLeft) + ": " +
              std::strerror(errno);
      return {};
    }
    out.resize(out.size() - outLeft);
    return out;
  }

 private:
  iconv_t cd_;
};

// The corpus converted by iconv, as input for the conversions back to CP932.
std::string corpusIn(const char* code) {
  Iconv cd(code, "CP932");
  std::string error;
  return cd.ok() ? cd.convert(shiftJisText(), error) : std::string();
}

const std::string& eucJpMsText() {
  static const std::string text = corpusIn("EUC-JP-MS");
  return text;
}

const std::string& iso2022JpText() {
  static const std::string text = corpusIn("ISO-2022-JP-3");
  return text;
}

void BM_Iconv(benchmark::State& state, const char* to, const char* from,
              const std::string& (*input)()) {
  Iconv cd(to, from);
  if (!cd.ok()) return state.SkipWithError("iconv_open failed");
  if (input().empty()) return state.SkipWithError("iconv could not prepare the input");
  std::string error;
  measure(state, input(), [&](const std::string& in) { return cd.convert(in, error); });
  if (!error.empty()) state.SkipWithError(error.c_str());
}

BENCHMARK_CAPTURE(BM_Iconv, EucJpMsToCp932, "CP932", "EUC-JP-MS", &eucJpMsText)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Iconv, Iso2022Jp3ToCp932, "CP932", "ISO-2022-JP-3", &iso2022JpText)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Iconv, Cp932ToEucJpMs, "EUC-JP-MS", "CP932", &shiftJisText)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Iconv, Cp932ToIso2022Jp3, "ISO-2022-JP-3", "CP932", &shiftJisText)
    ->Unit(benchmark::kMillisecond);

}  // namespace
