#pragma once
// The sample of a settings page: a fixed text, read-only, drawn in the format the page
// is choosing. It is named "サンプル" for assistive tools and takes no focus, since there
// is nothing in it to act on.

#include <QColor>
#include <QTextCharFormat>
#include <QTextEdit>

namespace wabunko {

class SampleText : public QTextEdit {
  Q_OBJECT
public:
  SampleText(const QString& text, QWidget* parent);

  // The whole text in `format`, on `background`.
  void showFormat(const QTextCharFormat& format, const QColor& background = QColor(Qt::white));
  // The format of the text shown.
  QTextCharFormat shownFormat() const;

  QSize sizeHint() const override;
};

}  // namespace wabunko
