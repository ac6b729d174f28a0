#include "search/FindCommands.h"

#include "platform/Dialogs.h"
#include "platform/EditControl.h"
#include "platform/Utf16.h"
#include "search/DialogPlacement.h"
#include "search/FindHistory.h"
#include "search/SearchCommands.h"
#include "search/TextMatch.h"
#include "search/UpwardSearch.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <utility>
#include <vector>

namespace wabunko {
namespace {

Rect toRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// The display lines of an edit control, for the upward search.
class EditLines : public UpwardLines {
public:
  explicit EditLines(const EditControl& edit) : edit_(edit) {}
  std::u16string text(int line) const override { return edit_.lineText(line).toStdU16String(); }
  int start(int line) const override { return edit_.lineIndex(line); }

private:
  const EditControl& edit_;
};

std::pair<int, int> selectionOf(const EditControl& edit) {
  std::pair<int, int> selection;
  edit.getSel(selection.first, selection.second);
  return selection;
}

class WaitCursor {
public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

FindCommands::FindCommands(QWidget* window, SettingsStore& store, ActiveEdit activeEdit, CWabFindDlg::Post post)
    : window_(window),
      store_(store),
      activeEdit_(std::move(activeEdit)),
      post_(std::move(post)),
      findDialog_(std::make_unique<CWabFindDlg>(true, store_, post_, window_)) {
  mapCommands();
}

FindCommands::~FindCommands() = default;

void FindCommands::mapCommands() {
  onCommandId(cmd::FindText, [this] { openDialog(true); });
  onCommandId(cmd::ReplaceText, [this] { openDialog(false); });
  onCommandId(cmd::FindNext, [this] { findNext(); });
  onCommandId(cmd::FindUpward, [this] { findUpward(); });
  onCommandId(cmd::ReplaceNext, [this] { replaceNext(); });
  onCommandId(cmd::ReplaceAll, [this] { replaceAll(); });
  onCommandId(cmd::CountMatches, [this] { count(); });
  const auto needsView = [this](CmdUI& ui) { ui.enable(activeEdit_() != nullptr); };
  const auto needsWritableView = [this](CmdUI& ui) {
    const EditControl* edit = activeEdit_();
    ui.enable(edit && !edit->isReadOnly());
  };
  for (int id : {cmd::FindText, cmd::FindNext, cmd::FindUpward, cmd::CountMatches}) onUpdateId(id, needsView);
  for (int id : {cmd::ReplaceText, cmd::ReplaceNext, cmd::ReplaceAll}) onUpdateId(id, needsWritableView);
}

void FindCommands::openDialog(bool findOnly) {
  EditControl* edit = activeEdit_();
  if (!edit || (!findOnly && edit->isReadOnly())) return;
  state_.findText = firstLine(edit->selectedText());
  if (!findOnly) state_.replaceText = state_.findText;
  findDialog_ = std::make_unique<CWabFindDlg>(findOnly, store_, post_, window_);
  findDialog_->initDialog(state_.findText, state_.replaceText);
  findDialog_->show();
  moveDialogOffSelection(*edit);
  findDialog_->raise();
  findDialog_->activateWindow();
}

void FindCommands::takeFindString() {
  state_.findText = findDialog_->m_strFindText;
  state_.findFlags = findDialog_->m_bMatchCase;
}

void FindCommands::takeStrings() {
  takeFindString();
  state_.replaceText = findDialog_->m_strReplaceText;
}

void FindCommands::keepPassFor(const EditControl& edit) {
  if (passDocument_ == edit.textDocument() && passText_ == state_.findText && passFlags_ == state_.findFlags) return;
  pass_.end();
  passDocument_ = edit.textDocument();
  passText_ = state_.findText;
  passFlags_ = state_.findFlags;
}

bool FindCommands::findForward(EditControl& edit) {
  keepPassFor(edit);
  const auto found = pass_.find(*edit.textDocument(), selectionOf(edit).second, state_.findText, state_.findFlags != 0);
  if (!found) return false;
  edit.setSel(*found, *found + static_cast<int>(state_.findText.size()));
  return true;
}

QMessageBox::StandardButton FindCommands::tell(const QString& text, QMessageBox::Icon icon,
                                               QMessageBox::StandardButtons buttons) {
  // Over the dialog while it is open, so that the keys go back to it afterwards: Enter
  // then finds again rather than typing into the text.
  const bool overDialog = findDialog_->isVisible();
  const auto answer =
      showMessage(overDialog ? static_cast<QWidget*>(findDialog_.get()) : window_, {text, QStringLiteral("Wabunko"), icon, buttons});
  if (overDialog) findDialog_->activateWindow();
  return answer;
}

void FindCommands::textNotFound() {
  QApplication::beep();
  pass_.end();
}

EditControl* FindCommands::collapsedForFind(bool toEnd) {
  takeFindString();
  EditControl* edit = activeEdit_();
  if (!edit || state_.findText.isEmpty()) return nullptr;
  const auto [start, end] = selectionOf(*edit);
  const int at = toEnd ? end : start;
  edit->setSel(at, at);
  return edit;
}

void FindCommands::findNext() {
  EditControl* edit = collapsedForFind(true);
  if (!edit) return;
  if (!findForward(*edit)) {
    textNotFound();
    if (tell(QStringLiteral("文書の最後まで検索しました\n文頭から再度検索しますか？"), QMessageBox::Question,
             QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
      edit->setSel(0, 0);
      if (!findForward(*edit)) {
        textNotFound();
        tell(QStringLiteral("該当する文字列は見つかりません"), QMessageBox::Information);
      }
    }
  }
  moveDialogOffSelection(*edit);
}

void FindCommands::findUpward() {
  EditControl* edit = collapsedForFind(false);
  if (!edit) return;
  const int start = selectionOf(*edit).first;
  const auto found = wabunko::findUpward(EditLines(*edit), edit->lineFromChar(start), start, utf16(state_.findText));
  if (!found) return;
  edit->setSel(*found, *found + static_cast<int>(state_.findText.size()));
  moveDialogOffSelection(*edit);
}

void FindCommands::replaceNext() {
  takeStrings();
  EditControl* edit = activeEdit_();
  if (!edit || edit->isReadOnly() || state_.findText.isEmpty()) return;
  // Only the very string: a selection that differs in letter case stays.
  if (edit->selectedText() == state_.findText) {
    const int start = selectionOf(*edit).first;
    edit->replaceSel(state_.replaceText, false);
    pass_.shift(start, static_cast<int>(state_.replaceText.size() - state_.findText.size()));
  }
  if (!findForward(*edit)) textNotFound();
  moveDialogOffSelection(*edit);
}

void FindCommands::replaceAll() {
  takeStrings();
  EditControl* edit = activeEdit_();
  if (!edit || edit->isReadOnly() || state_.findText.isEmpty()) return;
  // Every occurrence of the text as it is now, in the order the pass meets them; what the
  // replacements put in is never searched.
  keepPassFor(*edit);
  const int start = selectionOf(*edit).first;
  pass_.begin(start);
  std::vector<int> found = pass_.findAll(*edit->textDocument(), start, state_.findText, state_.findFlags != 0);
  pass_.end();
  if (found.empty()) {
    textNotFound();
    moveDialogOffSelection(*edit);
    return;
  }
  // The caret stays where it was, with the text around it.
  edit->setSel(start, start);
  std::ranges::sort(found);
  edit->replaceRanges(found, static_cast<int>(state_.findText.size()), state_.replaceText);
  moveDialogOffSelection(*edit);
}

void FindCommands::count() {
  takeStrings();
  EditControl* edit = activeEdit_();
  if (!edit) return;
  textNotFound();
  int matches = -1;
  if (!state_.findText.isEmpty()) {
    const WaitCursor wait;
    const bool matchCase = state_.findFlags != 0;
    const int findLength = static_cast<int>(state_.findText.size());
    keepPassFor(*edit);
    const auto [start, end] = selectionOf(*edit);
    int last = -1;
    int from = start;
    // The selection is the first match when it is the string already.
    if (start < end && sameText(utf16(edit->selectedText()), utf16(state_.findText), matchCase)) {
      last = start;
      from = end;
    }
    pass_.begin(start, last);
    const std::vector<int> more = pass_.findAll(*edit->textDocument(), from, state_.findText, matchCase);
    const int found = (last < 0 ? 0 : 1) + static_cast<int>(more.size());
    if (!more.empty()) last = more.back();
    textNotFound();
    if (found > 0) {
      matches = found;
      edit->setSel(last, last + findLength);
    }
  }
  tell(
       matches < 0 ? QStringLiteral("%1 は見つかりません").arg(state_.findText)
                   : QStringLiteral("%1 は %2 個見つかりました").arg(state_.findText).arg(matches),
       QMessageBox::Information);
  moveDialogOffSelection(*edit);
}

void FindCommands::moveDialogOffSelection(const EditControl& edit) {
  if (!findDialog_->isVisible()) return;
  const auto [start, end] = selectionOf(edit);
  const QScreen* screen = findDialog_->screen();
  const QRect area = screen ? screen->availableGeometry() : QRect();
  const Rect placed = placeOffSelection(toRect(findDialog_->frameGeometry()), toRect(edit.rangeRectOnScreen(start, end)),
                                        toRect(area), edit.isVertical());
  findDialog_->move(placed.left, placed.top);
}

}  // namespace wabunko
