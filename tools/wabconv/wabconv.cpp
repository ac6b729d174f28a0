// wabconv: converts a file between the character codes the editor reads and writes, going
// through Shift-JIS exactly as the editor does on load and save.
//
//   wabconv --from sjis|jis|euc|form --to sjis|jis|euc [IN [OUT]]
//
// IN and OUT default to standard input and output; "-" names them too. OUT is written to a
// temporary file in its own folder and renamed over OUT, so a failed run leaves OUT as it was.
// Exit status: 0 done, 1 a file could not be read or written, 2 bad arguments.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "doc/CharCodes.h"

namespace {

using wabunko::CharCode;

constexpr const char* kUsage =
    "usage: wabconv --from sjis|jis|euc|form --to sjis|jis|euc [IN [OUT]]";
constexpr std::string_view kStandardStream = "-";

struct UsageError {
  std::string reason;
};

struct Help {};

struct IoError {
  std::string message;
};

IoError ioError(const std::string& name) { return {name + ": " + std::strerror(errno)}; }

struct Options {
  CharCode from;
  CharCode to;
  std::string in{kStandardStream};
  std::string out{kStandardStream};
};

// The form code can only be read: the editor never writes form bodies.
std::optional<CharCode> codeNamed(std::string_view name, bool forWriting) {
  if (name == "sjis") return CharCode::ShiftJis;
  if (name == "jis") return CharCode::Jis;
  if (name == "euc") return CharCode::Euc;
  if (name == "form" && !forWriting) return CharCode::InternetForm;
  return std::nullopt;
}

Options parseArguments(const std::vector<std::string_view>& args) {
  std::optional<CharCode> from, to;
  std::vector<std::string_view> files;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || arg == kStandardStream || !arg.starts_with("-")) {
      files.push_back(arg);
      continue;
    }
    if (arg == "--help") throw Help{};
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const bool isFrom = arg == "--from";
    if (!isFrom && arg != "--to") throw UsageError{"unknown option " + std::string(arg)};
    if (i + 1 == args.size()) throw UsageError{std::string(arg) + " needs a value"};
    const std::string_view value = args[++i];
    const std::optional<CharCode> code = codeNamed(value, !isFrom);
    if (!code)
      throw UsageError{"cannot " + std::string(isFrom ? "read" : "write") + " code " +
                       std::string(value)};
    (isFrom ? from : to) = code;
  }
  if (!from || !to) throw UsageError{"both --from and --to are needed"};
  if (files.size() > 2) throw UsageError{"too many files"};
  Options options{*from, *to};
  if (files.size() > 0) options.in = files[0];
  if (files.size() > 1) options.out = files[1];
  return options;
}

// Shift-JIS in the middle: decode unless the text already is, encode unless it stays.
std::string convert(const Options& options, std::string text) {
  if (options.from != CharCode::ShiftJis) text = wabunko::DecodeToShiftJis(options.from, text);
  if (options.to != CharCode::ShiftJis) text = wabunko::EncodeFromShiftJis(options.to, text);
  return text;
}

std::string readFd(int fd, const std::string& name) {
  std::string bytes;
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) return bytes;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw ioError(name);
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

std::string readInput(const std::string& path) {
  if (path == kStandardStream) return readFd(STDIN_FILENO, "standard input");
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw ioError(path);
  try {
    std::string bytes = readFd(fd, path);
    close(fd);
    return bytes;
  } catch (...) {
    close(fd);
    throw;
  }
}

void writeFd(int fd, std::string_view bytes, const std::string& name) {
  while (!bytes.empty()) {
    const ssize_t put = write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) throw ioError(name);
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
}

// A new file gets the mode the user's umask allows; a replaced one keeps its own.
mode_t modeFor(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A temporary file beside `target` that takes its place on commit and is removed otherwise.
class ReplacementFile {
 public:
  explicit ReplacementFile(std::string target) : target_(std::move(target)) {
    const std::filesystem::path path(target_);
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    name_ = (folder / ("." + path.filename().string() + ".wabconv-XXXXXX")).string();
    fd_ = mkstemp(name_.data());
    if (fd_ < 0) throw ioError(target_);
  }
  ~ReplacementFile() {
    if (fd_ >= 0) close(fd_);
    if (!committed_ && !name_.empty()) unlink(name_.c_str());
  }
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  void write(std::string_view bytes) { writeFd(fd_, bytes, target_); }

  void commit() {
    if (fchmod(fd_, modeFor(target_)) != 0 || fsync(fd_) != 0) throw ioError(target_);
    if (close(std::exchange(fd_, -1)) != 0) throw ioError(target_);
    if (rename(name_.c_str(), target_.c_str()) != 0) throw ioError(target_);
    committed_ = true;
  }

 private:
  std::string target_;
  std::string name_;
  int fd_ = -1;
  bool committed_ = false;
};

void writeOutput(const std::string& path, std::string_view bytes) {
  if (path == kStandardStream) return writeFd(STDOUT_FILENO, bytes, "standard output");
  ReplacementFile file(path);
  file.write(bytes);
  file.commit();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = parseArguments(std::vector<std::string_view>(argv + 1, argv + argc));
    writeOutput(options.out, convert(options, readInput(options.in)));
    return 0;
  } catch (const Help&) {
    std::printf("%s\n", kUsage);
    return 0;
  } catch (const UsageError& error) {
    std::fprintf(stderr, "wabconv: %s; %s\n", error.reason.c_str(), kUsage);
    return 2;
  } catch (const IoError& error) {
    std::fprintf(stderr, "wabconv: %s\n", error.message.c_str());
    return 1;
  }
}
