// Find in files over a generated tree of 10,000 Shift-JIS files, about 100 MB, spread over
// nested folders: Japanese manual-page text, a word planted in about one file in six,
// one file in ten written as RTF, and decoy .log files holding the word. Timed: the whole
// search as the worker runs it (folder walk over the POSIX lister, one read per file,
// findInFile, extensions txt/rtf), beside grep -rnF over the same tree as the floor. Warm
// figures are the second of two runs; run as root, it also drops the page cache before a
// cold run of each.
//
// grep finds the word's bytes in the text files only: RTF writes Japanese as \'hh escapes,
// so in RTF files only the search that reads RTF finds it. The like-for-like pair is the
// .txt part of our count against grep over .txt alone.
//
// Run: build/bench_find_in_files (the tree goes to the temporary folder, TMPDIR, and is
// removed at the end).

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "JapaneseCorpus.h"
#include "doc/TextBridge.h"
#include "doc/rtf/CodePages.h"
#include "doc/rtf/RtfWriter.h"
#include "platform/PosixFolderLister.h"
#include "search/FileHits.h"
#include "search/FolderWalk.h"

#ifdef WABUNKO_BENCH_WINDOW
#include "search/CFindResultDlg.h"
#include "search/FindInFilesRun.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <thread>
#endif

namespace wabunko::bench {
namespace {

constexpr int kFiles = 10000;
constexpr std::size_t kMeanFileBytes = 8000;
const std::string kWord = TextBridge::toShiftJis(u"検索語");  // not in the manual pages
// A word the manual pages hold often, in a letter case they never write it in, for the
// search that folds letter case.
const std::string kFoldedWord = "OpTiOn";

std::string run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char chunk[1 << 16];
    for (std::size_t got; (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, got);
    pclose(pipe);
  }
  return out;
}

// Japanese manual pages as Shift-JIS lines ending in CR LF; the generated corpus when the
// pages are not installed.
std::vector<std::string> corpusLines() {
  const std::string pages = run(
      "zcat /usr/share/man/ja/man1/*.1.gz 2>/dev/null | preconv -e UTF-8 | groff -Tutf8 -mandoc 2>/dev/null | col -b");
  const std::string text = pages.size() > (64u << 10)
                               ? TextBridge::toShiftJis(rtf::fromUtf8(pages))
                               : japaneseShiftJisText(2u << 20);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(line + "\r\n");
    at = end + 1;
  }
  return lines;
}

struct Tree {
  std::filesystem::path root;
  int textFiles = 0, richFiles = 0, decoys = 0, planted = 0;
  std::size_t bytes = 0, richBytes = 0;
};

void writeFile(const std::filesystem::path& path, const std::string& bytes, Tree& tree) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  tree.bytes += bytes.size();
}

std::string asRtf(const std::string& text) {
  rtf::RtfDocument document;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find("\r\n", at), text.size());
    document.paragraphs.push_back({{}, {{{}, TextBridge::toUnicode(std::string_view(text).substr(at, end - at))}}});
    at = end + 2;
  }
  return rtf::writeRtf(document);
}

Tree makeTree(const std::filesystem::path& root) {
  const std::vector<std::string> lines = corpusLines();
  std::mt19937 rng(932);
  const auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  Tree tree{root};
  for (int i = 0; i < kFiles; ++i) {
    std::filesystem::path folder = root / ("d" + std::to_string(i % 10)) / ("e" + std::to_string(i / 10 % 10));
    if (i % 3 == 0) folder /= "f" + std::to_string(i / 100 % 4);
    std::filesystem::create_directories(folder);
    const std::size_t wanted = kMeanFileBytes / 5 + pick(kMeanFileBytes * 8 / 5);
    std::string text;
    for (std::size_t line = pick(lines.size()); text.size() < wanted; line = (line + 1) % lines.size())
      text += lines[line];
    if (pick(6) == 0) {
      ++tree.planted;
      for (std::size_t times = 1 + pick(3); times > 0; --times) {
        std::size_t at = text.find("\r\n", pick(text.size()));
        at = at == std::string::npos ? 0 : at + 2;  // the start of a line
        if (text.compare(at, kWord.size(), kWord) != 0) text.insert(at, kWord);  // once a line
      }
    }
    char name[32];
    std::snprintf(name, sizeof name, "file%05d", i);
    if (i % 10 == 9) {
      const std::size_t before = tree.bytes;
      writeFile(folder / (std::string(name) + ".rtf"), asRtf(text), tree);
      tree.richBytes += tree.bytes - before;
      ++tree.richFiles;
    } else {
      writeFile(folder / (std::string(name) + ".txt"), text, tree);
      ++tree.textFiles;
    }
    if (i % 100 == 0) {
      writeFile(folder / (std::string(name) + ".log"), kWord + "\r\n" + text, tree);
      ++tree.decoys;
    }
  }
  return tree;
}

// One read into a buffer that keeps its room from file to file.
bool readWhole(const std::string& path, std::string& buffer) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  struct stat status {};
  bool ok = fstat(file, &status) == 0;
  if (ok) buffer.resize(static_cast<std::size_t>(status.st_size));
  for (std::size_t done = 0; ok && done < buffer.size();) {
    const ssize_t got = read(file, buffer.data() + done, buffer.size() - done);
    if (got < 0)
      ok = false;
    else if (got == 0)
      buffer.resize(done);  // it got shorter
    else
      done += static_cast<std::size_t>(got);
  }
  close(file);
  return ok;
}

// As a stream in 64 KiB pieces, for comparison.
bool readByStream(const std::string& path, std::string& buffer) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  buffer.clear();
  char chunk[1 << 16];
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
    buffer.append(chunk, static_cast<std::size_t>(file.gcount()));
  return !file.bad();
}

struct Result {
  double seconds = 0;
  std::size_t matches = 0;
  std::size_t textMatches = 0;  // in .txt files
  int files = 0;
};

using Reader = std::function<bool(const std::string&, std::string&)>;

Result findInTree(const Tree& tree, const std::string& extensions, const std::string& needle, bool matchCase,
                  const Reader& reader) {
  const auto start = std::chrono::steady_clock::now();
  Result result;
  PosixFolderLister lister;
  FolderWalk walk(tree.root.string(), ExtensionList::parse(extensions), lister);
  std::string buffer;
  while (const std::optional<WalkFile> file = walk.next()) {
    if (!reader(file->path(), buffer)) continue;
    ++result.files;
    const std::size_t found = findInFile(buffer, needle, matchCase).size();
    result.matches += found;
    if (file->name.ends_with(".txt")) result.textMatches += found;
  }
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

Result grepTree(const Tree& tree, const std::string& options, const std::string& includes) {
  const auto start = std::chrono::steady_clock::now();
  const std::string output = run("LC_ALL=C grep -rnF " + options + " " + includes + " -f '" +
                                 (tree.root.parent_path() / "pattern").string() + "' '" + tree.root.string() + "'");
  Result result;
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (const char c : output) result.matches += c == '\n';
  return result;
}

bool dropCaches() {
  if (geteuid() != 0) return false;
  sync();
  std::ofstream drop("/proc/sys/vm/drop_caches");
  drop << "1\n";
  drop.flush();
  return static_cast<bool>(drop);
}

void print(const char* what, const Result& result, const char* counted) {
  std::printf("  %-44s %7.3f s  %6zu %s", what, result.seconds, result.matches, counted);
  if (result.files > 0) std::printf(" (.txt %zu, .rtf %zu; %d files)", result.textMatches,
                                    result.matches - result.textMatches, result.files);
  std::printf("\n");
}

#ifdef WABUNKO_BENCH_WINDOW
// The whole search as the editor runs it: on its threads, its rows going into the result
// window (offscreen). Also the longest the window's event loop waited meanwhile, which is
// how long a key typed into an editor window could wait.
Result findInWindow(const Tree& tree, const std::string& extensions, const std::string& needle, double* longestWait) {
  const auto start = std::chrono::steady_clock::now();
  CFindResultDlg window;
  FindInFilesRun run(FindInFilesRun::Walk{tree.root.string(), ExtensionList::parse(extensions)}, needle, true, {});
  QObject::connect(&run, &FindInFilesRun::found, &window,
                   [&window](const std::vector<FileResult>& batch) { window.model().add(batch); });
  QEventLoop loop;
  Result result;
  QObject::connect(&run, &FindInFilesRun::finished, &loop, [&](const FindInFilesRun::Summary& summary) {
    result.files = summary.progress.files;
    loop.quit();
  });
  QTimer tick;
  tick.setInterval(5);
  auto last = std::chrono::steady_clock::now();
  *longestWait = 0;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const auto now = std::chrono::steady_clock::now();
    *longestWait = std::max(*longestWait, std::chrono::duration<double>(now - last).count());
    last = now;
  });
  tick.start();
  window.show();
  run.start();
  loop.exec();
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.matches = static_cast<std::size_t>(window.model().rowCount());
  for (int row = 0; row < window.model().rowCount(); ++row)
    if (window.model().rows().at(static_cast<std::size_t>(row)).file.ends_with(".txt")) ++result.textMatches;
  return result;
}
#endif

struct Timing {
  const char* what;
  const char* counted;
  std::function<Result()> run;
};

}  // namespace
}  // namespace wabunko::bench

int main(int argc, char** argv) {
  using namespace wabunko::bench;
#ifdef WABUNKO_BENCH_WINDOW
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#else
  (void)argc;
  (void)argv;
#endif
  const std::filesystem::path base =
      std::filesystem::temp_directory_path() / ("wabunko-find-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(base);
  std::ofstream(base / "pattern", std::ios::binary) << kWord << "\n";
  const auto made = std::chrono::steady_clock::now();
  const Tree tree = makeTree(base / "tree");
  std::printf("tree: %d .txt and %d .rtf files (%d .log decoys), %.1f MB (%.1f MB of RTF), the word in %d of them;"
              " made in %.1f s\n",
              tree.textFiles, tree.richFiles, tree.decoys, static_cast<double>(tree.bytes) / 1e6,
              static_cast<double>(tree.richBytes) / 1e6, tree.planted,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - made).count());

  const std::string both = "--include='*.txt' --include='*.rtf'";
  const std::string textOnly = "--include='*.txt'";
  const Timing timings[] = {
      {"find in files, txt/rtf", "matches", [&] { return findInTree(tree, "txt/rtf/", kWord, true, readWhole); }},
      {"  the same reading by std::ifstream", "matches",
       [&] { return findInTree(tree, "txt/rtf/", kWord, true, readByStream); }},
      {"find in files, txt", "matches", [&] { return findInTree(tree, "txt/", kWord, true, readWhole); }},
      {"grep -rnF, *.txt and *.rtf", "lines", [&] { return grepTree(tree, "", both); }},
      {"grep -rnF, *.txt", "lines", [&] { return grepTree(tree, "", textOnly); }},
  };
  std::printf("warm (the second of two runs):\n");
  for (const Timing& timing : timings) {
    timing.run();
    print(timing.what, timing.run(), timing.counted);
  }
#ifdef WABUNKO_BENCH_WINDOW
  double longestWait = 0;
  findInWindow(tree, "txt/rtf/", kWord, &longestWait);
  print("the editor's search into the result window", findInWindow(tree, "txt/rtf/", kWord, &longestWait), "matches");
  std::printf("    (%u threads; the window's event loop waited at most %.0f ms)\n", std::max(1u, std::thread::hardware_concurrency()),
              longestWait * 1000);
#endif
  std::printf("  letter case folded (%s):\n", kFoldedWord.c_str());
  std::ofstream(base / "pattern", std::ios::binary) << kFoldedWord << "\n";
  findInTree(tree, "txt/rtf/", kFoldedWord, false, readWhole);
  print("find in files, txt/rtf", findInTree(tree, "txt/rtf/", kFoldedWord, false, readWhole), "matches");
  findInTree(tree, "txt/", kFoldedWord, false, readWhole);
  print("find in files, txt", findInTree(tree, "txt/", kFoldedWord, false, readWhole), "matches");
  grepTree(tree, "-i", both);
  print("grep -rniF, *.txt and *.rtf", grepTree(tree, "-i", both), "lines");
  grepTree(tree, "-i", textOnly);
  print("grep -rniF, *.txt", grepTree(tree, "-i", textOnly), "lines");
  std::ofstream(base / "pattern", std::ios::binary) << kWord << "\n";

  std::printf("counts: grep gives lines, the search matches; grep reads RTF as raw bytes, where the word is\n"
              "\\'hh-escaped, so only the search finds it there, while letters of RTF's plain ASCII text are found by\n"
              "both. Like for like: the search's .txt count beside grep over *.txt.\n");
  if (dropCaches()) {
    std::printf("cold (page cache dropped before each):\n");
    for (const Timing& timing : timings) {
      dropCaches();
      print(timing.what, timing.run(), timing.counted);
    }
#ifdef WABUNKO_BENCH_WINDOW
    dropCaches();
    print("the editor's search into the result window", findInWindow(tree, "txt/rtf/", kWord, &longestWait), "matches");
#endif
  } else {
    std::printf("cold: not measured (the page cache can be dropped only as root)\n");
  }
  std::filesystem::remove_all(base);
  return 0;
}
