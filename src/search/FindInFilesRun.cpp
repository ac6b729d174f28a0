#include "FindInFilesRun.h"

#include "doc/TextBridge.h"
#include "platform/PosixFolderLister.h"
#include "search/FileHits.h"
#include "search/FolderWalk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <filesystem>
#include <future>
#include <iterator>
#include <optional>

namespace wabunko {
namespace {

using Clock = std::chrono::steady_clock;
// Rows reach the window at this pace, so the window keeps up with the walk.
constexpr auto kDeliveryPeriod = std::chrono::milliseconds(50);
// The most rows a search gives: more could not be read through, and would fill the memory
// (a file of "a" searched for "a" gives a row per letter).
constexpr int kMaxRows = 100000;
// Files searched by one task: enough to make a task worth its thread, few enough that
// the tasks share the work evenly.
constexpr std::size_t kFilesPerTask = 64;

QString utf8(const std::string& s) { return QString::fromStdString(s); }

// The whole file into `buffer`; false when it cannot be read or is no regular file. A
// listed file may have become a pipe since (or be one, in a narrowing's list), and opening
// a pipe to read waits for a writer: it is opened without waiting and then refused.
bool readFile(const std::string& path, std::string& buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  bool ok = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  buffer.clear();
  char chunk[1 << 16];
  for (ssize_t n; ok && (n = ::read(fd, chunk, sizeof chunk)) != 0;) {
    if (n < 0) ok = errno == EINTR;
    else buffer.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ok;
}

// The walk's files, or the listed ones.
class FileSource {
public:
  FileSource(std::variant<FindInFilesRun::Walk, FindInFilesRun::Files>& source, PosixFolderLister& lister) {
    if (auto* walk = std::get_if<FindInFilesRun::Walk>(&source))
      walk_.emplace(walk->root, walk->extensions, lister);
    else
      files_ = &std::get<FindInFilesRun::Files>(source);
  }
  std::optional<WalkFile> next() {
    if (walk_) return walk_->next();
    if (next_ >= files_->size()) return std::nullopt;
    const std::string& path = (*files_)[next_++];
    const std::size_t slash = path.rfind('/');
    return WalkFile{path.substr(0, slash + 1), path.substr(slash + 1)};
  }
  std::string folder() const { return walk_ ? walk_->currentFolder() : std::string(); }
  std::vector<std::string> unreadableFolders() const { return walk_ ? walk_->unreadableFolders() : std::vector<std::string>{}; }

private:
  std::optional<FolderWalk> walk_;
  const FindInFilesRun::Files* files_ = nullptr;
  std::size_t next_ = 0;
};

}  // namespace

FindInFilesRun::FindInFilesRun(std::variant<Walk, Files> source, std::string needle, bool matchCase,
                               std::map<std::string, std::string> openTexts, QObject* parent)
    : QObject(parent),
      source_(std::move(source)),
      needle_(std::move(needle)),
      matchCase_(matchCase),
      openTexts_(std::move(openTexts)) {}

FindInFilesRun::~FindInFilesRun() {
  cancel();
  if (worker_.joinable()) worker_.join();
}

void FindInFilesRun::start() {
  running_ = true;
  worker_ = std::thread([this] { work(); });
}

void FindInFilesRun::cancel() { cancelled_ = true; }

FindInFilesRun::Searched FindInFilesRun::search(const std::vector<WalkFile>& files) const {
  Searched searched;
  std::string buffer;
  for (const WalkFile& file : files) {
    // Cancel waits for no more than the file being searched.
    if (cancelled_) break;
    const std::string path = file.path();
    const std::string* text = nullptr;
    bool open = false;
    if (!openTexts_.empty()) {
      std::error_code error;
      const auto found = openTexts_.find(std::filesystem::canonical(path, error).string());
      if (!error && found != openTexts_.end()) {
        text = &found->second;
        open = true;
      }
    }
    if (!text && readFile(path, buffer)) text = &buffer;
    if (!text) {
      searched.unreadable << utf8(path);
      continue;
    }
    ++searched.files;
    const std::vector<FileHit> hits = open ? findInText(*text, needle_, matchCase_) : findInFile(*text, needle_, matchCase_);
    if (hits.empty()) continue;
    FileResult result{utf8(file.folder), utf8(file.name), {}};
    result.hits.reserve(hits.size());
    for (const FileHit& hit : hits)
      result.hits.emplace_back(hit.paragraph, QString::fromStdU16String(TextBridge::toUnicode(hit.excerpt)));
    searched.results.push_back(std::move(result));
  }
  return searched;
}

void FindInFilesRun::work() {
  PosixFolderLister lister;
  FileSource files(source_, lister);
  Summary summary;
  std::vector<FileResult> batch;
  auto lastDelivery = Clock::now();
  // The files are searched a few at a time on as many threads as the machine has cores;
  // what they find is taken in walk order.
  const std::size_t threads = std::max(1u, std::thread::hardware_concurrency());
  std::deque<std::future<Searched>> searching;
  const auto takeOldest = [&] {
    Searched searched = searching.front().get();
    searching.pop_front();
    if (summary.full) return;
    summary.progress.files += searched.files;
    summary.unreadable += searched.unreadable;
    for (FileResult& result : searched.results) {
      const int room = kMaxRows - summary.progress.rows;
      if (static_cast<int>(result.hits.size()) >= room) {
        result.hits.resize(static_cast<std::size_t>(room));
        summary.full = true;
        cancelled_ = true;
      }
      summary.progress.rows += static_cast<int>(result.hits.size());
      if (!result.hits.empty()) batch.push_back(std::move(result));
      if (summary.full) break;
    }
    if (Clock::now() - lastDelivery >= kDeliveryPeriod) {
      summary.progress.folder = utf8(files.folder());
      deliver(std::move(batch), summary.progress);
      batch.clear();
      lastDelivery = Clock::now();
    }
  };
  while (!cancelled_) {
    std::vector<WalkFile> some;
    while (some.size() < kFilesPerTask)
      if (std::optional<WalkFile> file = files.next()) some.push_back(std::move(*file));
      else break;
    if (some.empty()) break;
    searching.push_back(std::async(std::launch::async, [this, some = std::move(some)] { return search(some); }));
    if (searching.size() >= 2 * threads) takeOldest();
  }
  while (!searching.empty()) takeOldest();
  summary.progress.folder = utf8(files.folder());
  deliver(std::move(batch), summary.progress);
  summary.cancelled = cancelled_ && !summary.full;
  QStringList unreadable;
  for (const std::string& folder : files.unreadableFolders()) unreadable << utf8(folder);
  summary.unreadable = unreadable + summary.unreadable;
  QMetaObject::invokeMethod(this, [this, summary] {
    running_ = false;
    Q_EMIT finished(summary);
  }, Qt::QueuedConnection);
}

void FindInFilesRun::deliver(std::vector<FileResult> batch, Progress progress) {
  QMetaObject::invokeMethod(this, [this, batch = std::move(batch), progress] {
    if (!batch.empty()) Q_EMIT found(batch);
    Q_EMIT progressed(progress);
  }, Qt::QueuedConnection);
}

}  // namespace wabunko
