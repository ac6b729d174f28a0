#pragma once
// The command line: the files to open, "-" for standard input, the code to read them in,
// and what --help, --version and mistakes print. Parsing needs no application object, so
// they are answered before any window or single-instance socket exists.

#include "app/ProgramInfo.h"
#include "doc/CharCodes.h"

#include <QString>
#include <QStringList>

namespace wabunko {

struct CommandLine {
  enum class Action {
    Open,         // start, or hand `files` to the running instance
    ShowHelp,     // `text` goes to standard output, and the program ends with 0
    ShowVersion,  // the same
    Refuse,       // `text` goes to standard error, and the program ends with 2
  };
  Action action = Action::Open;
  QString text;
  // What "--code" named: the files and standard input are read in it.
  CharCode code = CharCode::ShiftJis;
  // In the order given: absolute paths, and standardInput() where the first "-" stood
  // (standard input is read once). None stands for one new document.
  QStringList files;

  static QString standardInput() { return QStringLiteral("-"); }
  int exitCode() const { return action == Action::Refuse ? 2 : 0; }
};

// `arguments` without the program name. Qt's own options (-platform, -style and the like)
// are passed over: QApplication takes them.
CommandLine parseCommandLine(const QStringList& arguments, Language language);

}  // namespace wabunko
