#pragma once
// A view of a document: the widget inside a child frame.

#include "CommandTarget.h"
#include "Document.h"

#include <QPointer>
#include <QWidget>

namespace wabunko {

class ChildFrame;

class View : public QWidget, public CommandTarget {
  Q_OBJECT
public:
  explicit View(Document* document);
  ~View() override;

  Document* document() const { return document_; }
  ChildFrame* childFrame() const;

  // Runs once, after the document has been loaded (or made new) and before the frame shows.
  virtual void onInitialUpdate() {}

private:
  QPointer<Document> document_;
};

}  // namespace wabunko
