#include "ScrollLink.h"

#include <QGuiApplication>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace wabunko {
namespace {

ScrollModifiersHook& modifiersHook() {
  static ScrollModifiersHook hook;
  return hook;
}

Qt::KeyboardModifiers heldModifiers() {
  return modifiersHook() ? modifiersHook()() : QGuiApplication::queryKeyboardModifiers();
}

// Set while followers scroll: what they do is not shared again.
bool sharing = false;

}  // namespace

void setScrollModifiersHook(ScrollModifiersHook hook) { modifiersHook() = std::move(hook); }

ScrollLink::ScrollLink(Hooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks)) {}

void ScrollLink::watch(QScrollBar* bar) {
  connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { share(bar, action); });
}

ScrollLink::Followers ScrollLink::followersFor(Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ControlModifier) return Followers::None;
  return modifiers & Qt::ShiftModifier ? Followers::All : Followers::Linked;
}

void ScrollLink::share(QScrollBar* origin, int action) {
  // A thumb moves without being held when the wheel turns over the text: that is no
  // scroll-bar action of the user's.
  if (sharing || origin != hooks_.lineScrollBar() || action == QAbstractSlider::SliderNoAction ||
      (action == QAbstractSlider::SliderMove && !origin->isSliderDown()))
    return;
  const std::vector<ScrollLink*> participants = hooks_.participants();
  // A further view of a document scrolls on its own.
  if (std::find(participants.begin(), participants.end(), this) == participants.end()) return;
  const Followers followers = followersFor(heldModifiers());
  if (followers == Followers::None) return;
  const int range = origin->maximum() - origin->minimum();
  // The bar's value follows the action after this signal; its slider position already is there.
  const double fraction = range > 0 ? double(origin->sliderPosition() - origin->minimum()) / range : 0.0;
  sharing = true;
  for (ScrollLink* other : participants)
    if (other != this && (followers == Followers::All || other->hooks_.linked())) other->follow(action, fraction);
  sharing = false;
}

void ScrollLink::follow(int action, double fraction) {
  QScrollBar* bar = hooks_.lineScrollBar();
  if (action != QAbstractSlider::SliderMove) return bar->triggerAction(QAbstractSlider::SliderAction(action));
  // The thumb's own move, as a drag would do it.
  bar->setSliderPosition(bar->minimum() + int(std::lround(fraction * (bar->maximum() - bar->minimum()))));
  bar->setValue(bar->sliderPosition());
}

}  // namespace wabunko
