#include "RecentFileList.h"

#include "SettingsStore.h"

#include <QFileInfo>
#include <algorithm>

namespace wabunko {

RecentFileList::RecentFileList(SettingsStore& store, KeyOf keyOf, int size)
    : store_(store), keyOf_(std::move(keyOf)), size_(std::clamp(size, 0, kMaxSize)) {
  for (int i = 0; i < size_; ++i) {
    const auto [section, key] = keyOf_(i);
    const QString file = store_.getProfileString(section, key);
    if (!file.isEmpty()) files_ << file;
  }
}

void RecentFileList::add(const QString& path) {
  if (size_ == 0 || path.isEmpty()) return;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files_.removeAll(absolute);
  files_.prepend(absolute);
  while (files_.size() > size_) files_.removeLast();
  write();
}

void RecentFileList::remove(int index) {
  if (index < 0 || index >= files_.size()) return;
  files_.removeAt(index);
  write();
}

void RecentFileList::write() const {
  for (int i = 0; i < size_; ++i) {
    const auto [section, key] = keyOf_(i);
    store_.writeProfileString(section, key, files_.value(i));
  }
}

}  // namespace wabunko
