#pragma once
// The find and replace histories of "Find Replace List", shown in the drop-down lists of
// the find dialogs (find in files shares the find history).

#include <QString>

class QComboBox;
class QWidget;

namespace wabunko {

class SettingsStore;

enum class History { Find, Replace };

// An editable drop-down list for a history, named `name`. Enter in it presses the dialog's
// default button; only that button puts the string into the list.
QComboBox* historyList(QWidget* parent, const QString& name);

// A string's first line: it ends before the first line break.
QString firstLine(const QString& text);

// Fills `list` with the stored entries, newest first, until an empty one (which is
// added, so a short history ends in an empty line) or ten.
void loadHistory(QComboBox& list, const SettingsStore& store, History history);

// Puts the text of `list`'s edit field at the top of the list, removing an entry that is
// the same but for letter case, and stores the list's entries up to the first empty one,
// at most ten; the stored entries beyond stay as they are.
void storeHistory(QComboBox& list, SettingsStore& store, History history);

}  // namespace wabunko
