#pragma once
// What a view needs of the window around it: where the caret's place is shown, the
// settings the window mirrors for all views, the hot-key service, the input method's
// button, print preview's mark, the window its dialogs stand over and the command route.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace wabunko {

class CWabunkoView;
class ChildFrame;
class CommandRouter;
class HotKeyService;

class ViewHost {
public:
  // The caret's line (from 1) and column for the status bar.
  virtual void showCaret(int line, int column) = 0;
  // Line Length's columns.
  virtual int lineLength() const = 0;
  virtual bool drawsLineNumbers() const = 0;
  // "Key input"/"Auto indent" and "Auto brace".
  virtual bool autoIndent() const = 0;
  virtual bool autoBrace() const = 0;
  // Where the view registers its hot keys.
  virtual HotKeyService& hotKeyService() const = 0;
  // Insert (1) or overwrite (0), one setting for all views; none while there is no window.
  virtual std::optional<int> insertMode() const = 0;
  virtual void setInsertMode(int mode) = 0;
  // The input method's button follows its open state.
  virtual void showImeStatus() = 0;
  // The format bar follows the caret: its font boxes show the face and the size (in
  // twips), its bold, italic, underline and alignment buttons whether the text has them.
  virtual void showFormatOfCaret(const QString& face, int heightTwips) = 0;
  virtual void checkFormatButton(int command, bool checked) = 0;
  virtual void setPrintPreviewActive(bool active) = 0;
  // The main window (nullptr while there is none).
  virtual QWidget* window() const = 0;
  virtual CommandRouter& router() const = 0;
  // Runs `work` as a long operation: hand-overs, hot keys and auto-save wait until it ends.
  virtual void runLongOperation(const std::function<void()>& work) = 0;
  // The " *" after the caption of the view's child frame.
  virtual void setModifiedMark(ChildFrame* frame, bool on) = 0;
  // The path of the user's own file ending in `suffix` (signature, clip record).
  virtual QString userFilePath(const QString& suffix) const = 0;
  // The first view of every open document, in document order (those that scroll together).
  virtual std::vector<CWabunkoView*> firstViews() const = 0;

protected:
  ~ViewHost() = default;
};

}  // namespace wabunko
