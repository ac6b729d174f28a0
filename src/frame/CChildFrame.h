#pragma once
// The child frame around a document's view: its caption with the modified mark, its part
// in the arrangement of the child windows (the normal rectangle it keeps also while
// maximised or minimised, the no-overlap pass after each move or size, the
// maximised-child rule), its context menu and the next-window command.

#include "frame/ChildGeometry.h"
#include "platform/ChildFrame.h"

#include <QPointer>
#include <QRect>

namespace wabunko {

namespace cmd {
inline constexpr int WindowNext = 2202;  // "次のｳｨﾝﾄﾞｳ": this child to the bottom
}  // namespace cmd

class MdiArrangement;

inline Rect toRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
inline QRect toQRect(const Rect& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

class CChildFrame : public ChildFrame, public ArrangedChild {
  Q_OBJECT
public:
  CChildFrame();
  ~CChildFrame() override;

  // Activating a frame re-arranges the children.
  void activateFrame() override;

  // The document shows as edited: " *" follows the title.
  bool modifiedMark() const { return modifiedMark_; }
  void setModifiedMark(bool on);

  // Records the current normal rectangle as the last seen one.
  void storePlacement();

  Rect normalRect() const override;
  // While maximised or minimised the rectangle waits for the next restore.
  void setNormalRect(const Rect& rect) override;

  // A frame the framework shows while children are maximised shows maximised, and the
  // children are arranged once it is up.
  void setVisible(bool visible) override;

protected:
  QString caption() const override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  bool showsNormalRect() const;
  void afterGeometryChange();
  void onWindowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);

  QPointer<MdiArrangement> arrangement_;
  bool modifiedMark_ = false;
  // A maximised or minimised window's geometry is not its normal one: keep that here.
  QRect normalRect_;
  bool restorePending_ = false;
  // Qt hides and shows the window itself while it changes the window state.
  bool inStateChange_ = false;
  // The framework has shown the frame.
  bool shown_ = false;
};

}  // namespace wabunko
