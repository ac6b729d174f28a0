// bench_write_corpus MB PATH: writes the generated Shift-JIS benchmark text of MB mebibytes to PATH,
// for benchmarks that drive a whole program on a file (bench/open-large-files.sh).
#include "JapaneseCorpus.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
  long mb = argc == 3 ? std::atol(argv[1]) : 0;
  if (mb <= 0) {
    std::fprintf(stderr, "usage: %s MB PATH\n", argv[0]);
    return 2;
  }
  const std::string& text = wabunko::bench::japaneseShiftJisText(std::size_t(mb) << 20);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(text.data(), std::streamsize(text.size()));
  out.close();
  if (!out) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
