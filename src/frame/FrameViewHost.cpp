#include "FrameViewHost.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "view/CWabunkoView.h"

namespace wabunko {

CMainFrame* FrameViewHost::mainFrame() const { return app_.mainFrame(); }

CommandRouter& FrameViewHost::router() const { return app_.router(); }

void FrameViewHost::runLongOperation(const std::function<void()>& work) {
  const CWabunkoApp::LongOperation busy(app_);
  work();
}

void FrameViewHost::showCaret(int line, int column) {
  if (CMainFrame* frame = mainFrame()) {
    frame->caretLine = line;
    frame->caretColumn = column;
  }
}

int FrameViewHost::lineLength() const {
  const CMainFrame* frame = mainFrame();
  return frame ? frame->lineLength : 80;
}

bool FrameViewHost::drawsLineNumbers() const {
  const CMainFrame* frame = mainFrame();
  return frame && frame->drawLineNumber != 0;
}

bool FrameViewHost::autoIndent() const {
  const CMainFrame* frame = mainFrame();
  return frame && frame->autoIndent != 0;
}

bool FrameViewHost::autoBrace() const {
  const CMainFrame* frame = mainFrame();
  return frame && frame->autoBrace != 0;
}

HotKeyService& FrameViewHost::hotKeyService() const { return app_.hotKeyService(); }

std::optional<int> FrameViewHost::insertMode() const {
  const CMainFrame* frame = mainFrame();
  return frame ? std::optional<int>(frame->insertMode) : std::nullopt;
}

void FrameViewHost::setInsertMode(int mode) {
  if (CMainFrame* frame = mainFrame()) frame->insertMode = mode;
}

void FrameViewHost::showImeStatus() {
  if (CMainFrame* frame = mainFrame()) frame->showImeStatus();
}

void FrameViewHost::showFormatOfCaret(const QString& face, int heightTwips) {
  if (CMainFrame* frame = mainFrame()) frame->showFormatOfCaret(face, heightTwips);
}

void FrameViewHost::checkFormatButton(int command, bool checked) {
  if (CMainFrame* frame = mainFrame()) frame->checkFormatButton(command, checked);
}

void FrameViewHost::setPrintPreviewActive(bool active) {
  if (CMainFrame* frame = mainFrame()) frame->printPreviewActive = active ? 1 : 0;
}

QWidget* FrameViewHost::window() const { return mainFrame(); }

void FrameViewHost::setModifiedMark(ChildFrame* frame, bool on) {
  if (auto* child = qobject_cast<CChildFrame*>(frame)) child->setModifiedMark(on);
}

QString FrameViewHost::userFilePath(const QString& suffix) const { return CMainFrame::userFilePath(suffix); }

std::vector<CWabunkoView*> FrameViewHost::firstViews() const {
  std::vector<CWabunkoView*> views;
  for (const CWabunkoDoc* doc : app_.documents())
    if (!doc->views().empty())
      if (auto* view = qobject_cast<CWabunkoView*>(doc->views().front())) views.push_back(view);
  return views;
}

}  // namespace wabunko
