#pragma once
// The document: one open file, held as the content of its view's edit control. Load and
// save decide plain or rich text, convert the character code around the control's own
// streaming, make the backup copy on opening and close untouched empty documents.

#include "platform/Document.h"

#include <string>

namespace wabunko {

class CWabunkoView;

class CWabunkoDoc : public Document {
  Q_OBJECT
public:
  CWabunkoDoc();

  bool onOpenDocument(const QString& path) override;
  bool onSaveDocument(const QString& path) override;
  bool isModified() const override;
  void setModifiedFlag(bool modified = true) override;
  bool saveAs() override;

  // Save (57603): asks for a new name when the file has none or is write-protected.
  void onFileSave();
  // Save As (57604).
  void onFileSaveAs();

  CWabunkoView* view() const;

  // Rich text (true) or plain text.
  bool m_bRTF = false;
  // 1 while this document's own load or save closes the empty documents.
  int m_bInSerialize = 0;
  // The Open dialog's read-only choice when the document was opened.
  int m_bReadOnly = 0;

private:
  void closeEmptyDocumentsExceptThis();
  void writeBackup(const QString& path);
  static bool writeFileAtomically(const QString& path, const std::string& bytes, QString* error);
};

}  // namespace wabunko
