#pragma once
// The rows of find in files as the result window's list shows them: "ファイル", "フォルダ",
// "行" and "抜粋", the newest row at the top until the user sorts by a header click.

#include "search/ResultRows.h"

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace wabunko {

// What one file gave: its matches, each as a paragraph (from 1) and its text.
struct FileResult {
  QString folder;  // ends in "/"
  QString file;
  std::vector<std::pair<int, QString>> hits;
};

class ResultModel : public QAbstractTableModel {
  Q_OBJECT
public:
  using QAbstractTableModel::QAbstractTableModel;

  // Every hit becomes a row at the top, in the order found.
  void add(const std::vector<FileResult>& results);
  void clear();
  const ResultRows& rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Whichever column: by file name, descending.
  void sort(int column, Qt::SortOrder order) override;

private:
  ResultRows rows_;
};

}  // namespace wabunko
