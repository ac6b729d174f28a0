#pragma once
// The document: one open file, held as the content of its view's edit control. Load and
// save decide plain or rich text, convert the character code around the control's own
// streaming, make the backup copy on opening and close untouched empty documents.

#include "doc/CharCodes.h"
#include "doc/FileStamp.h"
#include "platform/Document.h"

#include <QPointer>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace wabunko {

class ChildFrame;
class DocumentDisplay;

class CWabunkoDoc : public Document {
  Q_OBJECT
public:
  // Writes `bytes` to `path` through a temporary file renamed over it, so that a failure
  // (a full disk among them) leaves what was there; false with the reason in `error`.
  static bool writeFileAtomically(const QString& path, const std::string& bytes, QString* error);
  CWabunkoDoc();

  // Opens with the file dialogs' pending choices.
  bool onOpenDocument(const QString& path) override;
  // Saves in the document's own code.
  bool onSaveDocument(const QString& path) override;
  bool load(const QString& path, const FileOptions& options);
  // Puts a file's bytes into the view in `code`, read-only when the file is and the
  // settings say so or the Open dialog chose it; false when rich text was damaged. The
  // document's own file, if it has one, is taken as read now.
  bool showFile(std::string_view bytes, CharCode code, bool fileIsReadOnly);
  // Writes the text to `path` in `code` without taking the path (a copy such as the
  // backup); characters the code cannot hold are not written unasked.
  bool saveCopy(const QString& path, CharCode code);
  // Writes a modified document to its own file in its own code without asking anything,
  // as auto-save does; the reason when it could not. A file another program changed or
  // removed since is left alone.
  std::optional<QString> saveQuietly();
  // Whether any document is being written just now (a save may wait on a message box).
  static bool saveRunning() { return savesRunning_ > 0; }
  bool isModified() const override;
  void setModifiedFlag(bool modified = true) override;
  bool saveAs() override;

  // Save (57603): asks for a new name when the file has none or is write-protected, and
  // whether to save when another program changed or removed the file since.
  void onFileSave();
  // Save As (57604).
  void onFileSaveAs();

  // The view showing the text (none while the document is being built or torn down).
  DocumentDisplay* display() const;

  // The code the document was read in (Open, Reopen) or last written in (Save As): what
  // Save writes.
  CharCode charCode() const { return code_; }
  void setCharCode(CharCode code) { code_ = code; }

  // Rich text (true) or plain text.
  bool m_bRTF = false;
  // 1 while this document's own load or save closes the empty documents, and for the whole
  // of its load: a message the load shows lets timers and handed-over files run, which close
  // the empty documents too, and this one is still empty.
  int m_bInSerialize = 0;
  // The Open dialog's read-only choice when the document was opened.
  int m_bReadOnly = 0;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // The code a save writes: a document read as Internet Form, which cannot be written, is
  // written as Shift-JIS.
  static CharCode writableCode(CharCode code);
  // Writes the text to `path` in `code`, as rich text or plain text; the document takes the
  // kind only when the write succeeds. With `quietFailure`, nothing is asked or shown and
  // the reason for a failure is put there; otherwise the user is asked about characters the
  // code cannot hold and told of failures.
  bool write(const QString& path, CharCode code, bool rtf, QString* quietFailure = nullptr);
  void closeEmptyDocumentsExceptThis();
  // Where the document's messages and dialogs stand.
  QWidget* dialogParent() const;
  void writeBackup(const QString& path);

  // What is on disk at `path` now is what the document holds.
  void recordDisk(const QString& path);
  // Whether `path` is the file the document keeps a record of.
  bool isRecordedFile(const QString& path) const;
  // Asks before a save overwrites (or writes again) a file another program changed or
  // removed; true when there is nothing to ask or the user said yes.
  bool mayOverwriteOwnFile();
  // The user hears once of each change another program makes to the file, when the
  // document's window is activated.
  void watchActivation();
  void noticeChangeOnDiskLater();
  void noticeChangeOnDisk();
  QString fileName() const;

  CharCode code_ = CharCode::ShiftJis;
  FileStamp disk_;
  QPointer<ChildFrame> watchedFrame_;
  bool noticePending_ = false;
  static inline int savesRunning_ = 0;
};

}  // namespace wabunko
