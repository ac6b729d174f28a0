#include "ChildFrame.h"

#include "Document.h"
#include "View.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace wabunko {

ChildFrame::ChildFrame() { setAttribute(Qt::WA_DeleteOnClose); }

void ChildFrame::setView(View* view) {
  view_ = view;
  setWidget(view);
  if (Document* doc = view->document())
    connect(doc, &Document::titleChanged, this, &ChildFrame::updateCaption);
  updateCaption();
}

Document* ChildFrame::document() const { return view_ ? view_->document() : nullptr; }

void ChildFrame::closeWithoutAsking() {
  closingQuietly_ = true;
  close();
}

void ChildFrame::activateFrame() {
  if (mdiArea()) mdiArea()->setActiveSubWindow(this);
  if (view_) view_->setFocus();
}

void ChildFrame::closeEvent(QCloseEvent* event) {
  Document* doc = document();
  if (closingQuietly_ || !doc || doc->isClosing()) {
    QMdiSubWindow::closeEvent(event);
    return;
  }
  // The last view of a document closes the document, after asking about unsaved changes.
  if (doc->views().size() > 1) {
    QMdiSubWindow::closeEvent(event);
    return;
  }
  if (!doc->saveModified()) {
    event->ignore();
    return;
  }
  closingQuietly_ = true;
  doc->onCloseDocument();
  QMdiSubWindow::closeEvent(event);
}

QString ChildFrame::caption() const {
  const Document* doc = document();
  return doc ? doc->title() : QString();
}

void ChildFrame::updateCaption() { setWindowTitle(caption()); }

}  // namespace wabunko
