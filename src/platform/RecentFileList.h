#pragma once
// The list of recently used files shown in the File menu, newest first, kept in the
// settings store as one string per entry under keys the owner names.

#include <QString>
#include <QStringList>
#include <functional>

namespace wabunko {

class SettingsStore;

class RecentFileList {
public:
  static constexpr int kMaxSize = 16;

  // Section and key of entry i (from 0).
  using KeyOf = std::function<std::pair<QString, QString>(int)>;

  // Reads the list; `size` is clamped to 0..kMaxSize.
  RecentFileList(SettingsStore& store, KeyOf keyOf, int size);

  const QStringList& files() const { return files_; }
  int size() const { return size_; }

  // Puts `path` at the top (once), dropping the oldest entry beyond the size.
  void add(const QString& path);
  void remove(int index);

private:
  void write() const;

  SettingsStore& store_;
  KeyOf keyOf_;
  int size_;
  QStringList files_;
};

}  // namespace wabunko
