#pragma once
// The child frame around a document's view: its caption with the modified mark, and the
// placement it keeps for the arrangement of the child windows.

#include "platform/ChildFrame.h"

#include <QRect>

namespace wabunko {

class CChildFrame : public ChildFrame {
  Q_OBJECT
public:
  CChildFrame();

  // Set when the frame takes part in the next arrangement pass.
  bool inArrangement = false;
  // The frame's normal (not maximised) rectangle as last recorded.
  QRect lastRect;
  // Shows " *" after the caption.
  void modifiedMark(bool on);

  void storePlacement();

  void setView(View* view) override;

protected:
  QString caption() const override;

private:
  bool marked_ = false;
};

}  // namespace wabunko
