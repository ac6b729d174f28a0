#include "search/FindHistory.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"

#include <QComboBox>
#include <QRegularExpression>

namespace wabunko {
namespace {

settings::Setting entry(History history, std::size_t i) {
  return history == History::Find ? settings::findItem(i) : settings::replaceItem(i);
}

}  // namespace

QComboBox* historyList(QWidget* parent, const QString& name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setMinimumContentsLength(28);
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return list;
}

QString firstLine(const QString& text) {
  const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]")));
  return end < 0 ? text : text.left(end);
}

void loadHistory(QComboBox& list, const SettingsStore& store, History history) {
  for (std::size_t i = 0; i < settings::kFindHistoryCount; ++i) {
    const QString value = firstLine(readString(store, entry(history, i)));
    list.addItem(value);
    if (value.isEmpty()) break;
  }
}

void storeHistory(QComboBox& list, SettingsStore& store, History history) {
  const QString text = list.currentText();
  // The list's exact-string search: the whole entry, letter case aside.
  if (const int there = list.findText(text, Qt::MatchFixedString); there >= 0) list.removeItem(there);
  list.insertItem(0, text);
  list.setCurrentIndex(0);
  for (int i = 0; i < list.count() && i < static_cast<int>(settings::kFindHistoryCount); ++i) {
    const QString item = list.itemText(i);
    if (item.isEmpty()) break;
    writeSetting(store, entry(history, static_cast<std::size_t>(i)), item);
  }
}

}  // namespace wabunko
