#pragma once
// The main window's two toolbars, "ツールバー" and "書式バー", built from their stored
// button lists, with the font boxes at the start of the format bar. Every button position
// has an action of its own that issues its command, so a command may stand on a bar twice
// and each of its buttons can be removed by position. Positions on the format bar count
// from the first button after the font boxes.

#include "frame/ToolButtonCatalogue.h"

#include <QIcon>
#include <QList>
#include <QObject>

#include <array>
#include <functional>

class QAction;
class QMainWindow;
class QToolBar;

namespace wabunko {

class CommandRouter;
class CWabunkoView;
class FontCombos;
class SettingsStore;

class ToolBars : public QObject {
  Q_OBJECT
public:
  // Creates both bars on `frame` and fills them from the store; a stored count outside
  // 0-30 gives the default buttons and writes -1 back. The font boxes apply what is chosen
  // in them to `activeView`'s selection (none: they change nothing).
  ToolBars(QMainWindow* frame, CommandRouter& router, SettingsStore& store,
           std::function<CWabunkoView*()> activeView = {});
  ~ToolBars() override;

  QToolBar* bar(Bar which) const;
  FontCombos& combos() const { return *combos_; }

  // The live edits of the toolbar page. `button` is a catalogue number.
  void appendToolButton(Bar which, int button);
  void insertToolButton(Bar which, int button, int position);
  void deleteToolButton(Bar which, int position);
  int buttonCount(Bar which) const;  // positions, the font boxes not counted

  // Both bars built again from the store, as the settings sheet's Cancel needs them; it
  // writes nothing.
  void rebuildToolBars();

  // The format bar's buttons of `command` show pressed or not; nothing for the other bar.
  void checkFormatButton(Bar which, int command, bool checked);

private:
  QToolBar* createBar(const QString& title, const QString& objectName);
  // Fills a bar from the store. At creation a stored count that selects the default
  // buttons is written back as -1; a rebuild writes nothing.
  enum class WriteBack { DefaultCount, Nothing };
  void fillBar(Bar which, WriteBack writeBack);
  // The bar's positions, the font boxes left out.
  QList<QAction*> positions(Bar which) const;
  // Puts catalogue entry `button` before `before` (nullptr: at the end).
  void addButton(Bar which, int button, QAction* before);

  QMainWindow* frame_;
  CommandRouter& router_;
  SettingsStore& store_;
  std::array<QToolBar*, 2> bars_{};
  FontCombos* combos_ = nullptr;
};

// The picture of a catalogue entry, on the bar and on the toolbar page: the desktop
// theme's where the theme has one that fits, the editor's own otherwise; the separator
// has one for the page.
QIcon toolButtonIcon(Bar which, int button);

}  // namespace wabunko
