#pragma once
// A document of the document/view framework: one file, shown by one or more views, each
// in its own child frame. Subclasses load and save; the framework names, tracks the
// modified state and asks before changes are lost.

#include "CommandTarget.h"

#include <QObject>
#include <QString>
#include <vector>

namespace wabunko {

class DocTemplate;
class View;

class Document : public QObject, public CommandTarget {
  Q_OBJECT
public:
  Document();
  ~Document() override;

  const QString& pathName() const { return pathName_; }
  // Takes an absolute form of the path; the title becomes the file's name.
  void setPathName(const QString& path);
  const QString& title() const { return title_; }
  void setTitle(const QString& title);

  virtual bool isModified() const { return modified_; }
  virtual void setModifiedFlag(bool modified = true);

  const std::vector<View*>& views() const { return views_; }
  void addView(View* view);
  void removeView(View* view);
  DocTemplate* docTemplate() const { return template_; }
  void setDocTemplate(DocTemplate* t) { template_ = t; }

  virtual bool onNewDocument() { return true; }
  // Load and save; false after the failure has been reported to the user.
  virtual bool onOpenDocument(const QString& path) = 0;
  virtual bool onSaveDocument(const QString& path) = 0;
  // Closes every frame showing the document and destroys it (later, from the event loop).
  virtual void onCloseDocument();
  bool isClosing() const { return closing_; }

  // Asks whether to save changes; false when the user cancelled (or the save failed).
  virtual bool saveModified();
  // Saves to `path`; with `replace` the document takes the path and title. An empty path
  // asks for one (saveAs).
  bool doSave(const QString& path, bool replace);
  // Saves to the document's own path, or asks for one when it has none or is read-only.
  bool doFileSave();
  // Asks for a path and saves there, taking it; false when cancelled or failed.
  virtual bool saveAs();

  // True when the file at `path` cannot be written in place: it does not exist or is
  // write-protected.
  static bool isReadOnlyFile(const QString& path);

Q_SIGNALS:
  void titleChanged(const QString& title);
  void pathNameChanged(const QString& path);
  void modifiedChanged(bool modified);

private:
  QString pathName_;
  QString title_;
  bool modified_ = false;
  bool closing_ = false;
  std::vector<View*> views_;
  DocTemplate* template_ = nullptr;
};

}  // namespace wabunko
