#include "view/KeyboardAids.h"

#include "platform/EditControl.h"
#include "platform/Utf16.h"
#include "view/KeyboardAidRules.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace wabunko {
namespace {

bool composing(const EditControl& edit) {
  const QTextBlock block = edit.textCursor().block();
  return block.isValid() && block.layout() && !block.layout()->preeditAreaText().isEmpty();
}

void insertAtCaret(EditControl& edit, const QString& text) {
  // Inserted, never typed over, also in overwrite mode.
  QTextCursor cursor = edit.textCursor();
  cursor.clearSelection();
  cursor.insertText(text);
  edit.setTextCursor(cursor);
}

}  // namespace

bool KeyboardAids::keyPress(QObject* control, QKeyEvent* event) {
  EditControl& edit = hooks_.edit();
  if (composing(edit)) return false;
  const int key = event->key();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  const bool nextLine = plain && key == (edit.isVertical() ? Qt::Key_Left : Qt::Key_Down);
  const bool previousLine = plain && key == (edit.isVertical() ? Qt::Key_Right : Qt::Key_Up);
  const bool writable = !edit.isReadOnly();
  const bool indent = writable && plain && (key == Qt::Key_Return || key == Qt::Key_Enter) && hooks_.autoIndent();
  const QString typed = event->text();
  const std::optional<char16_t> closing =
      writable && typed.size() == 1 && hooks_.autoBrace() ? closingCharacter(typed.front().unicode()) : std::nullopt;
  if (!nextLine && !previousLine && !indent && !closing) return false;

  // The indentation is that of the line the caret leaves.
  const QString leftLine = indent ? edit.lineText(edit.lineFromChar(-1)) : QString();
  hooks_.controlKey(control, event);
  if (nextLine || previousLine) hooks_.repaintGutter();
  if (nextLine && writable) openLineAtEnd(edit);
  if (indent) {
    const std::u16string blanks = indentationOf(utf16(leftLine));
    if (!blanks.empty()) insertAtCaret(edit, qstring(blanks));
  }
  if (closing) {
    QTextCursor cursor = edit.textCursor();
    const int caret = cursor.position();
    insertAtCaret(edit, QString(QChar(*closing)));
    edit.setSel(caret, caret);
  }
  return true;
}

void KeyboardAids::openLineAtEnd(EditControl& edit) {
  // Only the last paragraph holds the last line; no other needs its lines counted.
  const QTextBlock block = edit.textCursor().block();
  if (block != edit.textDocument()->lastBlock()) return;
  const int line = edit.lineFromChar(-1);
  if (line != edit.lineCount() - 1 || edit.lineLength(-1) == 0) return;
  const int end = edit.lineIndex(line) + edit.lineLength(-1);
  edit.setSel(end, end);
  edit.replaceSel(QStringLiteral("\n"), true);
}

}  // namespace wabunko
