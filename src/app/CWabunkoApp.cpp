#include "CWabunkoApp.h"

#include "AppCommands.h"
#include "CAboutDlg.h"
#include "doc/CWabFileDlg.h"
#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "doc/PathParts.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "frame/FrameViewHost.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/CommandRouter.h"
#include "platform/Dialogs.h"
#include "platform/DocTemplate.h"
#include "platform/DocumentManager.h"
#include "platform/HotKeyService.h"
#include "platform/RecentFileList.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/StandardCommands.h"
#include "view/CWabunkoView.h"
#include "view/LineNumberGutter.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QTimer>
#include <utility>

namespace wabunko {
namespace {
CWabunkoApp* theApp = nullptr;

// Every argument but options names a file to open, made absolute here because the running
// instance they may be handed to has a working folder of its own. None stands for one new
// document, which is what an empty path opens.
QStringList fileArguments(const QStringList& arguments) {
  QStringList paths;
  for (const QString& a : arguments)
    if (!a.isEmpty() && !a.startsWith(QLatin1Char('-'))) paths << QFileInfo(a).absoluteFilePath();
  if (paths.isEmpty()) paths << QString();
  return paths;
}
}  // namespace

CWabunkoApp::CWabunkoApp(std::unique_ptr<SettingsStore> store)
    : store_(std::move(store)), documents_(std::make_unique<DocumentManager>()),
      router_(new CommandRouter(this)), hotKeyService_(new HotKeyService(this)) {
  Q_ASSERT(!theApp);
  theApp = this;
  onCommandId(cmd::AppAbout, [this] { onAppAbout(); });
  onCommandId(cmd::FileNew, [this] { documents_->openDocumentFile({}); });
  onCommandId(cmd::FileOpen, [this] { onFileOpen(); });
  onCommandId(cmd::FileSaveAll, [this] { onFileSaveAll(); });
  onCommandId(cmd::FileCloseAll, [this] { onFileCloseAll(); });
  onCommandId(cmd::AppExit, [this] { mainFrame_->close(); });
  for (int id = cmd::FileMruFirst; id <= cmd::FileMruLast; ++id)
    onCommandId(id, [this, id] { onOpenRecentFile(id - cmd::FileMruFirst); });
}

CWabunkoApp::~CWabunkoApp() {
  delete mainFrame_;
  documents_.reset();
  theApp = nullptr;
}

CWabunkoApp& CWabunkoApp::instance() {
  Q_ASSERT(theApp);
  return *theApp;
}

CWabunkoApp::Start CWabunkoApp::initInstance(const QStringList& arguments) {
  const QStringList paths = fileArguments(arguments);
  // One instance per user unless the user allowed more. Later starts are answered from
  // here on, while this one is still starting; what they hand over waits until this one
  // has opened its own files. An instance that cannot listen simply runs on its own.
  singleInstance_ = new SingleInstance(QStringLiteral("Wabunko"), this);
  if (readInt(*store_, settings::FrameParentSingle) == 0) {
    singleInstance_->listen();
  } else {
    switch (handOverToRunningInstance(paths)) {
      case SingleInstance::Outcome::Delivered: return Start::HandedOver;
      case SingleInstance::Outcome::NoAnswer: {
        const QString files = paths.size() == 1 ? paths.constFirst()
                                                : tr("%1 ほか %2 個のファイル").arg(paths.constFirst()).arg(paths.size() - 1);
        const QString text = files.isEmpty()
                                 ? QStringLiteral("起動中の Wabunko が応答しません。")
                                 : tr("起動中の Wabunko が応答しないため、%1 を渡せませんでした。").arg(files);
        showMessage(nullptr, {text, QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Ok});
        return Start::Failed;
      }
      case SingleInstance::Outcome::Listening:
      case SingleInstance::Outcome::Alone: break;
    }
  }

  recentFiles_ = std::make_unique<RecentFileList>(
      *store_,
      [](int i) {
        const settings::Setting entry = settings::recentFile(static_cast<std::size_t>(i));
        return std::pair{QString::fromUtf8(entry.section), QString::fromUtf8(entry.key)};
      },
      readInt(*store_, settings::MenuNumberOfMruList));

  const auto makeDocument = [this] {
    auto* doc = new CWabunkoDoc();
    connect(doc, &Document::pathNameChanged, this, [this](const QString& path) { recentFiles_->add(path); });
    return doc;
  };
  viewHost_ = std::make_unique<FrameViewHost>(*this);
  documents_->addTemplate(std::make_unique<DocTemplate>(
      QStringLiteral("Wabun"),
      DocTemplate::Factories{makeDocument, [] { return new CChildFrame(); },
                             [this](Document* doc) { return new CWabunkoView(doc, *viewHost_, *store_); }},
      [this] { return mainFrame_->mdiArea(); }));

  // Keys for the whole desktop only when the user chose so: such a key is taken from every
  // other program.
  hotKeyService_->setSystemWide(readInt(*store_, settings::HotKeySystemWide) != 0);
  mainFrame_ = new CMainFrame();
  router_->setRoute([this] { return mainFrame_->commandRoute(); });

  // The start goes on as long as one of its files opens (each failure has been reported).
  bool opened = false;
  for (const QString& path : paths) opened = documents_->openDocumentFile(path) || opened;
  if (!opened) return Start::Failed;

  mainFrame_->show();
  if (readInt(*store_, settings::FrameMaximized) != 0) mainFrame_->showMaximized();
  mainFrame_->activateWindow();
  connect(singleInstance_, &SingleInstance::messageReceived, mainFrame_, [this](const QStringList& passed) {
    for (const QString& path : passed) mainFrame_->onOpenPassedFile(path);
  });
  singleInstance_->deliverMessages();
  return Start::Running;
}

SingleInstance::Outcome CWabunkoApp::handOverToRunningInstance(const QStringList& paths) {
  // All paths travel in one message, so two starts at the same moment cannot swap their
  // files through the shared setting, and a start's files are handed over all or none.
  // "Load" still names one file, the first: the one a command line of one file names.
  return singleInstance_->start(paths, [&] { writeSetting(*store_, settings::FileLoad, paths.constFirst()); });
}

CWabunkoDoc* CWabunkoApp::openDocumentFile(const QString& path) {
  return static_cast<CWabunkoDoc*>(documents_->openDocumentFile(path));
}

std::vector<CWabunkoDoc*> CWabunkoApp::documents() const {
  std::vector<CWabunkoDoc*> docs;
  for (Document* doc : documents_->documents())
    if (auto* d = qobject_cast<CWabunkoDoc*>(doc)) docs.push_back(d);
  return docs;
}

std::vector<CWabunkoView*> CWabunkoApp::views() const {
  std::vector<CWabunkoView*> views;
  for (View* view : documents_->views())
    if (auto* v = qobject_cast<CWabunkoView*>(view)) views.push_back(v);
  return views;
}

CWabunkoApp::LongOperation::LongOperation(CWabunkoApp& app) : app_(app) {
  if (app_.longOperations_++ == 0) app_.hotKeyService().setSuspended(true);
}

CWabunkoApp::LongOperation::~LongOperation() {
  if (--app_.longOperations_ > 0) return;
  app_.hotKeyService().setSuspended(false);
  // From the event loop: the operation's caller finishes first.
  QTimer::singleShot(0, &app_, [&app = app_] {
    for (const std::function<void()>& work : std::exchange(app.afterLongOperation_, {})) app.whenIdle(work);
  });
}

void CWabunkoApp::whenIdle(std::function<void()> work) {
  if (inLongOperation()) afterLongOperation_.push_back(std::move(work));
  else work();
}

void CWabunkoApp::closeEmptyDocuments() {
  for (CWabunkoDoc* doc : documents()) {
    // A modified document is not untouched, even when it is empty now: closing it would
    // silently drop the user's edit.
    if (doc->m_bInSerialize || doc->isModified()) continue;
    const DocumentDisplay* display = doc->display();
    if (display && display->edit().textLength() == 0) doc->onCloseDocument();
  }
}

void CWabunkoApp::markAllChildren() {
  for (CWabunkoView* view : views())
    if (auto* frame = qobject_cast<CChildFrame*>(view->childFrame())) frame->inArrangement = true;
}

void CWabunkoApp::storeAllChildPlacements() {
  for (CWabunkoView* view : views())
    if (auto* frame = qobject_cast<CChildFrame*>(view->childFrame())) frame->storePlacement();
}

void CWabunkoApp::setChildBackground() {
  const int color = readInt(*store_, settings::ColorBackGroundChild, 0);
  for (CWabunkoView* view : views()) view->setBackgroundColor(color);
}

void CWabunkoApp::refreshAllGutters(bool paint) {
  for (CWabunkoView* view : views()) {
    view->gutter().layout();
    if (paint) view->gutter().paint();
  }
}

FileOptions CWabunkoApp::takePendingOptions() {
  const FileOptions options{pendingCode, pendingKind, pendingReadOnly != 0};
  pendingReadOnly = 0;
  pendingKind = FileKind::Auto;
  pendingCode = CharCode::ShiftJis;
  return options;
}

void CWabunkoApp::onFileOpen() {
  pendingKind = FileKind::Auto;
  const FileDialogChoice choice = runWabFileDialog(
      mainFrame_, *store_,
      {true, readString(*store_, settings::FileOpenDir), {}, readInt(*store_, settings::FileExtDefaultOpen)});
  if (choice.accepted && !choice.paths.isEmpty()) {
    for (const QString& path : choice.paths) {
      pendingReadOnly = choice.readOnly ? 1 : 0;
      pendingKind = choice.kind;
      pendingCode = choice.code;
      documents_->openDocumentFile(path);
    }
    // Every chosen file is in one folder; the last one's path names it.
    const QString& last = choice.paths.constLast();
    writeSetting(*store_, settings::FileOpenDir, QString::fromStdString(splitPath(last.toStdString()).folder));
    addToDirectoryHistory(*store_, last);
  }
  pendingReadOnly = 0;
  pendingKind = FileKind::Auto;
  pendingCode = CharCode::ShiftJis;
}

void CWabunkoApp::onFileSaveAll() {
  for (CWabunkoDoc* doc : documents()) doc->onFileSave();
}

void CWabunkoApp::onFileCloseAll() {
  if (!documents_->saveAllModified()) return;
  documents_->closeAllDocuments();
}

void CWabunkoApp::onOpenRecentFile(int index) {
  const QString path = recentFiles_->files().value(index);
  if (path.isEmpty()) return;
  // A file that can no longer be opened leaves the list (the failure has been reported).
  if (!openDocumentFile(path)) recentFiles_->remove(index);
}

void CWabunkoApp::onAppAbout() {
  CAboutDlg about(mainFrame_);
  about.exec();
}

}  // namespace wabunko
