#include "search/CFindInFilesDlg.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/Dialogs.h"
#include "search/CExtensionDlg.h"
#include "search/CFolderSelectDlg.h"
#include "search/FindHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace wabunko {
namespace {

FindInFilesDialogHook& findInFilesDialogHook() {
  static FindInFilesDialogHook hook;
  return hook;
}

QString extensionOf(const QListWidgetItem* item) { return item->data(Qt::UserRole).toString(); }

// The order of the extension list: letter case aside, then with it, so the order does
// not depend on how an extension was typed.
bool listedBefore(const QString& a, const QString& b) {
  const int folded = QString::compare(a, b, Qt::CaseInsensitive);
  return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

}  // namespace

CFindInFilesDlg::CFindInFilesDlg(SettingsStore& store, FindInFilesPurpose purpose, QWidget* parent)
    : QDialog(parent), store_(store), purpose_(purpose) {
  setWindowTitle(QStringLiteral("ファイルから検索"));
  setObjectName(QStringLiteral("findInFilesDialog"));
  buildControls();
  loadSettings();
}

void CFindInFilesDlg::buildControls() {
  // Created in tab order.
  auto* grid = new QGridLayout;
  const auto addLabel = [&](const QString& text, QWidget* buddy, int row) {
    auto* label = new QLabel(text, this);
    label->setBuddy(buddy);
    grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
  };
  const auto addButton = [this](const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    return button;
  };

  findList_ = historyList(this, QStringLiteral("findList"));
  addLabel(QStringLiteral("検索する文字列 ： "), findList_, 0);
  grid->addWidget(findList_, 0, 1, 1, 2);

  folderEdit_ = new QLineEdit(this);
  folderEdit_->setObjectName(QStringLiteral("folderEdit"));
  addLabel(QStringLiteral("フォルダ ： "), folderEdit_, 1);
  grid->addWidget(folderEdit_, 1, 1);
  QPushButton* change = addButton(QStringLiteral("変更"), QStringLiteral("changeButton"));
  grid->addWidget(change, 1, 2);
  connect(change, &QPushButton::clicked, this, [this] {
    if (const auto folder = runFolderDialog(this, folderEdit_->text())) folderEdit_->setText(*folder);
  });

  extensionList_ = new QListWidget(this);
  extensionList_->setObjectName(QStringLiteral("extensionList"));
  // A few extensions are the rule; the list scrolls beyond six.
  extensionList_->setFixedHeight(extensionList_->fontMetrics().height() * 6 + 2 * extensionList_->frameWidth());
  addLabel(QStringLiteral("ﾌｧｲﾙの拡張子 ： "), extensionList_, 2);
  grid->addWidget(extensionList_, 2, 1);
  auto* listButtons = new QVBoxLayout;
  QPushButton* add = addButton(QStringLiteral("追加"), QStringLiteral("addButton"));
  QPushButton* remove = addButton(QStringLiteral("削除"), QStringLiteral("removeButton"));
  listButtons->addWidget(add);
  listButtons->addWidget(remove);
  listButtons->addStretch();
  grid->addLayout(listButtons, 2, 2);
  connect(add, &QPushButton::clicked, this, [this] {
    if (const auto extension = runExtensionDialog(this)) extensionList_->setCurrentItem(addExtension(*extension));
  });
  connect(remove, &QPushButton::clicked, this, [this] { qDeleteAll(extensionList_->selectedItems()); });

  allFiles_ = new QCheckBox(QStringLiteral("すべてのファイルを検索"), this);
  allFiles_->setObjectName(QStringLiteral("allFiles"));
  matchCase_ = new QCheckBox(QStringLiteral("大文字と小文字を区別する"), this);
  matchCase_->setObjectName(QStringLiteral("matchCase"));
  grid->addWidget(allFiles_, 3, 0, 1, 3);
  grid->addWidget(matchCase_, 4, 0, 1, 3);

  auto* buttons = new QVBoxLayout;
  QPushButton* start = addButton(QStringLiteral("検索開始"), QStringLiteral("startButton"));
  start->setDefault(true);
  QPushButton* cancel = addButton(QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("cancelButton"));
  connect(start, &QPushButton::clicked, this, &CFindInFilesDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CFindInFilesDlg::reject);
  buttons->addWidget(start);
  buttons->addWidget(cancel);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void CFindInFilesDlg::loadSettings() {
  folderEdit_->setText(readString(store_, settings::FindReplacePathName));
  loadHistory(*findList_, store_, History::Find);
  // The string is typed fresh; the history is in the list below it.
  findList_->setCurrentIndex(-1);
  // Each extension ends in "/"; what follows the last one is no extension.
  const QString stored = readString(store_, settings::FindReplaceExt);
  if (const qsizetype end = stored.lastIndexOf(QLatin1Char('/')); end >= 0)
    for (const QString& extension : stored.left(end).split(QLatin1Char('/'))) addExtension(extension);
}

// Puts `extension` in its place in the list, unless it is there already; gives its row.
QListWidgetItem* CFindInFilesDlg::addExtension(const QString& extension) {
  int row = 0;
  for (; row < extensionList_->count(); ++row) {
    QListWidgetItem* listed = extensionList_->item(row);
    if (extensionOf(listed) == extension) return listed;
    if (listedBefore(extension, extensionOf(listed))) break;
  }
  // An empty extension stands for the names without a dot.
  auto* item = new QListWidgetItem(extension.isEmpty() ? QStringLiteral("(拡張子なし)") : extension);
  item->setData(Qt::UserRole, extension);
  extensionList_->insertItem(row, item);
  return item;
}

QStringList CFindInFilesDlg::extensions() const {
  QStringList list;
  for (int row = 0; row < extensionList_->count(); ++row) list.append(extensionOf(extensionList_->item(row)));
  return list;
}

FindInFilesConditions CFindInFilesDlg::conditions() const {
  FindInFilesConditions conditions;
  conditions.text = findList_->currentText();
  const QString folder = folderEdit_->text();
  if (!folder.isEmpty()) conditions.folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  for (const QString& extension : extensions()) conditions.extensions += extension + QLatin1Char('/');
  conditions.allFiles = allFiles_->isChecked();
  conditions.matchCase = matchCase_->isChecked();
  return conditions;
}

void CFindInFilesDlg::accept() {
  if (!conditionsComplete()) return;
  writeSetting(store_, settings::FindReplacePathName, folderEdit_->text());
  writeSetting(store_, settings::FindReplaceExt, conditions().extensions);
  storeHistory(*findList_, store_, History::Find);
  QDialog::accept();
}

bool CFindInFilesDlg::conditionsComplete() {
  if (findList_->currentText().isEmpty()) {
    refuse(QStringLiteral("検索する文字列を入力してください。"), findList_);
    return false;
  }
  // A narrowing searches the files already found.
  if (purpose_ == FindInFilesPurpose::Narrow) return true;
  const QString folder = folderEdit_->text();
  if (folder.isEmpty()) {
    refuse(QStringLiteral("検索するフォルダを指定してください。"), folderEdit_);
    return false;
  }
  if (!QFileInfo(folder).isDir()) {
    refuse(QStringLiteral("フォルダ %1 が見つかりません。").arg(folder), folderEdit_);
    return false;
  }
  return true;
}

void CFindInFilesDlg::refuse(const QString& text, QWidget* field) {
  showMessage(this, {text, QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Ok});
  field->setFocus(Qt::OtherFocusReason);
}

std::optional<FindInFilesConditions> runFindInFilesDialog(QWidget* parent, SettingsStore& store,
                                                          FindInFilesPurpose purpose) {
  CFindInFilesDlg dialog(store, purpose, parent);
  const bool accepted = execOrHook(dialog, findInFilesDialogHook());
  if (!accepted) return std::nullopt;
  return dialog.conditions();
}

void setFindInFilesDialogHook(FindInFilesDialogHook hook) { findInFilesDialogHook() = std::move(hook); }

}  // namespace wabunko
