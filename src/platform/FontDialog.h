#pragma once
// The font dialog with effects and a text colour: face, style, size in tenths of a point,
// underline, strike-out and colour. Like the other dialogs it can be answered by a hook
// instead of a user; the hook drives the real dialog.

#include <QColor>
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace wabunko {

class FontSample;

struct FontChoice {
  QString family;
  int pointTenths = 120;  // 10.5 points: 105
  int weight = 400;       // as fonts count it: 400 regular, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  QColor color = Qt::black;
  bool operator==(const FontChoice&) const = default;
};

class FontDialog : public QDialog {
  Q_OBJECT
public:
  FontDialog(const FontChoice& initial, QWidget* parent = nullptr);

  FontChoice choice() const;
  void setChoice(const FontChoice& choice);

  // OK with a size that is not one, or no face, beeps and keeps the dialog open.
  void accept() override;

private:
  void showFamily(const QString& text);
  void fillStyles(const QString& installedFamily);
  void fillSizes(const QString& installedFamily);
  void showSize(const QString& text);
  void showColor(const QColor& color);
  void colorPicked(int index);
  void updateSample();

  QLineEdit* familyEdit_;
  QListWidget* familyList_;
  QListWidget* styleList_;
  QLineEdit* sizeEdit_;
  QListWidget* sizeList_;
  QCheckBox* strikeOut_;
  QCheckBox* underline_;
  QComboBox* colorCombo_;
  FontSample* sample_;
  // The chosen style and size, kept apart from the lists: a face may offer no style of the
  // weight it was given, and the size edit may hold text that is no size while typing.
  int weight_ = 400;
  bool italic_ = false;
  int pointTenths_ = 120;
  QColor color_;
};

// What the user chose, or nothing when they cancel.
std::optional<FontChoice> runFontDialog(QWidget* parent, const FontChoice& initial);
// Drives the dialog in place of a user; returns whether it was accepted.
using FontDialogHook = std::function<bool(FontDialog&)>;
void setFontDialogHook(FontDialogHook hook);

}  // namespace wabunko
