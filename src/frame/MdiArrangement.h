#pragma once
// Arrangement of the child windows in the main frame's MDI area: the three arrangement
// commands and the remembered method, automatic re-arrangement, the no-overlap rule for
// tiled children, the maximised-child rule and the MDI background colour.

#include "platform/CommandTarget.h"

#include <QObject>
#include <QString>

class QMdiArea;

namespace wabunko {

class CChildFrame;
class SettingsStore;

class MdiArrangement : public QObject, public CommandTarget {
  Q_OBJECT
public:
  MdiArrangement(QMdiArea* area, SettingsStore& store, QObject* parent = nullptr);

  QString arrangeMethod;
  bool autoArrangeChild = true;
  bool maximizedChild = false;
  int childCount = 0;

  void autoArrange();
  // The MDI arrangements themselves; they do not change arrangeMethod.
  void cascade();
  void tileHorizontal();  // one above the other
  void tileVertical();    // side by side
  // Window order hot keys and command 2202.
  void previousWindow();
  void nextWindow();

  bool onCommand(int id) override;
  bool onUpdate(int id, CmdUI& ui) override;

private:
  QMdiArea* area_;
  SettingsStore& store_;
};

}  // namespace wabunko
