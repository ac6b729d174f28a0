#include "CWabFileDlg.h"

#include "doc/PathParts.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace wabunko {
namespace {

WabFileDialogHook& fileDialogHook() {
  static WabFileDialogHook hook;
  return hook;
}

// In FileFilter order. "*" rather than "*.*": names without a dot are files too.
const QStringList& filters() {
  static const QStringList list{QStringLiteral("全てのﾌｧｲﾙ (*)"), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)"),
                                QStringLiteral("ﾘｯﾁﾃｷｽﾄﾌｧｲﾙ (*.rtf)")};
  return list;
}

QComboBox* choiceList(QWidget* parent, const QStringList& items) {
  auto* list = new QComboBox(parent);
  list->addItems(items);
  return list;
}

QLabel* buddyLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

FileDialogChoice runWabFileDialog(QWidget* parent, SettingsStore& store, const FileDialogStart& start) {
  FileDialogChoice choice;
  if (fileDialogHook()) {
    choice = fileDialogHook()(start);
  } else {
    CWabFileDlg dialog(store, start, parent);
    dialog.exec();
    choice = dialog.choice();
  }
  if (start.openMode) writeSetting(store, settings::FileExtDefaultOpen, choice.filter);
  return choice;
}

void setWabFileDialogHook(WabFileDialogHook hook) { fileDialogHook() = std::move(hook); }

DirectoryHistory readDirectoryHistory(const SettingsStore& store) {
  DirectoryHistory history;
  for (std::size_t i = 0; i < history.size(); ++i)
    history.at(i) = readString(store, settings::fileDirHistory(i)).toStdString();
  return history;
}

void addToDirectoryHistory(SettingsStore& store, const QString& path) {
  DirectoryHistory history = readDirectoryHistory(store);
  moveToFront(history, splitPath(path.toStdString()).folder);
  for (std::size_t i = 0; i < storedCount(history); ++i)
    writeSetting(store, settings::fileDirHistory(i), QString::fromStdString(history.at(i)));
}

CWabFileDlg::CWabFileDlg(SettingsStore& store, const FileDialogStart& start, QWidget* parent)
    : QFileDialog(parent), m_bOpenMode(start.openMode) {
  // Only Qt's own dialog has a layout the lists can join.
  setOption(DontUseNativeDialog);
  setWindowTitle(m_bOpenMode ? tr("開く") : tr("名前を付けて保存"));
  setAcceptMode(m_bOpenMode ? AcceptOpen : AcceptSave);
  setFileMode(m_bOpenMode ? ExistingFiles : AnyFile);
  setNameFilters(filters());
  // Widened first: the stored number may be any int, the smallest too.
  selectNameFilter(filters().value(qsizetype{start.filter} - 1, filters().constFirst()));
  if (!start.folder.isEmpty()) setDirectory(start.folder);
  if (!start.fileName.isEmpty()) selectFile(start.fileName);

  QWidget* lists = makeChoiceLists();
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addWidget(lists, grid->rowCount(), 0, 1, grid->columnCount());

  for (const std::string& folder : readDirectoryHistory(store))
    historyList_->addItem(QString::fromStdString(folder));
  historyList_->setCurrentIndex(-1);
}

QWidget* CWabFileDlg::makeChoiceLists() {
  auto* box = new QWidget(this);
  kindList_ = choiceList(box, {QStringLiteral("自動判別"), QStringLiteral("ﾃｷｽﾄ形式"),
                               QStringLiteral("ﾘｯﾁﾃｷｽﾄ形式")});
  codeList_ = choiceList(box, {QStringLiteral("Shift-JIS"), QStringLiteral("JIS"), QStringLiteral("EUC")});
  kindList_->setObjectName(QStringLiteral("fileKindList"));
  codeList_->setObjectName(QStringLiteral("charCodeList"));
  if (m_bOpenMode) codeList_->addItem(QStringLiteral("Internet Form 返信"));
  historyList_ = choiceList(box, {});
  historyList_->setObjectName(QStringLiteral("dirHistoryList"));
  readOnlyBox_ = new QCheckBox(tr("読み取り専用で開く(&R)"), box);
  readOnlyBox_->setVisible(m_bOpenMode);

  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(buddyLabel(box, QStringLiteral("ﾌｧｲﾙ形式 ： "), kindList_), 0, 0);
  grid->addWidget(kindList_, 0, 1);
  grid->addWidget(buddyLabel(box, QStringLiteral("文字コード ： "), codeList_), 0, 2);
  grid->addWidget(codeList_, 0, 3);
  grid->addWidget(readOnlyBox_, 0, 4);
  grid->addWidget(buddyLabel(box, QStringLiteral("ディレクトリ履歴 ： "), historyList_), 1, 0);
  grid->addWidget(historyList_, 1, 1, 1, 4);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  connect(kindList_, &QComboBox::currentIndexChanged, this, [this](int i) { m_nFileKind = i; });
  connect(codeList_, &QComboBox::currentIndexChanged, this, [this](int i) { m_nCharCode = i; });
  connect(historyList_, &QComboBox::activated, this, &CWabFileDlg::showHistoryFolder);
  return box;
}

// The name the user typed survives the change of folder.
void CWabFileDlg::showHistoryFolder(int position) {
  const QString folder = historyList_->itemText(position);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return;
  auto* nameField = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  const QString typed = nameField ? nameField->text() : QString();
  setDirectory(folder);
  if (nameField) nameField->setText(typed);
}

int CWabFileDlg::filterInUse() const {
  const int index = static_cast<int>(filters().indexOf(selectedNameFilter()));
  return index < 0 ? AllFilesFilter : index + 1;
}

FileDialogChoice CWabFileDlg::choice() const {
  FileDialogChoice choice;
  choice.accepted = result() == Accepted;
  if (choice.accepted) choice.paths = selectedFiles();
  choice.filter = filterInUse();
  choice.kind = static_cast<FileKind>(m_nFileKind);
  choice.code = static_cast<CharCode>(m_nCharCode);
  choice.readOnly = m_bOpenMode && readOnlyBox_->isChecked();
  return choice;
}

}  // namespace wabunko
