#pragma once
// One search of find in files, on a thread of its own: the files of a folder walk, or the
// files of the rows being narrowed, each read as the editor reads it at rest (an open
// document in its current text instead) and searched for the string. What it finds comes
// back to the thread that made the run, file by file in walk order, a batch at a time;
// Cancel stops it after the file being searched.

#include "search/ExtensionList.h"
#include "search/FolderWalk.h"
#include "search/ResultModel.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace wabunko {

class FindInFilesRun : public QObject {
  Q_OBJECT
public:
  struct Walk {
    std::string root;  // UTF-8
    ExtensionList extensions;
  };
  using Files = std::vector<std::string>;  // UTF-8 paths
  struct Progress {
    QString folder;  // being searched
    int files = 0;   // searched so far
    int rows = 0;    // found so far
  };
  struct Summary {
    Progress progress;
    bool cancelled = false;
    bool full = false;  // stopped at the most rows a search gives
    QStringList unreadable;  // folders and files that could not be read
  };

  // `needle` is code page 932; `openTexts` are the open documents' texts as code page 932
  // paragraphs joined by LF, by canonical path.
  FindInFilesRun(std::variant<Walk, Files> source, std::string needle, bool matchCase,
                 std::map<std::string, std::string> openTexts, QObject* parent = nullptr);
  ~FindInFilesRun() override;

  void start();
  void cancel();
  bool running() const { return running_; }

Q_SIGNALS:
  void found(const std::vector<FileResult>& batch);
  void progressed(const FindInFilesRun::Progress& progress);
  void finished(const FindInFilesRun::Summary& summary);

private:
  // What a few files gave.
  struct Searched {
    std::vector<FileResult> results;
    int files = 0;
    QStringList unreadable;
  };
  void work();
  Searched search(const std::vector<WalkFile>& files) const;
  // Hands what is waiting to this object's thread.
  void deliver(std::vector<FileResult> batch, Progress progress);

  std::variant<Walk, Files> source_;
  std::string needle_;
  bool matchCase_;
  std::map<std::string, std::string> openTexts_;
  std::atomic<bool> cancelled_{false};
  bool running_ = false;
  std::thread worker_;
};

}  // namespace wabunko
