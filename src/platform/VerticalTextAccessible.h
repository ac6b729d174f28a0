#pragma once
// What screen readers and other assistive technology see of a VerticalTextEdit: an
// editable text whose lines are the control's columns, with its caret, selection,
// character cells on the screen, and edits, and the notices of their changes.
//
// Offsets count characters as the document does, a paragraph break being one; the reader
// gets the break as "\n".

#include <QAccessibleWidget>
#include <QObject>
#include <QPointer>
#include <QTextDocument>

namespace wabunko {

class VerticalTextEdit;

class VerticalTextAccessible : public QAccessibleWidget,
                               public QAccessibleTextInterface,
                               public QAccessibleEditableTextInterface {
public:
  explicit VerticalTextAccessible(VerticalTextEdit* edit);

  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;
  using QAccessibleWidget::text;

  // QAccessibleTextInterface
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                           int* endOffset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                          int* endOffset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                       int* endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

  // QAccessibleEditableTextInterface: refused while the control is read-only.
  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
  // A piece of the text: [start, end), or start -1 for none.
  struct Piece {
    int start = -1;
    int end = -1;
  };

  VerticalTextEdit* edit() const;
  QTextDocument* document() const;
  // Sets the control's caret, clamped to the text.
  void select(int anchor, int position);
  // The piece of `boundary` holding `offset`. The pieces of each kind follow each other
  // without gaps; at the end of the text, the one ending there (an empty one for
  // characters).
  Piece pieceAt(int offset, QAccessible::TextBoundaryType boundary) const;
  Piece pieceInParagraph(int offset, QAccessible::TextBoundaryType boundary) const;
  QString answer(Piece piece, int* startOffset, int* endOffset) const;
};

// Tells assistive technology of the caret, selection and text changes of one control, and
// makes VerticalTextAccessible the control's accessible face. Owned by the control.
class VerticalTextAccessibility : public QObject {
  Q_OBJECT
public:
  // Starts watching `edit`, or catches up with the document it now shows. The first call
  // for a control must come before anything asks for its accessible face, i.e. from its
  // constructor.
  static void watch(VerticalTextEdit* edit);

private:
  explicit VerticalTextAccessibility(VerticalTextEdit* edit);
  // Follows the control to the document it shows.
  void follow();
  void onCursorPositionChanged();
  void onSelectionChanged();
  void onContentsChange(int from, int removed, int added);
  // Keeps what the next edit is likely to remove: the caret's or the selection's
  // paragraphs with the breaks on either side, so that the reader hears what went.
  void remember();
  QString removedText(int from, int removed) const;

  struct Selection {
    int start = -1;  // none
    int end = -1;
    bool operator==(const Selection&) const = default;
  };

  VerticalTextEdit* edit_;
  Selection selection_;  // as last told
  QPointer<QTextDocument> document_;
  QMetaObject::Connection contentsWatch_;
  int length_ = 0;  // of the text, before the change being reported
  QString remembered_;
  int rememberedFrom_ = 0;
};

}  // namespace wabunko
