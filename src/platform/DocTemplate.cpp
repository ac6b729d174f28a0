#include "DocTemplate.h"

#include "ChildFrame.h"
#include "Document.h"
#include "View.h"

#include <QMdiArea>
#include <utility>

namespace wabunko {

DocTemplate::DocTemplate(QString docName, Factories factories, std::function<QMdiArea*()> area)
    : docName_(std::move(docName)), factories_(std::move(factories)), area_(std::move(area)) {}

DocTemplate::~DocTemplate() {
  // Documents still open (the application ends without closing them) go with their template.
  for (Document* doc : std::exchange(documents_, {})) {
    doc->setDocTemplate(nullptr);
    delete doc;
  }
}

Document* DocTemplate::openDocumentFile(const QString& path) {
  Document* doc = factories_.document();
  doc->setDocTemplate(this);
  documents_.push_back(doc);

  // The view exists before the load: loading streams the file into it.
  ChildFrame* frame = factories_.frame();
  frame->setView(factories_.view(doc));
  area_()->addSubWindow(frame);

  const bool ok = path.isEmpty() ? doc->onNewDocument() : doc->onOpenDocument(path);
  if (!ok) {
    doc->onCloseDocument();
    return nullptr;
  }
  if (path.isEmpty())
    doc->setTitle(docName_ + QString::number(++untitledCount_));
  else
    doc->setPathName(path);
  doc->setModifiedFlag(false);

  frame->view()->onInitialUpdate();
  frame->show();
  frame->activateFrame();
  return doc;
}

void DocTemplate::removeDocument(Document* document) { std::erase(documents_, document); }

}  // namespace wabunko
