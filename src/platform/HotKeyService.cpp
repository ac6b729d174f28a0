#include "HotKeyService.h"

namespace wabunko {

HotKeyService::HotKeyService(QObject* parent) : QObject(parent) {}
HotKeyService::~HotKeyService() = default;
bool HotKeyService::registerHotKey(int, Modifier, int) { return false; }
void HotKeyService::unregisterHotKey(int) {}

}  // namespace wabunko
