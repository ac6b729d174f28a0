#include "ResultModel.h"

namespace wabunko {
namespace {

const char* const kHeadings[] = {"ファイル", "フォルダ", "行", "抜粋"};

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void ResultModel::add(const std::vector<FileResult>& results) {
  std::size_t count = 0;
  for (const FileResult& result : results) count += result.hits.size();
  if (count == 0) return;
  beginInsertRows({}, 0, static_cast<int>(count) - 1);
  for (const FileResult& result : results)
    for (const auto& [paragraph, excerpt] : result.hits)
      rows_.add(result.file.toStdString(), result.folder.toStdString(), paragraph, excerpt.toStdString());
  endInsertRows();
}

void ResultModel::clear() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

int ResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

QVariant ResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const ResultRow& row = rows_.at(static_cast<std::size_t>(index.row()));
  switch (index.column()) {
    case 0: return text(row.file);
    case 1: return text(row.folder);
    case 2: return QString::number(row.paragraph);
    default: return text(row.excerpt);
  }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 3) return {};
  return QString::fromUtf8(kHeadings[section]);
}

void ResultModel::sort(int, Qt::SortOrder) {
  Q_EMIT layoutAboutToBeChanged();
  rows_.sortByFileDescending();
  Q_EMIT layoutChanged();
}

}  // namespace wabunko
