#pragma once
// The main frame's find and replace commands: opening the find dialog in its two forms,
// find next (with the question whether to go on from the top), find upward, replace and
// find next, replace all, and counting. They work on the active view's edit control
// alone, so they work the same in rows and in columns.

#include "platform/CommandTarget.h"
#include "search/CWabFindDlg.h"
#include "search/FindState.h"
#include "search/ForwardSearch.h"

#include <QMessageBox>
#include <QPointer>
#include <QTextDocument>
#include <functional>
#include <memory>

namespace wabunko {

class EditControl;
class SettingsStore;

class FindCommands : public CommandTarget {
public:
  using ActiveEdit = std::function<EditControl*()>;
  // `post` hands a command to the main frame's route after the current event.
  FindCommands(QWidget* window, SettingsStore& store, ActiveEdit activeEdit, CWabFindDlg::Post post);
  ~FindCommands() override;

  FindState& state() { return state_; }
  // The one dialog, never null: before the first Find or Replace one without a window.
  CWabFindDlg& findDialog() const { return *findDialog_; }

private:
  void mapCommands();
  void openDialog(bool findOnly);
  void findNext();
  void findUpward();
  void replaceNext();
  void replaceAll();
  void count();

  // The dialog's find string and match-case box (and its replace string) become the
  // commands' own.
  void takeFindString();
  void takeStrings();
  // Takes the dialog's find string; then, when there is a view and a string to look for,
  // collapses the view's selection to its end (or start) and gives its edit control.
  EditControl* collapsedForFind(bool toEnd);
  // Selects the next occurrence after the selection within the search pass; false when
  // the pass has none left.
  bool findForward(EditControl& edit);
  // What follows a failed find: a beep, and the next find starts a new pass.
  void textNotFound();
  // A pass belongs to one document and one find string; another ends it.
  void keepPassFor(const EditControl& edit);
  void moveDialogOffSelection(const EditControl& edit);
  QMessageBox::StandardButton tell(const QString& text, QMessageBox::Icon icon,
                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok);

  QWidget* window_;
  SettingsStore& store_;
  ActiveEdit activeEdit_;
  CWabFindDlg::Post post_;
  FindState state_;
  std::unique_ptr<CWabFindDlg> findDialog_;
  ForwardSearch pass_;
  QPointer<QTextDocument> passDocument_;
  QString passText_;
  int passFlags_ = 0;
};

}  // namespace wabunko
