#pragma once
// The file dialog of Open and Save As: the system file dialog with three lists under it,
// the file type, the character code and the ten most recent folders. Like the other
// dialogs it can be answered by a hook instead of a user.

#include "doc/CharCodes.h"
#include "doc/DirectoryHistory.h"

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;

namespace wabunko {

class SettingsStore;

// Filter positions, counted from 1 as "Ext default open" stores them.
enum FileFilter : int { AllFilesFilter = 1, TextFilter = 2, RichTextFilter = 3 };

struct FileDialogStart {
  bool openMode = true;
  QString folder;                    // the folder shown first
  QString fileName;                  // the name field's first text (Save As: the document's path)
  int filter = AllFilesFilter;       // FileFilter
};

struct FileDialogChoice {
  bool accepted = false;
  QStringList paths;                 // in the order the dialog returns them
  int filter = AllFilesFilter;       // FileFilter in use when the dialog closed, also on Cancel
  FileKind kind = FileKind::Auto;
  CharCode code = CharCode::ShiftJis;
  bool readOnly = false;             // the read-only check box (open mode only)
};

// Runs the dialog (or the hook) and, in open mode, remembers the filter in use as
// "Ext default open" whether the user confirmed or cancelled.
FileDialogChoice runWabFileDialog(QWidget* parent, SettingsStore& store, const FileDialogStart& start);
using WabFileDialogHook = std::function<FileDialogChoice(const FileDialogStart&)>;
void setWabFileDialogHook(WabFileDialogHook hook);

// The folder history as stored under "Dir History 0".."9".
DirectoryHistory readDirectoryHistory(const SettingsStore& store);
// Moves the folder of `path` (the part up to its last '/') to the front of the stored history.
void addToDirectoryHistory(SettingsStore& store, const QString& path);

class CWabFileDlg : public QFileDialog {
  Q_OBJECT
public:
  CWabFileDlg(SettingsStore& store, const FileDialogStart& start, QWidget* parent = nullptr);

  // The user's choices; meaningful once the dialog has closed.
  FileDialogChoice choice() const;

private:
  QWidget* makeChoiceLists();
  void showHistoryFolder(int position);
  int filterInUse() const;

  int m_nFileKind = 0;  // positions in the type and code lists
  bool m_bOpenMode;
  int m_nCharCode = 0;
  QComboBox* kindList_ = nullptr;
  QComboBox* codeList_ = nullptr;
  QComboBox* historyList_ = nullptr;
  QCheckBox* readOnlyBox_ = nullptr;
};

}  // namespace wabunko
