#include "LineNumberGutter.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/EditControl.h"
#include "view/CharFormat.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <QWidget>
#include <QtMath>
#include <algorithm>

namespace wabunko {
namespace {

// The record's "Height" sizes the characters in pixels. It was made for faces whose
// cell is exactly their em square; the Japanese faces here add a line gap of nearly half an
// em to the cell, and a cell of "Height" pixels would make the digits too small to read.
QFont numberFont(const LogFont& record) {
  QFont font = charFormatFromFont(record).font();
  if (record.height > 0) font.setPixelSize(record.height);
  return font;
}

}  // namespace

LineNumberGutter::LineNumberGutter(EditControl& edit, std::function<bool()> lineNumbersOn,
                                   const SettingsStore& store, QObject* parent)
    : QObject(parent), edit_(&edit), lineNumbersOn_(std::move(lineNumbersOn)), store_(store) {
  edit_->widget()->installEventFilter(this);
}

void LineNumberGutter::attach(EditControl& edit) {
  edit_->widget()->removeEventFilter(this);
  edit_ = &edit;
  edit_->widget()->installEventFilter(this);
  layout();
}

int LineNumberGutter::layout() {
  stripWidth_ = lineNumbersOn_() ? std::max(0, 4 * lineNumberFont().font.height) : 0;
  edit_->setTextMargins(edit_->isVertical() ? QMargins(0, stripWidth_, 0, 0) : QMargins(stripWidth_, 0, 0, 0));
  edit_->widget()->update();
  return stripWidth_;
}

void LineNumberGutter::paint() {
  if (stripWidth_ > 0) edit_->widget()->update(stripRect());
}

std::vector<LineNumberGutter::Number> LineNumberGutter::numbers() const {
  return stripWidth_ > 0 ? numbersFor(lineNumberFont()) : std::vector<Number>{};
}

FontRecord LineNumberGutter::lineNumberFont() const {
  return readFont(store_, QString::fromUtf8(settings::kFontLineNumber));
}

std::vector<LineNumberGutter::Number> LineNumberGutter::numbersFor(const FontRecord& record) const {
  const int pitch = linePitch();
  const int first = record.font.height / 5;
  int line = edit_->firstVisibleLine();
  std::vector<Number> numbers;
  const auto number = [&line] { return QString::asprintf("%4d:", ++line); };
  // A line scrolled part of the way out of view takes its number with it.
  if (edit_->isVertical()) {
    // Columns follow each other leftwards from the right edge of the text.
    const int right = edit_->textArea().right() + 1 - edit_->widget()->contentsRect().left();
    for (int x = right - first + edit_->firstVisibleLineOffset(); x > 0; x -= pitch)
      numbers.push_back({number(), QPoint(x, 0)});
  } else {
    const int bottom = edit_->widget()->contentsRect().height();
    for (int y = first - edit_->firstVisibleLineOffset(); y < bottom; y += pitch)
      numbers.push_back({number(), QPoint(0, y)});
  }
  return numbers;
}

// The height of a line of default-format text as the control lays it out, so that the
// numbers stand beside their lines while the text keeps that format. (Points times
// dots per inch would do only for faces without line gap.) The sample holds a digit and
// a kana so that a default face without Japanese counts the face the text falls back on.
int LineNumberGutter::linePitch() const {
  QTextLayout sample(QStringLiteral("0あ"), edit_->defaultCharFormat().font(), edit_->widget());
  sample.beginLayout();
  const QTextLine line = sample.createLine();
  sample.endLayout();
  return std::max(1, qCeil(line.height()));
}

// Along the left edge of the client area, or along its top in vertical writing.
QRect LineNumberGutter::stripRect() const {
  const QRect client = edit_->widget()->contentsRect();
  if (edit_->isVertical()) return {client.topLeft(), QSize(client.width(), stripWidth_)};
  return {client.topLeft(), QSize(stripWidth_, client.height())};
}

bool LineNumberGutter::eventFilter(QObject* watched, QEvent* event) {
  // The control paints only its frame here; the text area is a child drawn afterwards.
  if (event->type() == QEvent::Paint && stripWidth_ > 0) drawNumbers();
  return QObject::eventFilter(watched, event);
}

void LineNumberGutter::drawNumbers() const {
  QWidget* widget = edit_->widget();
  const FontRecord record = lineNumberFont();
  const QRect strip = stripRect();
  QPainter painter(widget);
  painter.fillRect(strip, widget->palette().color(QPalette::Base));
  const QFont font = numberFont(record.font);
  painter.setFont(font);
  painter.setPen(colorFromRef(record.color));
  // Each number stands on its own white cell, whatever the background.
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(Qt::white);
  const int ascent = QFontMetrics(font, widget).ascent();
  const bool vertical = edit_->isVertical();
  for (const Number& number : numbersFor(record)) {
    if (!vertical) {
      painter.drawText(strip.topLeft() + number.at + QPoint(0, ascent), number.text);
      continue;
    }
    // Turned a quarter clockwise: the tops of the digits face right.
    painter.save();
    painter.translate(strip.topLeft() + number.at);
    painter.rotate(90);
    painter.drawText(QPoint(0, ascent), number.text);
    painter.restore();
  }
}

}  // namespace wabunko
