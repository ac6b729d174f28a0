#pragma once
// A settings store held in memory, for tests: the same semantics as the file-backed store,
// plus a look at what was written and a switch that makes writes fail.

#include "platform/SectionCanonicaliser.h"
#include "platform/SettingsStore.h"

#include <QMap>
#include <QStringList>

namespace wabunko {

class MemoryStore : public SettingsStore {
public:
  // Values by key, by canonical section name.
  using Sections = QMap<QString, QMap<QString, QString>>;

  explicit MemoryStore(SectionCanonicaliser canonical = lowerAsciiSection);

  int getProfileInt(const QString& section, const QString& key, int defaultValue) const override;
  QString getProfileString(const QString& section, const QString& key,
                           const QString& defaultValue = {}) const override;
  bool writeProfileInt(const QString& section, const QString& key, int value) override;
  bool writeProfileString(const QString& section, const QString& key,
                          const QString& value) override;

  const Sections& contents() const { return sections_; }
  // "section/key" of every write that succeeded, in order, as the writer spelled them.
  const QStringList& writes() const { return writes_; }
  // While set, every write fails and changes nothing, as on a read-only medium.
  void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
  const QString* find(const QString& section, const QString& key) const;
  bool write(const QString& section, const QString& key, const QString& value);

  SectionCanonicaliser canonical_;
  Sections sections_;
  QStringList writes_;
  bool readOnly_ = false;
};

}  // namespace wabunko
