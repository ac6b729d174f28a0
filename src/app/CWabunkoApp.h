#pragma once
// The application object: start-up in order, the single-instance hand-over, the one
// document template, the pending choices the file dialogs hand to the next load or save,
// the application's commands and the operations that reach every document or view.

#include "app/OpenRequest.h"
#include "doc/CharCodes.h"
#include "platform/CommandTarget.h"
#include "platform/SingleInstance.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

namespace wabunko {

class CMainFrame;
class CWabunkoDoc;
class CWabunkoView;
class CommandRouter;
class DocumentManager;
class FrameViewHost;
class HotKeyService;
class RecentFileList;
class SettingsStore;

class CWabunkoApp : public QObject, public CommandTarget {
  Q_OBJECT
public:
  // The store holds every setting; the application keeps it for its life.
  explicit CWabunkoApp(std::unique_ptr<SettingsStore> store);
  ~CWabunkoApp() override;

  // The one application object of the process.
  static CWabunkoApp& instance();

  enum class Start { Running, HandedOver, Failed };
  // Starts the program with the command-line arguments (program name excluded), reading
  // standard input when they say "-". A command line that asks for help or the version, or
  // does not parse, fails the start: the program has answered it before it got here.
  Start initInstance(const QStringList& arguments);

  // Choices of the file dialogs for the next document opened. A load takes them as it
  // starts (takePendingOptions), so nothing that runs while it shows a message sees them.
  int pendingReadOnly = 0;
  FileKind pendingKind = FileKind::Auto;
  CharCode pendingCode = CharCode::ShiftJis;
  FileOptions takePendingOptions();

  SettingsStore& store() const { return *store_; }
  DocumentManager& documentManager() const { return *documents_; }
  CommandRouter& router() const { return *router_; }
  CMainFrame* mainFrame() const { return mainFrame_; }
  RecentFileList* recentFiles() const { return recentFiles_.get(); }
  HotKeyService& hotKeyService() const { return *hotKeyService_; }

  // Opens a file with the pending values at rest (or a new document for an empty path).
  CWabunkoDoc* openDocumentFile(const QString& path);
  // Opens what a start asked for, each file in the request's code; false when nothing
  // opened (each failure has been reported).
  bool open(const OpenRequest& request);
  // A new, untitled document holding `bytes` read as plain text in `code`. Unless empty, the
  // text counts as a change: it is nowhere saved yet.
  CWabunkoDoc* openText(const QByteArray& bytes, CharCode code);


  // A long operation lets events through while it works (so its Cancel button works).
  // Meanwhile nothing may close or replace what it works on: hot keys do nothing, the main
  // window does not close, and what whenIdle is given waits until the operation has ended.
  class LongOperation {
  public:
    explicit LongOperation(CWabunkoApp& app);
    ~LongOperation();
    LongOperation(const LongOperation&) = delete;
    LongOperation& operator=(const LongOperation&) = delete;

  private:
    CWabunkoApp& app_;
  };
  bool inLongOperation() const { return longOperations_ > 0; }
  // Runs `work` now, or once the running long operation has ended and no modal dialog shows:
  // a dialog waits for its answer, and what the work opens or brings to the front would
  // stand above the dialog and under the user's input.
  void whenIdle(std::function<void()> work);

  // Operations over every document or view.
  void closeEmptyDocuments();
  void markAllChildren();
  void storeAllChildPlacements();
  void setChildBackground();
  // Every view's gutter lays itself out anew, and paints its numbers when `paint`.
  void refreshAllGutters(bool paint);
  std::vector<CWabunkoDoc*> documents() const;
  std::vector<CWabunkoView*> views() const;

  void onFileOpen();
  void onFileSaveAll();
  void onFileCloseAll();
  void onAppAbout();
  void onOpenRecentFile(int index);
  // A later start's request: opened once idle (see whenIdle), and the main window comes to
  // the front.
  void openPassed(const OpenRequest& request);

private:
  // Hands `request` to the running instance, or becomes the one later starts hand to.
  SingleInstance::Outcome handOverToRunningInstance(const OpenRequest& request);

  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<DocumentManager> documents_;
  std::unique_ptr<RecentFileList> recentFiles_;
  std::unique_ptr<FrameViewHost> viewHost_;
  CommandRouter* router_;
  HotKeyService* hotKeyService_;
  CMainFrame* mainFrame_ = nullptr;
  SingleInstance* singleInstance_ = nullptr;
  int longOperations_ = 0;
  std::vector<std::function<void()>> afterLongOperation_;
};

}  // namespace wabunko
