#include "CWabunkoApp.h"

#include "AppCommands.h"
#include "CAboutDlg.h"
#include "doc/CWabFileDlg.h"
#include "doc/CWabunkoDoc.h"
#include "doc/PathParts.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
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

namespace wabunko {
namespace {
CWabunkoApp* theApp = nullptr;

// The first argument names the file to open; options are not the program's.
QString fileArgument(const QStringList& arguments) {
  for (const QString& a : arguments)
    if (!a.startsWith(QLatin1Char('-'))) return a;
  return {};
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
  // One instance per user unless the user allowed more.
  singleInstance_ = new SingleInstance(QStringLiteral("Wabunko"), this);
  if (readInt(*store_, settings::FrameParentSingle) != 0) {
    switch (handOverToRunningInstance(arguments)) {
      case SingleInstance::Sent::Delivered: return Start::HandedOver;
      case SingleInstance::Sent::NoAnswer: {
        const QString file = fileArgument(arguments);
        const QString text = file.isEmpty()
                                 ? QStringLiteral("起動中の Wabunko が応答しません。")
                                 : tr("起動中の Wabunko が応答しないため、%1 を渡せませんでした。").arg(file);
        showMessage(nullptr, {text, QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Ok});
        return Start::Failed;
      }
      case SingleInstance::Sent::NoInstance: break;
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
  documents_->addTemplate(std::make_unique<DocTemplate>(
      QStringLiteral("Wabun"),
      DocTemplate::Factories{makeDocument, [] { return new CChildFrame(); },
                             [](Document* doc) { return new CWabunkoView(doc); }},
      [this] { return mainFrame_->mdiArea(); }));

  mainFrame_ = new CMainFrame();
  router_->setRoute([this] { return mainFrame_->commandRoute(); });
  connect(singleInstance_, &SingleInstance::messageReceived, mainFrame_,
          &CMainFrame::onOpenPassedFile);
  singleInstance_->listen();

  const QString file = fileArgument(arguments);
  if (!documents_->openDocumentFile(file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath()))
    return Start::Failed;

  mainFrame_->show();
  if (readInt(*store_, settings::FrameMaximized) != 0) mainFrame_->showMaximized();
  mainFrame_->activateWindow();
  return Start::Running;
}

SingleInstance::Sent CWabunkoApp::handOverToRunningInstance(const QStringList& arguments) {
  const QString file = fileArgument(arguments);
  const QString path = file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
  // The path also travels with the message, so two starts at the same moment cannot
  // swap their files through the shared setting.
  return singleInstance_->sendToRunning(path, [&] { writeSetting(*store_, settings::FileLoad, path); });
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

void CWabunkoApp::closeEmptyDocuments() {
  for (CWabunkoDoc* doc : documents()) {
    // A modified document is not untouched, even when it is empty now: closing it would
    // silently drop the user's edit.
    if (doc->m_bInSerialize || doc->isModified()) continue;
    const CWabunkoView* view = doc->view();
    if (view && view->edit().textLength() == 0) doc->onCloseDocument();
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
