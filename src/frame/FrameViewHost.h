#pragma once
// The main frame as its views see it: their caret goes to its status bar, their mirrored
// settings are its own.

#include "view/ViewHost.h"

namespace wabunko {

class CMainFrame;
class CWabunkoApp;

class FrameViewHost : public ViewHost {
public:
  explicit FrameViewHost(CWabunkoApp& app) : app_(app) {}

  void showCaret(int line, int column) override;
  int lineLength() const override;
  bool drawsLineNumbers() const override;
  bool autoIndent() const override;
  bool autoBrace() const override;
  HotKeyService& hotKeyService() const override;
  std::optional<int> insertMode() const override;
  void setInsertMode(int mode) override;
  void showImeStatus() override;
  void showFormatOfCaret(const QString& face, int heightTwips) override;
  void checkFormatButton(int command, bool checked) override;
  void setPrintPreviewActive(bool active) override;
  QWidget* window() const override;
  CommandRouter& router() const override;
  void runLongOperation(const std::function<void()>& work) override;
  void setModifiedMark(ChildFrame* frame, bool on) override;
  QString userFilePath(const QString& suffix) const override;
  std::vector<CWabunkoView*> firstViews() const override;

private:
  // The main frame of the moment (nullptr while there is none).
  CMainFrame* mainFrame() const;

  CWabunkoApp& app_;
};

}  // namespace wabunko
