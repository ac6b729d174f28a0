#include "FindInFilesCommands.h"

#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "doc/TextBridge.h"
#include "platform/RichTextStream.h"
#include "platform/Utf16.h"
#include "search/CFindInFilesDlg.h"
#include "search/CFindResultDlg.h"
#include "search/FindState.h"
#include "search/SearchCommands.h"

#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

namespace wabunko {

FindInFilesCommands::FindInFilesCommands(QWidget* window, SettingsStore& store, FindState& state, Hooks hooks)
    : window_(window), store_(store), state_(state), hooks_(std::move(hooks)) {
  onCommandId(cmd::FindInFiles, [this] { newSearch(); });
  onUpdateId(cmd::FindInFiles, [this](CmdUI& ui) { ui.enable(!searching()); });
}

FindInFilesCommands::~FindInFilesCommands() { stop(); }

bool FindInFilesCommands::searching() const { return run_ && run_->running(); }

void FindInFilesCommands::stop() {
  if (!run_) return;
  run_->cancel();
  run_.reset();  // waits for the file being searched
}

void FindInFilesCommands::newSearch() {
  if (searching()) return;
  const std::optional<FindInFilesConditions> conditions =
      runFindInFilesDialog(window_, store_, FindInFilesPurpose::Search);
  if (!conditions) return;
  createResultWindow();
  FindInFilesRun::Walk walk{conditions->folder.toStdString(),
                            conditions->allFiles ? ExtensionList::allFiles()
                                                 : ExtensionList::parse(conditions->extensions.toStdString())};
  run(std::move(walk), conditions->text, conditions->matchCase);
}

void FindInFilesCommands::narrow() {
  if (searching() || !results_) return;
  const std::vector<std::string> paths = results_->model().rows().paths();
  const std::optional<FindInFilesConditions> conditions =
      runFindInFilesDialog(results_.get(), store_, FindInFilesPurpose::Narrow);
  if (!conditions) return;
  results_->model().clear();
  run(paths, conditions->text, conditions->matchCase);
}

void FindInFilesCommands::createResultWindow() {
  // The window of an earlier search may be the one whose button asked for this search.
  if (results_) results_.release()->deleteLater();
  results_ = std::make_unique<CFindResultDlg>(window_);
  CFindResultDlg* results = results_.get();
  // The buttons' work is done after their click, which may replace the window.
  QObject::connect(results, &CFindResultDlg::newSearchRequested, results,
                   [this] { QTimer::singleShot(0, window_, [this] { newSearch(); }); });
  QObject::connect(results, &CFindResultDlg::narrowRequested, results,
                   [this] { QTimer::singleShot(0, window_, [this] { narrow(); }); });
  QObject::connect(results, &CFindResultDlg::stopRequested, results, [this] {
    if (run_) run_->cancel();
  });
  QObject::connect(results, &CFindResultDlg::openRequested, results, [this](const std::vector<ResultRow>& rows) {
    for (const ResultRow& row : rows) hooks_.openAt(QString::fromStdString(row.folder + row.file), row.paragraph);
  });
  results->show();
  results->raise();
  results->activateWindow();
}

void FindInFilesCommands::run(std::variant<FindInFilesRun::Walk, FindInFilesRun::Files> source, const QString& text,
                              bool matchCase) {
  // Find next in an editor window then looks for this string.
  state_.findText = text;
  state_.findFlags = matchCase ? 1 : 0;
  run_ = std::make_unique<FindInFilesRun>(std::move(source), TextBridge::toShiftJis(utf16(text)), matchCase,
                                          hooks_.openTexts());
  CFindResultDlg* results = results_.get();
  QObject::connect(run_.get(), &FindInFilesRun::found, results,
                   [results](const std::vector<FileResult>& batch) { results->model().add(batch); });
  QObject::connect(run_.get(), &FindInFilesRun::progressed, results, &CFindResultDlg::showProgress);
  QObject::connect(run_.get(), &FindInFilesRun::finished, results, &CFindResultDlg::searchEnded);
  results->searchStarted();
  run_->start();
}

std::map<std::string, std::string> openDocumentTexts(const std::vector<CWabunkoDoc*>& documents) {
  std::map<std::string, std::string> texts;
  for (const CWabunkoDoc* document : documents) {
    const QString path = QFileInfo(document->pathName()).canonicalFilePath();
    if (path.isEmpty() || !document->display()) continue;
    const QString text = RichTextStream::plainText(*document->display()->edit().textDocument());
    texts[path.toStdString()] = TextBridge::toShiftJis(utf16(text));
  }
  return texts;
}

void showParagraph(CWabunkoDoc& document, int paragraph) {
  DocumentDisplay* display = document.display();
  if (!display) return;
  EditControl& edit = display->edit();
  const QTextBlock block = edit.textDocument()->findBlockByNumber(paragraph - 1);
  const int at = block.isValid() ? block.position() : edit.textLength();
  edit.setSel(at, at);
  edit.widget()->setFocus();
}

}  // namespace wabunko
