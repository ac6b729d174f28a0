#pragma once
// The settings store kept in an INI file (UTF-8), by default
// <config>/WabSoft/Wabunko.conf, <config> being $WABUNKO_CONFIG_HOME when set, otherwise
// the user's configuration folder.
//
// On disk each section is one INI group under its canonical name, each setting one line
// `key=value`. QSettings writes every character of a name other than ASCII letters,
// digits, "_", "-" and "." as %XX or %UXXXX (so "Left  " is `Left%20%20`, "Font\Default" is
// `[Font%5CDefault]`), and quotes values that start or end in blanks or hold ",", ";"
// or "=". Because QSettings reads "/" as a group separator and cannot hold an empty name,
// names are escaped before QSettings sees them: "%" as "%25", "/" as "%2F", the empty name
// as "%"; on disk these appear escaped once more ("a/b" is `a%252Fb`).
//
// Every read first picks up what another process wrote to the file since; every write
// goes to disk before it returns.

#include "platform/SectionCanonicaliser.h"
#include "platform/SettingsStore.h"

#include <memory>

class QSettings;
class QVariant;

namespace wabunko {

class QSettingsStore : public SettingsStore {
public:
  explicit QSettingsStore(SectionCanonicaliser canonical = lowerAsciiSection);
  explicit QSettingsStore(const QString& filePath,
                          SectionCanonicaliser canonical = lowerAsciiSection);
  ~QSettingsStore() override;

  static QString defaultFilePath();
  const QString& filePath() const { return filePath_; }

  int getProfileInt(const QString& section, const QString& key, int defaultValue) const override;
  QString getProfileString(const QString& section, const QString& key,
                           const QString& defaultValue = {}) const override;
  bool writeProfileInt(const QString& section, const QString& key, int value) override;
  bool writeProfileString(const QString& section, const QString& key,
                          const QString& value) override;

private:
  QString settingsKey(const QString& section, const QString& key) const;
  QVariant read(const QString& section, const QString& key) const;
  bool write(const QString& section, const QString& key, const QString& value);

  QString filePath_;
  SectionCanonicaliser canonical_;
  std::unique_ptr<QSettings> reader_;
};

}  // namespace wabunko
