#pragma once
// The modeless find dialog, in its find form ("文字列の検索") and its replace form
// ("文字列の置換"). Its buttons store the histories and post the commands that do the
// work to the main frame; Enter finds the next occurrence whatever control has the focus,
// Esc and "ｷｬﾝｾﾙ" hide it.

#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace wabunko {

class SettingsStore;

class CWabFindDlg : public QDialog {
  Q_OBJECT
public:
  using Post = std::function<void(int command)>;

  // A dialog not shown yet; `findOnly` picks the find form, otherwise the replace form.
  CWabFindDlg(bool findOnly, SettingsStore& store, Post post, QWidget* parent);
  // Loads the histories and puts `findText` (and `replaceText`) into the edit fields,
  // selected.
  void initDialog(const QString& findText, const QString& replaceText);

  QComboBox* findList() const { return findList_; }
  QComboBox* replaceList() const { return replaceList_; }

  // What the last button press read from the lists and the check boxes.
  QString m_strFindText;
  QString m_strReplaceText;
  int m_bMatchCase = 0;
  int m_bSearchDown = 1;
  int m_bFindOnly = 1;

private:
  void buildControls(const Post& post);
  void readLists(bool both);

  SettingsStore& store_;
  QComboBox* findList_ = nullptr;
  QComboBox* replaceList_ = nullptr;
};

}  // namespace wabunko
