#include "FormatCommands.h"

#include "frame/CommandTable.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/EditControl.h"
#include "platform/FontDialog.h"
#include "platform/TextFormatTwips.h"
#include "view/CIndentDlg.h"
#include "view/FormatArithmetic.h"
#include "view/ViewCommands.h"
#include "view/ViewHost.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace wabunko {
namespace {

// The format of the selection's first character; of the caret without a selection.
QTextCharFormat firstFormat(const EditControl& edit) {
  QTextCursor c = edit.textCursor();
  if (c.hasSelection()) {
    const int start = c.selectionStart();
    c.setPosition(start + 1);
  }
  return c.charFormat();
}

// Whether every character of the selection has `has`; without a selection, whether the
// text typed next would.
template <typename Has>
bool wholeSelection(const EditControl& edit, Has has) {
  const QTextCursor c = edit.textCursor();
  if (!c.hasSelection()) return has(c.charFormat());
  const int start = c.selectionStart(), end = c.selectionEnd();
  for (QTextBlock block = edit.textDocument()->findBlock(start); block.isValid() && block.position() < end;
       block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.position() + fragment.length() <= start || fragment.position() >= end) continue;
      if (!has(fragment.charFormat())) return false;
    }
  }
  return true;
}

QString faceOf(const QTextCharFormat& format, const QFont& fallback) {
  const QStringList families = format.fontFamilies().toStringList();
  return families.isEmpty() ? fallback.family() : families.constFirst();
}

ParagraphIndents indentsOf(const QTextBlockFormat& format) {
  // The first line starts at the left margin plus the text indent; the others at the margin.
  const int first = twipsFromPixels(format.textIndent());
  return {twipsFromPixels(format.leftMargin()) + first, -first, twipsFromPixels(format.rightMargin())};
}

}  // namespace

FormatCommands::FormatCommands(Hooks hooks, ViewHost& host, SettingsStore& store)
    : hooks_(std::move(hooks)), host_(host), store_(store) {}

std::vector<std::pair<int, std::function<void()>>> FormatCommands::commands() {
  return {
      {cmd::FormatFont, [this] { chooseFont(); }},
      {cmd::FormatBold, [this] { toggle(Effect::Bold); }},
      {cmd::FormatItalic, [this] { toggle(Effect::Italic); }},
      {cmd::FormatUnderline, [this] { toggle(Effect::Underline); }},
      {cmd::AlignLeft, [this] { align(Qt::AlignLeft); }},
      {cmd::AlignCentre, [this] { align(Qt::AlignHCenter); }},
      {cmd::AlignRight, [this] { align(Qt::AlignRight); }},
      {cmd::FormatSuperscript, [this] { raise(); }},
      {cmd::FormatSubscript, [this] { lower(); }},
      {cmd::FormatResize, [this] { resetSize(); }},
      {cmd::FormatIndent, [this] { chooseIndents(); }},
  };
}

void FormatCommands::chooseFont() {
  const QTextCharFormat current = firstFormat(edit());
  const QFont fallback = edit().textDocument()->defaultFont();
  FontChoice initial;
  initial.family = faceOf(current, fallback);
  initial.pointTenths = heightTwips(current, fallback) / 2;
  initial.weight = current.fontWeight() >= QFont::Bold ? 700 : 400;
  initial.italic = current.fontItalic();
  initial.underline = current.fontUnderline();
  initial.strikeOut = current.fontStrikeOut();
  initial.color = current.hasProperty(QTextFormat::ForegroundBrush) ? current.foreground().color()
                                                                    : edit().defaultCharFormat().foreground().color();
  const std::optional<FontChoice> chosen = runFontDialog(host_.window(), initial);
  if (!chosen) return;
  QTextCharFormat format;
  format.setFontFamilies({chosen->family});
  format.setFontPointSize(chosen->pointTenths * 2 / 20.0);  // tenths of a point, twice, are twips
  format.setFontWeight(chosen->weight == 700 ? QFont::Bold : QFont::Normal);
  format.setFontItalic(chosen->italic);
  format.setFontUnderline(chosen->underline);
  format.setFontStrikeOut(chosen->strikeOut);
  format.setForeground(chosen->color);
  edit().setSelectionCharFormat(format);
  hooks_.makeRichText();
  showCaretFormat();
}

void FormatCommands::toggle(Effect effect) {
  const auto has = [effect](const QTextCharFormat& f) {
    switch (effect) {
      case Effect::Bold: return f.fontWeight() >= QFont::Bold;
      case Effect::Italic: return f.fontItalic();
      case Effect::Underline: return f.fontUnderline();
    }
    return false;
  };
  const bool on = !wholeSelection(edit(), has);
  QTextCharFormat format;
  switch (effect) {
    case Effect::Bold: format.setFontWeight(on ? QFont::Bold : QFont::Normal); break;
    case Effect::Italic: format.setFontItalic(on); break;
    case Effect::Underline: format.setFontUnderline(on); break;
  }
  edit().setSelectionCharFormat(format);
  hooks_.makeRichText();
  showCaretFormat();
}

void FormatCommands::align(Qt::Alignment alignment) {
  QTextBlockFormat format;
  format.setAlignment(alignment);
  edit().setSelectionParaFormat(format);
  hooks_.makeRichText();
  showCaretFormat();
}

void FormatCommands::raise() { moveOffBaseline(superscript); }

void FormatCommands::lower() { moveOffBaseline(subscript); }

void FormatCommands::moveOffBaseline(HeightAndOffset (*rule)(HeightAndOffset)) {
  // The whole selection takes the size and offset computed from its first character.
  const QTextCharFormat current = firstFormat(edit());
  const HeightAndOffset moved = rule({heightTwips(current, edit().textDocument()->defaultFont()), offsetTwips(current)});
  QTextCharFormat format;
  setHeightAndOffsetTwips(format, moved.heightTwips, moved.offsetTwips);
  edit().setSelectionCharFormat(format);
  showCaretFormat();
}

void FormatCommands::resetSize() {
  QTextCharFormat format;
  setHeightAndOffsetTwips(format, heightTwips(edit().defaultCharFormat(), edit().textDocument()->defaultFont()), 0);
  // Text read from a file may be raised as such, apart from its offset.
  format.setVerticalAlignment(QTextCharFormat::AlignNormal);
  edit().setSelectionCharFormat(format);
  showCaretFormat();
}

void FormatCommands::chooseIndents() {
  const std::optional<IndentFields> fields =
      runIndentDialog(host_.window(), indentFields(indentsOf(edit().selectionParaFormat())));
  if (!fields) return;
  writeSetting(store_, settings::StyleIndentLeft, fields->left);
  writeSetting(store_, settings::StyleIndentRight, fields->right);
  writeSetting(store_, settings::StyleIndentStart, fields->first);
  const ParagraphIndents indents = paragraphIndents(*fields);
  QTextBlockFormat format;
  format.setLeftMargin(pixelsFromTwips(indents.startTwips + indents.offsetTwips));
  format.setTextIndent(pixelsFromTwips(-indents.offsetTwips));
  format.setRightMargin(pixelsFromTwips(indents.rightTwips));
  edit().setSelectionParaFormat(format);
}

void FormatCommands::applyFace(const QString& face) {
  // Text that may not be edited keeps its formats too, as the format commands leave it.
  if (edit().isReadOnly()) return;
  QTextCharFormat format;
  format.setFontFamilies({face});
  edit().setSelectionCharFormat(format);
  showCaretFormat();
}

void FormatCommands::applyHeight(int height) {
  if (edit().isReadOnly()) return;
  QTextCharFormat format;
  format.setFontPointSize(height / 20.0);
  edit().setSelectionCharFormat(format);
  showCaretFormat();
}

void FormatCommands::showCaretFormat() {
  const QTextCharFormat chars = edit().selectionCharFormat();
  const QFont fallback = edit().textDocument()->defaultFont();
  host_.showFormatOfCaret(faceOf(chars, fallback), heightTwips(chars, fallback));
  host_.checkFormatButton(cmd::FormatBold, chars.fontWeight() >= QFont::Bold);
  host_.checkFormatButton(cmd::FormatItalic, chars.fontItalic());
  host_.checkFormatButton(cmd::FormatUnderline, chars.fontUnderline());
  const Qt::Alignment align = edit().selectionParaFormat().alignment() & Qt::AlignHorizontal_Mask;
  const int pressed = align & Qt::AlignHCenter ? cmd::AlignCentre
                      : align & Qt::AlignRight ? cmd::AlignRight
                                               : cmd::AlignLeft;
  for (int id : {cmd::AlignLeft, cmd::AlignCentre, cmd::AlignRight}) host_.checkFormatButton(id, id == pressed);
}

}  // namespace wabunko
