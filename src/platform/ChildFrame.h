#pragma once
// A child frame inside the main window's MDI area, holding one view of a document.

#include "CommandTarget.h"

#include <QMdiSubWindow>

namespace wabunko {

class Document;
class View;

class ChildFrame : public QMdiSubWindow, public CommandTarget {
  Q_OBJECT
public:
  ChildFrame();

  virtual void setView(View* view);
  View* view() const { return view_; }
  Document* document() const;

  // Closes the frame without asking about the document (it is being closed already).
  void closeWithoutAsking();
  // Brings the frame forward in its area and gives its view the focus.
  virtual void activateFrame();

protected:
  void closeEvent(QCloseEvent* event) override;
  // The caption shown for the document's title; subclasses add their marks.
  virtual QString caption() const;
  void updateCaption();

private:
  View* view_ = nullptr;
  bool closingQuietly_ = false;
};

}  // namespace wabunko
