#pragma once
// The per-user settings store: a tree of sections holding named integer and string
// values. Section names compare without regard to letter case; key names are exact,
// trailing blanks included. A read of a missing value returns the caller's default and
// never writes anything.

#include <QString>

namespace wabunko {

class SettingsStore {
public:
  virtual ~SettingsStore() = default;

  virtual int getProfileInt(const QString& section, const QString& key, int defaultValue) const = 0;
  virtual QString getProfileString(const QString& section, const QString& key,
                                   const QString& defaultValue = {}) const = 0;
  virtual bool writeProfileInt(const QString& section, const QString& key, int value) = 0;
  virtual bool writeProfileString(const QString& section, const QString& key,
                                  const QString& value) = 0;
};

}  // namespace wabunko
