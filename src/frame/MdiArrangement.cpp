#include "MdiArrangement.h"

#include <QMdiArea>

namespace wabunko {

MdiArrangement::MdiArrangement(QMdiArea* area, SettingsStore& store, QObject* parent)
    : QObject(parent), area_(area), store_(store) {}

void MdiArrangement::autoArrange() {}
void MdiArrangement::cascade() { area_->cascadeSubWindows(); }
void MdiArrangement::tileHorizontal() { area_->tileSubWindows(); }
void MdiArrangement::tileVertical() { area_->tileSubWindows(); }
void MdiArrangement::previousWindow() {}
void MdiArrangement::nextWindow() {}
bool MdiArrangement::onCommand(int) { return false; }
bool MdiArrangement::onUpdate(int, CmdUI&) { return false; }

}  // namespace wabunko
