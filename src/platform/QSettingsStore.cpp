#include "platform/QSettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

#include <utility>

namespace wabunko {
namespace {

QString escapeName(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("%");
  QString escaped = name;
  escaped.replace(u'%', QLatin1String("%25"));
  escaped.replace(u'/', QLatin1String("%2F"));
  return escaped;
}

}  // namespace

QSettingsStore::QSettingsStore(SectionCanonicaliser canonical)
    : QSettingsStore(defaultFilePath(), std::move(canonical)) {}

QSettingsStore::QSettingsStore(const QString& filePath, SectionCanonicaliser canonical)
    : filePath_(filePath),
      canonical_(std::move(canonical)),
      reader_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::defaultFilePath() {
  QString config = qEnvironmentVariable("WABUNKO_CONFIG_HOME");
  if (config.isEmpty())
    config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return config + QStringLiteral("/WabSoft/Wabunko.conf");
}

QString QSettingsStore::settingsKey(const QString& section, const QString& key) const {
  return escapeName(canonical_(section)) + u'/' + escapeName(key);
}

// sync() re-reads the file only when its size or time changed, which costs less than a
// fresh QSettings per read. The reader never has changes of its own, so it writes nothing.
QVariant QSettingsStore::read(const QString& section, const QString& key) const {
  reader_->sync();
  return reader_->value(settingsKey(section, key));
}

int QSettingsStore::getProfileInt(const QString& section, const QString& key,
                                  int defaultValue) const {
  bool ok = false;
  const int number = read(section, key).toString().toInt(&ok);
  return ok ? number : defaultValue;
}

QString QSettingsStore::getProfileString(const QString& section, const QString& key,
                                         const QString& defaultValue) const {
  const QVariant value = read(section, key);
  return value.isValid() ? value.toString() : defaultValue;
}

bool QSettingsStore::writeProfileInt(const QString& section, const QString& key, int value) {
  return write(section, key, QString::number(value));
}

bool QSettingsStore::writeProfileString(const QString& section, const QString& key,
                                        const QString& value) {
  return write(section, key, value);
}

// A fresh QSettings per write, because its status stays at the first error it met. Qt
// keeps a value it could not save in a cache shared by every QSettings of the file and
// saves it at the next sync, so a store that cannot be written is refused up front.
bool QSettingsStore::write(const QString& section, const QString& key, const QString& value) {
  QSettings settings(filePath_, QSettings::IniFormat);
  if (!settings.isWritable()) return false;
  settings.setValue(settingsKey(section, key), value);
  settings.sync();
  return settings.status() != QSettings::AccessError;
}

}  // namespace wabunko
