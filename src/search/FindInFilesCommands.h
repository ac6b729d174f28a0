#pragma once
// Find in files (32824, "ﾌｧｲﾙから検索..."): the conditions dialog, then a search over a
// folder tree on a thread of its own with its rows in the result window; from there a new
// search, narrowing to the listed files, and opening rows at their paragraphs. While a
// search runs, the command and narrowing wait; closing the main window stops it first.

#include "platform/CommandTarget.h"
#include "search/FindInFilesRun.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace wabunko {

class CFindResultDlg;
class CWabunkoDoc;
class SettingsStore;
struct FindState;

class FindInFilesCommands : public CommandTarget {
public:
  struct Hooks {
    // The open documents' texts as code page 932 paragraphs joined by LF, by canonical
    // path: they are searched as they stand, not as saved.
    std::function<std::map<std::string, std::string>()> openTexts;
    // Opens `path` through the ordinary open and puts the caret at the start of paragraph
    // `paragraph` (from 1).
    std::function<void(const QString& path, int paragraph)> openAt;
  };
  FindInFilesCommands(QWidget* window, SettingsStore& store, FindState& state, Hooks hooks);
  ~FindInFilesCommands() override;

  bool searching() const;
  // Stops a running search and waits for the file being searched.
  void stop();
  // The window of the latest search; nullptr before the first.
  CFindResultDlg* resultWindow() const { return results_.get(); }

private:
  void newSearch();
  void narrow();
  void run(std::variant<FindInFilesRun::Walk, FindInFilesRun::Files> source, const QString& text, bool matchCase);
  void createResultWindow();

  QWidget* window_;
  SettingsStore& store_;
  FindState& state_;
  Hooks hooks_;
  std::unique_ptr<CFindResultDlg> results_;
  std::unique_ptr<FindInFilesRun> run_;
};

// The texts of `documents` for the search, by canonical path (documents never saved have
// none).
std::map<std::string, std::string> openDocumentTexts(const std::vector<CWabunkoDoc*>& documents);
// The caret at the start of paragraph `paragraph` (from 1) of `document`'s text, or at
// its end when the text has fewer paragraphs now.
void showParagraph(CWabunkoDoc& document, int paragraph);

}  // namespace wabunko
