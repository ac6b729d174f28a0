#include "settings/SampleText.h"

#include <QPalette>
#include <QTextCursor>

namespace wabunko {

SampleText::SampleText(const QString& text, QWidget* parent) : QTextEdit(parent) {
  setAccessibleName(QStringLiteral("サンプル"));
  setReadOnly(true);
  setTextInteractionFlags(Qt::NoTextInteraction);
  setFocusPolicy(Qt::NoFocus);
  setPlainText(text);
}

void SampleText::showFormat(const QTextCharFormat& format, const QColor& background) {
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  all.setCharFormat(format);
  QPalette shown = palette();
  shown.setColor(QPalette::Base, background);
  setPalette(shown);
}

QTextCharFormat SampleText::shownFormat() const {
  QTextCursor first(document());
  first.movePosition(QTextCursor::NextCharacter);
  return first.charFormat();
}

QSize SampleText::sizeHint() const {
  // Room for the text at a large size without making the page tall.
  return {240, 3 * fontMetrics().height() + 2 * frameWidth()};
}

}  // namespace wabunko
