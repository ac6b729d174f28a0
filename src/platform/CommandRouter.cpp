#include "CommandRouter.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <algorithm>

namespace wabunko {

CommandRouter::CommandRouter(QObject* parent) : QObject(parent), idle_(new QTimer(this)) {
  // Toolbar buttons have no "about to show"; keep them current at a relaxed pace.
  idle_->setInterval(250);
  connect(idle_, &QTimer::timeout, this, &CommandRouter::updateAll);
  idle_->start();
}

bool CommandRouter::dispatch(int id) {
  if (!route_) return false;
  for (CommandTarget* target : route_())
    if (target && target->onCommand(id)) return true;
  return false;
}

CmdUI CommandRouter::update(int id) {
  CmdUI ui(id);
  if (!route_) return ui;
  const std::vector<CommandTarget*> route = route_();
  for (CommandTarget* target : route)
    if (target && target->onUpdate(id, ui)) return ui;
  ui.enable(std::any_of(route.begin(), route.end(),
                        [id](const CommandTarget* t) { return t && t->handlesCommand(id); }));
  return ui;
}

QAction* CommandRouter::action(int id, const QString& text) {
  QPointer<QAction>& slot = actions_[id];
  if (!slot) {
    slot = new QAction(text, this);
    slot->setData(id);
    connect(slot, &QAction::triggered, this, [this, id] { dispatch(id); });
  } else if (!text.isEmpty() && slot->text().isEmpty()) {
    slot->setText(text);
  }
  return slot;
}

void CommandRouter::watchMenu(QMenu* menu) {
  connect(menu, &QMenu::aboutToShow, this, [this, menu] {
    for (QAction* a : menu->actions())
      if (a->data().isValid() && !a->menu()) apply(a);
  });
}

void CommandRouter::updateAll() {
  for (const QPointer<QAction>& a : std::as_const(actions_))
    if (a) apply(a);
}

void CommandRouter::apply(QAction* action) {
  const CmdUI ui = update(action->data().toInt());
  action->setEnabled(ui.enabled());
  if (ui.checked()) {
    action->setCheckable(true);
    action->setChecked(*ui.checked());
  }
  if (ui.text()) action->setText(*ui.text());
}

}  // namespace wabunko
