#pragma once
// Arrangement of the child windows in the main frame's MDI area: the three arrangement
// commands and the remembered method, automatic re-arrangement, the no-overlap rule for
// tiled children, the maximised-child rule, the window order keys and the MDI
// background colour.

#include "frame/ChildGeometry.h"
#include "platform/CommandTarget.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QMdiArea;
class QMdiSubWindow;

namespace wabunko {

class SettingsStore;

class MdiArrangement : public QObject, public CommandTarget, public ArrangementHost {
  Q_OBJECT
public:
  MdiArrangement(QMdiArea* area, SettingsStore& store, QObject* parent = nullptr);

  // The last arrangement command's method: "重ねて", "上下に" or "左右に".
  QString arrangeMethod;
  bool autoArrangeChild = true;
  // Child windows are shown maximised.
  bool maximizedChild = false;
  // Child frames in existence.
  int childCount = 0;

  // Marks every child as in an arrangement, then arranges them by the stored method when
  // auto-arrange is on and children are not maximised.
  void autoArrange();
  // The MDI arrangements themselves; they do not change arrangeMethod.
  void cascade();
  void tileHorizontal();  // one above the other
  void tileVertical();    // side by side
  // Brings the child behind the active one to the top.
  void previousWindow();
  // Sends the active child to the bottom and brings the one behind it to the top.
  void nextWindow();

  // The first child frame shows maximised, the second follows "Maximized Child".
  void childCreated();
  void childDestroyed();

  // While one exists, window-state changes are the editor's own doing, not the user's
  // minimise, maximise or restore.
  class OwnStateChanges {
  public:
    explicit OwnStateChanges(MdiArrangement& arrangement) : arrangement_(arrangement) {
      ++arrangement_.ownStateChanges_;
    }
    ~OwnStateChanges() { --arrangement_.ownStateChanges_; }
    OwnStateChanges(const OwnStateChanges&) = delete;
    OwnStateChanges& operator=(const OwnStateChanges&) = delete;

  private:
    MdiArrangement& arrangement_;
  };
  bool ownStateChanges() const { return ownStateChanges_ > 0; }

  std::vector<ArrangedChild*> children() const override;
  bool noIntersection() const override;
  ArrangeMethod method() const override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void mapCommands();
  void setArrangeMethod(std::string_view text);
  void tile(ArrangeMethod method);
  // The visible children that are not minimised, maximised ones restored first, from the
  // bottom of the stacking order up.
  QList<QMdiSubWindow*> restoredWindows();
  static void place(const QList<QMdiSubWindow*>& windows, const std::vector<Rect>& rects);
  Rect clientRect() const;
  // The client rectangle less the rows of minimised windows along its bottom.
  Rect clientAboveIcons() const;
  QMdiSubWindow* windowBehindActive() const;
  void onSubWindowActivated(QMdiSubWindow* window);

  QMdiArea* area_;
  SettingsStore& store_;
  int ownStateChanges_ = 0;
  QPointer<QMdiSubWindow> active_;
};

}  // namespace wabunko
