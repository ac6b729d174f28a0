#include "CWabunkoApp.h"

#include "AppCommands.h"
#include "CAboutDlg.h"
#include "CommandLine.h"
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
#include <QFile>
#include <QMdiArea>
#include <QTimer>
#include <algorithm>
#include <string_view>
#include <utility>

namespace wabunko {
namespace {
CWabunkoApp* theApp = nullptr;

// The files of the command line, with paths made absolute because the running instance
// they may be handed to has a working folder of its own, and standard input's text read in
// full, since it cannot be read twice nor from another process.
OpenRequest requestOf(const CommandLine& line) {
  OpenRequest request{line.code, {}};
  for (const QString& file : line.files) {
    if (file != CommandLine::standardInput()) {
      request.items.append({file, {}});
      continue;
    }
    QFile input;
    // A closed standard input reads as no text.
    request.items.append({{}, input.open(stdin, QIODevice::ReadOnly) ? input.readAll() : QByteArray()});
  }
  return request;
}

bool holdsText(const OpenRequest& request) {
  return std::any_of(request.items.begin(), request.items.end(), [](const OpenRequest::Item& i) { return i.isText(); });
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
  const CommandLine line = parseCommandLine(arguments, systemLanguage());
  if (line.action != CommandLine::Action::Open) return Start::Failed;
  const OpenRequest request = requestOf(line);
  // One instance per user unless the user allowed more. Later starts are answered from
  // here on, while this one is still starting; what they hand over waits until this one
  // has opened its own files. An instance that cannot listen simply runs on its own.
  singleInstance_ = new SingleInstance(QStringLiteral("Wabunko"), this);
  if (readInt(*store_, settings::FrameParentSingle) == 0) {
    singleInstance_->listen();
  } else {
    switch (handOverToRunningInstance(request)) {
      case SingleInstance::Outcome::Delivered: return Start::HandedOver;
      case SingleInstance::Outcome::NoAnswer: {
        // Standard input's text exists nowhere else: rather than lose it, this start shows
        // it in a window of its own.
        if (holdsText(request)) break;
        const QString first = request.firstPath();
        const QString files = request.items.size() <= 1
                                  ? first
                                  : tr("%1 ほか %2 個のファイル").arg(first).arg(request.items.size() - 1);
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
  if (!open(request)) return Start::Failed;

  mainFrame_->show();
  if (readInt(*store_, settings::FrameMaximized) != 0) mainFrame_->showMaximized();
  mainFrame_->activateWindow();
  connect(singleInstance_, &SingleInstance::messageReceived, mainFrame_,
          [this](const QStringList& message) { openPassed(OpenRequest::fromMessage(message)); });
  singleInstance_->deliverMessages();
  return Start::Running;
}

SingleInstance::Outcome CWabunkoApp::handOverToRunningInstance(const OpenRequest& request) {
  // The whole request travels in one message, so two starts at the same moment cannot swap
  // their files through the shared setting, and a start's files are handed over all or
  // none. "Load" still names one file, the first: the one a command line of one file names.
  return singleInstance_->start(request.toMessage(),
                                [&] { writeSetting(*store_, settings::FileLoad, request.firstPath()); });
}

void CWabunkoApp::openPassed(const OpenRequest& request) {
  whenIdle([this, request] {
    open(request);
    mainFrame_->comeToFront();
  });
}

CWabunkoDoc* CWabunkoApp::openDocumentFile(const QString& path) {
  return static_cast<CWabunkoDoc*>(documents_->openDocumentFile(path));
}

bool CWabunkoApp::open(const OpenRequest& request) {
  if (request.items.isEmpty()) return documents_->openDocumentFile({}) != nullptr;
  bool opened = false;
  for (const OpenRequest::Item& item : request.items) {
    if (item.isText()) {
      opened = openText(item.text, request.code) || opened;
      continue;
    }
    pendingCode = request.code;
    opened = documents_->openDocumentFile(item.path) || opened;
    pendingCode = CharCode::ShiftJis;  // left untaken when the file was open already
  }
  return opened;
}

CWabunkoDoc* CWabunkoApp::openText(const QByteArray& bytes, CharCode code) {
  auto* doc = static_cast<CWabunkoDoc*>(documents_->openDocumentFile({}));
  if (!doc) return nullptr;
  // Shown as a plain-text file read in `code` would be, but never read-only, and the text,
  // unless empty, is a change not yet saved: closing asks about it, and Save asks for a name.
  doc->m_bInSerialize = 1;
  doc->showFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), code, false);
  doc->setCharCode(code);
  doc->display()->afterStream();
  if (!bytes.isEmpty()) {
    doc->setModifiedFlag(true);
    if (auto* frame = qobject_cast<CChildFrame*>(doc->views().front()->childFrame())) frame->setModifiedMark(true);
  }
  // As after a load, the untouched empty documents go.
  closeEmptyDocuments();
  doc->m_bInSerialize = 0;
  return doc;
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
  if (inLongOperation()) {
    afterLongOperation_.push_back(std::move(work));
  } else if (QApplication::activeModalWidget()) {
    // Nothing tells when a modal dialog has closed: look again shortly.
    constexpr int kModalRecheckMs = 100;
    QTimer::singleShot(kModalRecheckMs, this, [this, work = std::move(work)] { whenIdle(work); });
  } else {
    work();
  }
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
