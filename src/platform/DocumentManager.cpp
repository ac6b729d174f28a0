#include "DocumentManager.h"

#include "ChildFrame.h"
#include "DocTemplate.h"
#include "Document.h"
#include "View.h"

#include <QFileInfo>

namespace wabunko {
namespace {
QString canonical(const QString& path) {
  const QFileInfo info(path);
  const QString real = info.canonicalFilePath();
  return real.isEmpty() ? info.absoluteFilePath() : real;
}
}  // namespace

DocumentManager::DocumentManager() = default;
DocumentManager::~DocumentManager() = default;

DocTemplate* DocumentManager::addTemplate(std::unique_ptr<DocTemplate> docTemplate) {
  templates_.push_back(std::move(docTemplate));
  return templates_.back().get();
}

Document* DocumentManager::findOpenDocument(const QString& path) const {
  const QString wanted = canonical(path);
  for (Document* doc : documents())
    if (!doc->pathName().isEmpty() && canonical(doc->pathName()) == wanted) return doc;
  return nullptr;
}

Document* DocumentManager::openDocumentFile(const QString& path) {
  if (templates_.empty()) return nullptr;
  if (!path.isEmpty()) {
    if (Document* open = findOpenDocument(path)) {
      if (!open->views().empty())
        if (ChildFrame* frame = open->views().front()->childFrame()) frame->activateFrame();
      return open;
    }
  }
  return templates_.front()->openDocumentFile(path);
}

std::vector<Document*> DocumentManager::documents() const {
  std::vector<Document*> all;
  for (const auto& t : templates_) all.insert(all.end(), t->documents().begin(), t->documents().end());
  return all;
}

std::vector<View*> DocumentManager::views() const {
  std::vector<View*> all;
  for (Document* doc : documents()) all.insert(all.end(), doc->views().begin(), doc->views().end());
  return all;
}

bool DocumentManager::saveAllModified() {
  for (Document* doc : documents())
    if (!doc->saveModified()) return false;
  return true;
}

void DocumentManager::closeAllDocuments() {
  for (Document* doc : documents()) doc->onCloseDocument();
}

}  // namespace wabunko
