#pragma once
// "ファイルから検索": the conditions of find in files — the string, the folder, the file
// extensions, all files or not, letter case. "検索開始" checks them, stores the folder,
// the extensions and the find history, and accepts. The same dialog takes a new string
// to narrow a result; then only the string has to be given. Like the other dialogs it can
// be answered by a hook, which drives the real dialog.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace wabunko {

class SettingsStore;

struct FindInFilesConditions {
  QString text;        // the search string
  QString folder;      // absolute path as chosen, without a trailing "/"  (the root "/" stays "/")
  QString extensions;  // stored form, each followed by "/", in the list's sorted order
  bool allFiles = false;
  bool matchCase = false;
};

enum class FindInFilesPurpose { Search, Narrow };

class CFindInFilesDlg : public QDialog {
  Q_OBJECT
public:
  // Opens with the folder and the extensions last used and the find history.
  CFindInFilesDlg(SettingsStore& store, FindInFilesPurpose purpose, QWidget* parent = nullptr);

  FindInFilesConditions conditions() const;
  // The extensions in the list's order, as stored (an empty one means names without a dot).
  QStringList extensions() const;

  QComboBox* findList() const { return findList_; }
  QLineEdit* folderEdit() const { return folderEdit_; }
  QListWidget* extensionList() const { return extensionList_; }

  // "検索開始": refuses conditions the search cannot start with, telling why.
  void accept() override;

private:
  void buildControls();
  void loadSettings();
  QListWidgetItem* addExtension(const QString& extension);
  bool conditionsComplete();
  void refuse(const QString& text, QWidget* field);

  SettingsStore& store_;
  FindInFilesPurpose purpose_;
  QComboBox* findList_ = nullptr;
  QLineEdit* folderEdit_ = nullptr;
  QListWidget* extensionList_ = nullptr;
  QCheckBox* allFiles_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
};

// Runs the dialog; on "検索開始" it has written "Path Name", "Ext" and the find history, and
// gives the conditions.
std::optional<FindInFilesConditions> runFindInFilesDialog(QWidget* parent, SettingsStore& store,
                                                          FindInFilesPurpose purpose);
// Drives the real dialog in place of a user; returns whether it was accepted.
using FindInFilesDialogHook = std::function<bool(CFindInFilesDlg&)>;
void setFindInFilesDialogHook(FindInFilesDialogHook hook);

}  // namespace wabunko
