#include "search/CWabFindDlg.h"

#include "search/FindHistory.h"
#include "search/SearchCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wabunko {

CWabFindDlg::CWabFindDlg(bool findOnly, SettingsStore& store, Post post, QWidget* parent)
    : QDialog(parent), store_(store) {
  m_bFindOnly = findOnly ? 1 : 0;
  setWindowTitle(findOnly ? QStringLiteral("文字列の検索") : QStringLiteral("文字列の置換"));
  setObjectName(findOnly ? QStringLiteral("findDialog") : QStringLiteral("replaceDialog"));
  buildControls(post);
}

void CWabFindDlg::buildControls(const Post& post) {
  // Created in tab order: the lists, the check boxes, then the buttons.
  auto* grid = new QGridLayout(this);
  auto* findLabel = new QLabel(m_bFindOnly ? QStringLiteral("検索する文字列") : QStringLiteral("置換前の文字列"), this);
  findList_ = historyList(this, QStringLiteral("findList"));
  findLabel->setBuddy(findList_);
  grid->addWidget(findLabel, 0, 0);
  grid->addWidget(findList_, 0, 1);
  if (!m_bFindOnly) {
    auto* replaceLabel = new QLabel(QStringLiteral("置換後の文字列"), this);
    replaceList_ = historyList(this, QStringLiteral("replaceList"));
    replaceLabel->setBuddy(replaceList_);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(replaceList_, 1, 1);
  }
  auto* matchCase = new QCheckBox(QStringLiteral("大文字と小文字を区別する"), this);
  matchCase->setObjectName(QStringLiteral("matchCase"));
  auto* searchDown = new QCheckBox(QStringLiteral("下方向に検索"), this);
  searchDown->setObjectName(QStringLiteral("searchDown"));
  searchDown->setChecked(true);
  connect(matchCase, &QCheckBox::toggled, this, [this](bool on) { m_bMatchCase = on ? 1 : 0; });
  connect(searchDown, &QCheckBox::toggled, this, [this](bool on) { m_bSearchDown = on ? 1 : 0; });
  auto* checks = new QVBoxLayout;
  checks->addWidget(matchCase);
  checks->addWidget(searchDown);
  checks->addStretch();
  grid->addLayout(checks, 2, 0, 1, 2);

  auto* buttons = new QVBoxLayout;
  grid->addLayout(buttons, 0, 2, 3, 1);
  const auto addButton = [&](const QString& text, const QString& name, std::function<void()> pressed) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    // Enter belongs to "次を検索" alone, wherever the focus is.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, std::move(pressed));
    buttons->addWidget(button);
    return button;
  };
  QPushButton* findNext = addButton(QStringLiteral("次を検索"), QStringLiteral("findNextButton"), [this, post] {
    readLists(false);
    post(m_bSearchDown ? cmd::FindNext : cmd::FindUpward);
  });
  findNext->setDefault(true);
  const auto readBothAndPost = [this, post](int command) {
    return [this, post, command] {
      readLists(true);
      post(command);
    };
  };
  if (!m_bFindOnly) {
    addButton(QStringLiteral("置換して次に"), QStringLiteral("replaceNextButton"), readBothAndPost(cmd::ReplaceNext));
    addButton(QStringLiteral("すべて置換"), QStringLiteral("replaceAllButton"), readBothAndPost(cmd::ReplaceAll));
  }
  addButton(QStringLiteral("個数を調べる"), QStringLiteral("countButton"), readBothAndPost(cmd::CountMatches));
  addButton(QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("cancelButton"), [this] { reject(); });
  buttons->addStretch();
}

void CWabFindDlg::initDialog(const QString& findText, const QString& replaceText) {
  if (replaceList_) loadHistory(*replaceList_, store_, History::Replace);
  loadHistory(*findList_, store_, History::Find);
  if (replaceList_) {
    replaceList_->setEditText(replaceText);
    replaceList_->lineEdit()->selectAll();
  }
  findList_->setEditText(findText);
  findList_->lineEdit()->selectAll();
  findList_->setFocus();
}

void CWabFindDlg::readLists(bool both) {
  m_strFindText = findList_->currentText();
  storeHistory(*findList_, store_, History::Find);
  if (both && replaceList_) {
    m_strReplaceText = replaceList_->currentText();
    storeHistory(*replaceList_, store_, History::Replace);
  }
}

}  // namespace wabunko
