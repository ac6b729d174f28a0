#pragma once
// The font boxes at the start of the format bar: the faces of the installed scalable
// fonts, and the sizes of the face new text gets. What is chosen in them, picked from the
// list or typed and confirmed with Enter, goes to the active view's selection; otherwise
// they show the caret's face and size.

#include <QComboBox>
#include <QString>

#include <functional>
#include <optional>

class QToolBar;

namespace wabunko {

class CWabunkoView;
class SettingsStore;

// An editable box of the format bar. Picking an item or pressing Enter chooses; leaving
// the box with the focus does not, so text typed and abandoned changes nothing. Esc
// leaves it for the text.
class FontBox : public QComboBox {
  Q_OBJECT
public:
  FontBox(const QString& name, int width, QWidget* parent);

Q_SIGNALS:
  void chosen(const QString& text);
  void abandoned();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  bool leaving_ = false;
};

class CFontNameCombo : public FontBox {
  Q_OBJECT
public:
  static constexpr int kId = 4111;
  explicit CFontNameCombo(QWidget* parent);

  // The item whose text or face is `text`, ignoring case; -1 when none is. An item keeps
  // its face without the script as its data.
  int itemFor(const QString& text) const;
  void showFace(const QString& face);
};

class CFontSizeCombo : public FontBox {
  Q_OBJECT
public:
  static constexpr int kId = 4112;
  // The sizes `face` offers, as the installed face it resolves to has them.
  CFontSizeCombo(const QString& face, QWidget* parent);

  void showSize(int twips);
};

class FontCombos : public QObject {
  Q_OBJECT
public:
  FontCombos(QToolBar* bar, SettingsStore& store, std::function<CWabunkoView*()> activeView, QObject* parent);

  CFontNameCombo* nameCombo() const { return name_; }
  CFontSizeCombo* sizeCombo() const { return size_; }

  // Runs on every caret move: does nothing while the caret's format stays the same.
  void showFormatOfCaret(const QString& face, int heightTwips);

private:
  void onFaceChosen(const QString& text);
  void onSizeChosen(const QString& text);
  // What cannot be applied is refused with a beep, and the caret's format shows again.
  void refuse();
  void showShown();
  // Esc: the caret's format shows again and the keyboard goes back to the text.
  void backToText();

  std::function<CWabunkoView*()> activeView_;
  CFontNameCombo* name_;
  CFontSizeCombo* size_;
  std::optional<QString> shownFace_;
  std::optional<int> shownHeight_;
};

}  // namespace wabunko
