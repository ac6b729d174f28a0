#pragma once
// The editing view of a document: its edit control, and the display the document's load
// and save go through.

#include "doc/DocumentDisplay.h"
#include "platform/EditControl.h"
#include "platform/View.h"
#include "view/DisplaySettings.h"
#include "view/FormatCommands.h"
#include "view/InsertMode.h"
#include "view/KeyboardAids.h"
#include "view/NavigationCommands.h"
#include "view/TextToolCommands.h"

#include <array>
#include <functional>

class QPrinter;

namespace wabunko {

class CWabunkoDoc;
class DocumentEditControl;
class LineNumberGutter;
class RichTextEdit;
class ScrollLink;
class SettingsStore;
class VerticalTextEdit;
class ViewHost;
class ViewHotKeys;

class CWabunkoView : public View, public DocumentDisplay {
  Q_OBJECT
public:
  CWabunkoView(Document* document, ViewHost& host, SettingsStore& store);

  CWabunkoDoc* document() const;
  EditControl& edit() const override;
  LineNumberGutter& gutter() const { return *gutter_; }
  NavigationCommands& navigation() { return navigation_; }
  // Character and paragraph formats of the selection; the format bar follows the caret.
  FormatCommands& format() { return format_; }
  // The view's hot keys, held while it has the focus.
  ViewHotKeys& hotKeys() const { return *hotKeys_; }
  ViewHost& host() const { return host_; }
  // Scrolling together with the views of other documents.
  ScrollLink& scrollLink() const { return *scrollLink_; }
  SettingsStore& store() const { return store_; }

  void showText(const std::function<void(QTextDocument&)>& fill, bool richText, bool readOnly) override;

  void setBackgroundColor(int colorRef);
  // The fonts and composition colours of the settings as they stand now: the read-only
  // font for a document shown read-only, the standard one otherwise.
  void applyFontSettings();

  void onInitialUpdate() override;
  void afterStream() override;

  // Shows the caret's line and column in the status bar; extraLine 1 reports the start of
  // the next line (a line break is being typed).
  void reportCaret(int extraLine);
  // Lays the text out in columns (or back in rows) in place: text, formats, undo steps,
  // modify flag, caret and selection stay as they are.
  void setVerticalWriting(bool vertical);

  int wordWrap() const { return wordWrap_; }
  void setWordWrap(int mode);
  // Prints the text as it is shown: in rows, or in columns in vertical writing.
  void print(QPrinter& printer) const;

  int changeCount = 0;
  int scrollLinked = 0;
  int verticalWriting = 0;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void mapCommands();
  void onContentsChanged();
  void onToggleReadOnly();
  void showContextMenu(const QPoint& globalPos);
  void mapTextTools();
  void mapConversions();
  void mapNavigation();
  void mapFormatting();
  void moveCaretByHotKey(int id);
  void childWindowCommand(int id);
  void printPreview();
  void onVerticalWriting();
  // Both controls, the shown one and the other.
  std::array<DocumentEditControl*, 2> controls() const;

  ViewHost& host_;
  SettingsStore& store_;
  RichTextEdit* horizontal_;
  VerticalTextEdit* vertical_;
  DocumentEditControl* edit_;  // the one shown
  LineNumberGutter* gutter_;
  DisplaySettings display_;
  InsertMode insertMode_;
  TextToolCommands textTools_;
  NavigationCommands navigation_;
  FormatCommands format_;
  KeyboardAids keyboardAids_;
  ViewHotKeys* hotKeys_;
  ScrollLink* scrollLink_;
  int wordWrap_ = 2;
};

}  // namespace wabunko
