#include "CChildFrame.h"

#include "platform/Document.h"

#include <QIcon>

namespace wabunko {

CChildFrame::CChildFrame() {
  setWindowIcon(QIcon(QStringLiteral(":/icons/document.svg")));
}

void CChildFrame::setView(View* view) {
  ChildFrame::setView(view);
  if (Document* doc = document()) connect(doc, &Document::modifiedChanged, this, &CChildFrame::modifiedMark);
}

void CChildFrame::modifiedMark(bool on) {
  if (marked_ == on) return;
  marked_ = on;
  updateCaption();
}

void CChildFrame::storePlacement() {
  if (!isMaximized() && !isMinimized()) lastRect = geometry();
}

QString CChildFrame::caption() const {
  return ChildFrame::caption() + (marked_ ? QStringLiteral(" *") : QString());
}

}  // namespace wabunko
