#include "View.h"

#include "ChildFrame.h"
#include "Document.h"

namespace wabunko {

View::View(Document* document) : document_(document) {
  if (document_) document_->addView(this);
}

View::~View() {
  if (document_) document_->removeView(this);
}

ChildFrame* View::childFrame() const {
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* frame = qobject_cast<ChildFrame*>(w)) return frame;
  return nullptr;
}

}  // namespace wabunko
