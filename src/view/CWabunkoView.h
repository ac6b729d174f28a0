#pragma once
// The editing view of a document: its edit control, and the stream hook through which
// the document's load and save pass the file's bytes in and out of the control.

#include "doc/CharCodes.h"
#include "platform/EditControl.h"
#include "platform/View.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

class QPrinter;
#include <string>
#include <string_view>

namespace wabunko {

class CWabunkoDoc;
class DocumentEditControl;
class LineNumberGutter;
class RichTextEdit;
class VerticalTextEdit;

class CWabunkoView : public View {
  Q_OBJECT
public:
  explicit CWabunkoView(Document* document);

  CWabunkoDoc* document() const;
  EditControl& edit() const;
  LineNumberGutter& gutter() const { return *gutter_; }

  // Load: puts the file's bytes into the control, decoding `code`, and decides on the
  // read-only display.
  void streamIn(std::string_view bytes, bool richText, CharCode code, bool fileIsReadOnly);
  // Save: the control's content as the file's bytes in `code`; *lost counts the
  // characters the bytes cannot hold.
  std::string streamOut(bool richText, CharCode code, std::size_t* lost) const;

  void setBackgroundColor(int colorRef);

  // The rich text just loaded broke the format's rules; what could be read is shown.
  bool damagedOnLoad() const { return damagedOnLoad_; }

  void onInitialUpdate() override;
  // After each load or save: format buttons, change count, the title's mark.
  void afterStream();

  // Shows the caret's line and column in the status bar; extraLine 1 reports the start of
  // the next line (a line break is being typed).
  void reportCaret(int extraLine);
  // The format bar's bold, italic, underline and alignment buttons follow the selection.
  void syncFormatButtons();

  // Lays the text out in columns (or back in rows) in place: text, formats, undo steps,
  // modify flag, caret and selection stay as they are.
  void setVerticalWriting(bool vertical);

  int wordWrap() const { return wordWrap_; }
  void setWordWrap(int mode);
  // Page margins for printing, twips.
  static constexpr int kPrintMarginTwips = 720;
  // Prints the text as it is shown: in rows, or in columns in vertical writing.
  void print(QPrinter& printer) const;

  int changeCount = 0;
  int viewInsertMode = 1;
  int scrollLinked = 0;
  int verticalWriting = 0;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void applyDisplaySettings();
  void applyParagraphSettings();
  void applyReadOnlyFont();
  void mapCommands();
  void onContentsChanged();
  void onToggleReadOnly();
  void onFocusIn();
  void showContextMenu(const QPoint& globalPos);
  // Whole lines of the text being rewritten, as Shift-JIS bytes with their own side table.
  struct ByteRun {
    std::string_view bytes;
    std::string_view shared;  // rewrite's `shared`, in the run's bytes
    std::size_t offset;       // where `bytes` start among the bytes of all runs
    std::size_t total;        // the bytes of all runs
    bool first() const { return offset == 0; }
    bool last() const { return offset + bytes.size() == total; }
  };
  // Replaces [start, end) by what `convert` makes of its Shift-JIS bytes (nothing: leave
  // it), without undo; characters outside code page 932 survive through a side table. Text
  // with more of them than one side table holds goes through `convert` in runs of whole
  // lines, so `convert` must treat each line alike whatever comes before it. When a single
  // line (with `shared`) has too many, the user is told and nothing changes.
  using ByteConversion = std::function<std::optional<std::string>(const ByteRun&)>;
  void rewrite(int start, int end, const ByteConversion& convert, const QString& shared = {});
  void mapTextTools();
  void mapConversions();
  // The conversions work on the selection, or on the whole text unless "Convert Only
  // Selected" is set.
  void convertSelection(const ByteConversion& convert);
  void convertPunctuation();
  void onReopen();
  void prefixSelectedLines(const QString& prefix);
  void insertSignature();
  void appendToClipboard(bool cut);
  void cutWithClipRecord();
  void printWithDialog();
  void printPreview();
  // The length of a printed line (of a column in vertical writing) at the screen's resolution.
  int printWidthPixels() const;
  void onVerticalWriting();
  // Both controls, the shown one and the other.
  std::array<DocumentEditControl*, 2> controls() const;

  RichTextEdit* horizontal_;
  VerticalTextEdit* vertical_;
  DocumentEditControl* edit_;  // the one shown
  LineNumberGutter* gutter_;
  bool damagedOnLoad_ = false;
  int wordWrap_ = 2;
};

}  // namespace wabunko
