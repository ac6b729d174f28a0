#include "frame/StatusPanes.h"

#include <QLabel>
#include <QStatusBar>

namespace wabunko {
namespace {

// A lock pane shows the lock's name while it is on and nothing while it is off; its
// accessible name says which.
QString lockName(const QString& name, bool on) {
  return name + (on ? QStringLiteral(" オン") : QStringLiteral(" オフ"));
}

}  // namespace

StatusPanes::StatusPanes(QStatusBar* bar) {
  const QString widest[PaneCount] = {QStringLiteral("0000行：0000列"), QStringLiteral("ｶﾅ"), QStringLiteral("CAP"),
                                     QStringLiteral("NUM"), QStringLiteral("SCRL"), QStringLiteral("上書")};
  for (int i = 0; i < PaneCount; ++i) {
    auto* label = new QLabel(bar);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest[i]) + 8);
    bar->addPermanentWidget(label);
    panes_[i] = label;
  }
  show({});
}

void StatusPanes::show(const Values& values) {
  const QString position = QStringLiteral("%1行：%2列").arg(values.line).arg(values.column);
  set(LineColumn, position, position);
  // This platform has no kana lock.
  set(Kana, QString(), lockName(QStringLiteral("ｶﾅ"), false));
  const KeyboardLocks locks = values.locks.value_or(KeyboardLocks{});
  set(Caps, locks.capsLock ? QStringLiteral("CAP") : QString(), lockName(QStringLiteral("CAP"), locks.capsLock));
  set(Num, locks.numLock ? QStringLiteral("NUM") : QString(), lockName(QStringLiteral("NUM"), locks.numLock));
  set(Scroll, locks.scrollLock ? QStringLiteral("SCRL") : QString(),
      lockName(QStringLiteral("SCRL"), locks.scrollLock));
  set(Overwrite, values.overwrite ? QStringLiteral("上書") : QString(),
      values.overwrite ? QStringLiteral("上書") : QStringLiteral("挿入"));
}

void StatusPanes::set(Pane pane, const QString& text, const QString& accessibleName) {
  QLabel* label = panes_[pane];
  // The panes are refreshed several times a second: only real changes reach the screen
  // reader.
  if (label->text() != text) label->setText(text);
  if (label->accessibleName() != accessibleName) label->setAccessibleName(accessibleName);
}

}  // namespace wabunko
