#pragma once
// A settings page shown on its own, outside the settings sheet: the page over "OK" and
// "ｷｬﾝｾﾙ" in a modal dialog.

class QDialog;
class QWidget;

namespace wabunko {

// Lays `page`, a child of `dialog`, out over the two buttons and runs the dialog; true
// when the user chose OK.
bool execPageDialog(QDialog& dialog, QWidget* page);

}  // namespace wabunko
