#pragma once
// The application's document templates and, through them, its documents and views, in
// creation order. Opening a file that is already open activates its window instead.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace wabunko {

class DocTemplate;
class Document;
class View;

class DocumentManager {
public:
  DocumentManager();
  ~DocumentManager();

  DocTemplate* addTemplate(std::unique_ptr<DocTemplate> docTemplate);
  const std::vector<std::unique_ptr<DocTemplate>>& templates() const { return templates_; }

  // Opens `path` with the first template, or activates the document already showing it
  // (paths compared canonically). An empty path makes a new document.
  Document* openDocumentFile(const QString& path);
  Document* findOpenDocument(const QString& path) const;

  // Every document of every template, in template and creation order.
  std::vector<Document*> documents() const;
  std::vector<View*> views() const;

  // Asks about every modified document; false when the user cancelled one.
  bool saveAllModified();
  void closeAllDocuments();

private:
  std::vector<std::unique_ptr<DocTemplate>> templates_;
};

}  // namespace wabunko
