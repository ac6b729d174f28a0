#pragma once
// Ties a document class to its child frame and view class, makes new documents and opens
// files, and keeps its documents in creation order.

#include <QString>
#include <functional>
#include <vector>

class QMdiArea;

namespace wabunko {

class ChildFrame;
class Document;
class View;

class DocTemplate {
public:
  struct Factories {
    std::function<Document*()> document;
    std::function<ChildFrame*()> frame;
    std::function<View*(Document*)> view;
  };

  // `docName` titles new documents: docName1, docName2, ...
  DocTemplate(QString docName, Factories factories, std::function<QMdiArea*()> area);
  ~DocTemplate();

  // An empty path makes a new document. Nothing when loading failed (already reported).
  Document* openDocumentFile(const QString& path);

  const std::vector<Document*>& documents() const { return documents_; }
  void removeDocument(Document* document);

private:
  QString docName_;
  Factories factories_;
  std::function<QMdiArea*()> area_;
  int untitledCount_ = 0;
  std::vector<Document*> documents_;
};

}  // namespace wabunko
