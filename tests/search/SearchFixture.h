#pragma once
// An editor with one document holding a given text, and the find commands and dialog of
// its main window.

#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "frame/CMainFrame.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/RichTextStream.h"
#include "search/CWabFindDlg.h"
#include "search/FindCommands.h"
#include "search/SearchCommands.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

namespace wabunko {

class SearchFixture {
public:
  explicit SearchFixture(const QString& text, const QMap<QString, QMap<QString, QString>>& settings = {})
      : h(settings) {
    edit().replaceSel(text, true);
    edit().setSel(0, 0);
  }

  EditControl& edit() { return h.documents().front()->display()->edit(); }
  QString text() { return RichTextStream::plainText(*edit().textDocument()); }
  QString selected() { return edit().selectedText(); }
  std::pair<int, int> selection() {
    std::pair<int, int> sel;
    edit().getSel(sel.first, sel.second);
    return sel;
  }
  FindCommands& find() { return h.app().mainFrame()->find(); }
  CWabFindDlg& dialog() { return find().findDialog(); }

  // Runs a command, and the commands it posts.
  void run(int command) {
    h.app().router().dispatch(command);
    QCoreApplication::processEvents();
  }
  // Opens the dialog in its find (or replace) form, types `what` (and `with`) and sets
  // match case.
  void open(bool findOnly, const QString& what, const QString& with = {}, bool matchCase = false) {
    run(findOnly ? cmd::FindText : cmd::ReplaceText);
    dialog().findList()->setEditText(what);
    if (!findOnly) dialog().replaceList()->setEditText(with);
    if (matchCase) button<QAbstractButton>("matchCase")->click();
  }
  template <class Widget = QPushButton>
  Widget* button(const char* name) {
    return dialog().findChild<Widget*>(QString::fromLatin1(name));
  }
  void press(const char* name) {
    button(name)->click();
    QCoreApplication::processEvents();
  }

  AppHarness h;
};

}  // namespace wabunko
