#pragma once
// Timer 1: every "Time span for auto save" minutes, each modified document that has a file
// of its own it can write is saved there in its own code. Auto-save never asks anything and
// never runs inside another operation: a turn is skipped while a modal dialog is open, a
// save is running, or a long operation (`busy`) lets events through. A document it cannot save stays modified, and the reason is shown once
// in the status bar until a save of that document succeeds again.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

namespace wabunko {

class CWabunkoDoc;
class SettingsStore;

class AutoSave : public QObject {
  Q_OBJECT
public:
  using Documents = std::function<std::vector<CWabunkoDoc*>()>;
  using Report = std::function<void(const QString&)>;
  using Busy = std::function<bool()>;
  AutoSave(const SettingsStore& store, Documents documents, Report report, Busy busy, QObject* parent = nullptr);

  // Starts the timer with the stored period, or stops it.
  void start();
  void stop();
  bool running() const { return timer_.isActive(); }
  int intervalMs() const { return timer_.interval(); }

  // One turn, as when the timer fires.
  void saveNow();

private:
  const SettingsStore& store_;
  Documents documents_;
  Report report_;
  Busy busy_;
  QTimer timer_;
  std::vector<QPointer<CWabunkoDoc>> failed_;  // told about, not saved since
};

}  // namespace wabunko
