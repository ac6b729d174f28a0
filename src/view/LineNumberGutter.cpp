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
    : QObject(parent), edit_(edit), lineNumbersOn_(std::move(lineNumbersOn)), store_(store) {
  edit_.widget()->installEventFilter(this);
}

int LineNumberGutter::layout() {
  stripWidth_ = lineNumbersOn_() ? std::max(0, 4 * lineNumberFont().font.height) : 0;
  edit_.setTextMargins(QMargins(stripWidth_, 0, 0, 0));
  edit_.widget()->update();
  return stripWidth_;
}

void LineNumberGutter::paint() {
  if (stripWidth_ > 0) edit_.widget()->update(stripRect());
}

std::vector<LineNumberGutter::Number> LineNumberGutter::numbers() const {
  return stripWidth_ > 0 ? numbersFor(lineNumberFont()) : std::vector<Number>{};
}

FontRecord LineNumberGutter::lineNumberFont() const {
  return readFont(store_, QString::fromUtf8(settings::kFontLineNumber));
}

std::vector<LineNumberGutter::Number> LineNumberGutter::numbersFor(const FontRecord& record) const {
  const int bottom = edit_.widget()->contentsRect().height();
  const int pitch = linePitch();
  int line = edit_.firstVisibleLine();
  std::vector<Number> numbers;
  // A line scrolled part of the way out of view takes its number with it.
  for (int y = record.font.height / 5 - edit_.firstVisibleLineOffset(); y < bottom; y += pitch)
    numbers.push_back({QString::asprintf("%4d:", ++line), QPoint(0, y)});
  return numbers;
}

// The height of a line of default-format text as the control lays it out, so that the
// numbers stand beside their lines while the text keeps that format. (Points times
// dots per inch would do only for faces without line gap.) The sample holds a digit and
// a kana so that a default face without Japanese counts the face the text falls back on.
int LineNumberGutter::linePitch() const {
  QTextLayout sample(QStringLiteral("0あ"), edit_.defaultCharFormat().font(), edit_.widget());
  sample.beginLayout();
  const QTextLine line = sample.createLine();
  sample.endLayout();
  return std::max(1, qCeil(line.height()));
}

// Along the left edge of the client area; vertical writing will keep it along the top.
QRect LineNumberGutter::stripRect() const {
  const QRect client = edit_.widget()->contentsRect();
  return {client.topLeft(), QSize(stripWidth_, client.height())};
}

bool LineNumberGutter::eventFilter(QObject* watched, QEvent* event) {
  // The control paints only its frame here; the text area is a child drawn afterwards.
  if (event->type() == QEvent::Paint && stripWidth_ > 0) drawNumbers();
  return QObject::eventFilter(watched, event);
}

void LineNumberGutter::drawNumbers() const {
  QWidget* widget = edit_.widget();
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
  const QPoint baseline = strip.topLeft() + QPoint(0, QFontMetrics(font, widget).ascent());
  for (const Number& number : numbersFor(record)) painter.drawText(baseline + number.at, number.text);
}

}  // namespace wabunko
