#include "platform/MemoryStore.h"

#include <utility>

namespace wabunko {

MemoryStore::MemoryStore(SectionCanonicaliser canonical) : canonical_(std::move(canonical)) {}

const QString* MemoryStore::find(const QString& section, const QString& key) const {
  const auto s = sections_.constFind(canonical_(section));
  if (s == sections_.cend()) return nullptr;
  const auto v = s->constFind(key);
  return v == s->cend() ? nullptr : &*v;
}

// Values are kept as text, as the file-backed store keeps them, so that a string read as
// an integer behaves the same in both.
int MemoryStore::getProfileInt(const QString& section, const QString& key,
                               int defaultValue) const {
  const QString* value = find(section, key);
  bool ok = false;
  const int number = value ? value->toInt(&ok) : 0;
  return ok ? number : defaultValue;
}

QString MemoryStore::getProfileString(const QString& section, const QString& key,
                                      const QString& defaultValue) const {
  const QString* value = find(section, key);
  return value ? *value : defaultValue;
}

bool MemoryStore::writeProfileInt(const QString& section, const QString& key, int value) {
  return write(section, key, QString::number(value));
}

bool MemoryStore::writeProfileString(const QString& section, const QString& key,
                                     const QString& value) {
  return write(section, key, value);
}

bool MemoryStore::write(const QString& section, const QString& key, const QString& value) {
  if (readOnly_) return false;
  sections_[canonical_(section)][key] = value;
  writes_.append(section + QLatin1Char('/') + key);
  return true;
}

}  // namespace wabunko
