#pragma once
// "ﾌｧｲﾙから検索": the result window of find in files. It lists the matches of the latest
// search, shows how the search goes while it runs, and lists the folders and files that
// could not be read after it. Enter or a double click opens the selected rows; a header
// click sorts by file name. "新規検索" stops a running search or asks for a new one,
// "ｷｬﾝｾﾙ" (and Esc) stops a running search or hides the window, "絞り込み検索" searches the
// listed files again for another string.

#include "search/FindInFilesRun.h"
#include "search/ResultModel.h"

#include <QDialog>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace wabunko {

class CFindResultDlg : public QDialog {
  Q_OBJECT
public:
  explicit CFindResultDlg(QWidget* parent = nullptr);

  ResultModel& model() { return model_; }
  QTableView* list() const { return list_; }

  // While a search runs, "絞り込み検索" waits and the buttons stop it.
  void searchStarted();
  void showProgress(const FindInFilesRun::Progress& progress);
  void searchEnded(const FindInFilesRun::Summary& summary);
  bool searching() const { return searching_; }

Q_SIGNALS:
  void newSearchRequested();
  void narrowRequested();
  void stopRequested();
  // The rows to open, from the bottom one to the top one.
  void openRequested(const std::vector<ResultRow>& rows);

protected:
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void openSelected();

  ResultModel model_;
  QTableView* list_;
  QLabel* status_;
  QLabel* unreadableLabel_;
  QListWidget* unreadable_;
  QPushButton* newSearch_;
  QPushButton* cancel_;
  QPushButton* narrow_;
  bool searching_ = false;
};

}  // namespace wabunko
