#include "frame/AutoSave.h"

#include "doc/CWabunkoDoc.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"

#include <QApplication>
#include <algorithm>

namespace wabunko {

AutoSave::AutoSave(const SettingsStore& store, Documents documents, Report report, Busy busy, QObject* parent)
    : QObject(parent), store_(store), documents_(std::move(documents)), report_(std::move(report)),
      busy_(std::move(busy)), timer_(this) {
  timer_.setObjectName(QStringLiteral("autoSave"));
  connect(&timer_, &QTimer::timeout, this, &AutoSave::saveNow);
}

void AutoSave::start() {
  // The period is read within its bounds: at least a minute, at most what the timer's
  // milliseconds hold.
  constexpr int kMsPerMinute = 60000;
  timer_.start(readInt(store_, settings::FileTimeSpanForAutoSave) * kMsPerMinute);
}

void AutoSave::stop() { timer_.stop(); }

void AutoSave::saveNow() {
  // Inside a dialog or a save the documents are in the middle of something: next turn.
  if (QApplication::activeModalWidget() || CWabunkoDoc::saveRunning() || busy_()) return;
  std::erase_if(failed_, [](const QPointer<CWabunkoDoc>& doc) { return doc.isNull(); });
  for (CWabunkoDoc* doc : documents_()) {
    if (!doc->isModified() || doc->pathName().isEmpty() || Document::isReadOnlyFile(doc->pathName())) continue;
    const auto told = std::find(failed_.begin(), failed_.end(), doc);
    const std::optional<QString> failure = doc->saveQuietly();
    if (!failure) {
      if (told != failed_.end()) failed_.erase(told);
      continue;
    }
    if (told != failed_.end()) continue;
    failed_.emplace_back(doc);
    report_(tr("自動保存できませんでした: %1").arg(*failure));
  }
}

}  // namespace wabunko
