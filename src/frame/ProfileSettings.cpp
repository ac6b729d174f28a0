#include "frame/ProfileSettings.h"

#include "platform/SettingsStore.h"

#include <algorithm>
#include <cstdint>

namespace wabunko {
namespace {

using settings::FontField;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// `section` is passed apart from the setting because a font record's keys are one set of
// entries read under three sections.
int readBoundedInt(const SettingsStore& store, const QString& section,
                   const settings::Setting& setting, int defaultValue) {
  Q_ASSERT(setting.type == settings::Type::Int);
  const int value = store.getProfileInt(section, text(setting.key), defaultValue);
  // The reader's default stands as given, also where it lies outside the bounds.
  return value == defaultValue ? value : std::clamp(value, setting.intMin, setting.intMax);
}

int readFontInt(const SettingsStore& store, const QString& section, FontField field) {
  const settings::Setting s = settings::fontSetting("", field);
  return readBoundedInt(store, section, s, s.intDefault);
}

// A string within the setting's bounds on its length, otherwise `defaultValue`.
QString readBoundedString(const SettingsStore& store, const QString& section,
                          const settings::Setting& setting, const QString& defaultValue) {
  Q_ASSERT(setting.type == settings::Type::String);
  const QString value = store.getProfileString(section, text(setting.key), defaultValue);
  // UTF-8 takes at most three bytes for a UTF-16 unit, and at least one.
  if (value.size() >= setting.intMin && value.size() * 3 <= setting.intMax) return value;
  const qsizetype bytes = value.toUtf8().size();
  return bytes >= setting.intMin && bytes <= setting.intMax ? value : defaultValue;
}

std::uint8_t readFontByte(const SettingsStore& store, const QString& section, FontField field) {
  return static_cast<std::uint8_t>(readFontInt(store, section, field));
}

bool writeFontInt(SettingsStore& store, const QString& section, FontField field, int value) {
  return store.writeProfileInt(section, text(settings::fontSetting("", field).key), value);
}

}  // namespace

int readInt(const SettingsStore& store, const settings::Setting& setting) {
  return readInt(store, setting, setting.intDefault);
}

int readInt(const SettingsStore& store, const settings::Setting& setting, int defaultValue) {
  return readBoundedInt(store, text(setting.section), setting, defaultValue);
}

QString readString(const SettingsStore& store, const settings::Setting& setting) {
  return readString(store, setting, text(setting.stringDefault));
}

QString readString(const SettingsStore& store, const settings::Setting& setting,
                   const QString& defaultValue) {
  return readBoundedString(store, text(setting.section), setting, defaultValue);
}

bool writeSetting(SettingsStore& store, const settings::Setting& setting, int value) {
  Q_ASSERT(setting.type == settings::Type::Int);
  return store.writeProfileInt(text(setting.section), text(setting.key), value);
}

bool writeSetting(SettingsStore& store, const settings::Setting& setting, const QString& value) {
  Q_ASSERT(setting.type == settings::Type::String);
  return store.writeProfileString(text(setting.section), text(setting.key), value);
}

FontRecord readFont(const SettingsStore& store, const QString& section) {
  FontRecord r;
  LogFont& f = r.font;
  f.height = readFontInt(store, section, FontField::Height);
  f.width = readFontInt(store, section, FontField::Width);
  f.escapement = readFontInt(store, section, FontField::Escapement);
  f.orientation = readFontInt(store, section, FontField::Orientation);
  f.weight = readFontInt(store, section, FontField::Weight);
  f.italic = readFontByte(store, section, FontField::Italic);
  f.underline = readFontByte(store, section, FontField::Underline);
  f.strikeOut = readFontByte(store, section, FontField::StrikeOut);
  f.charSet = readFontByte(store, section, FontField::CharSet);
  f.outPrecision = readFontByte(store, section, FontField::OutPrecision);
  f.clipPrecision = readFontByte(store, section, FontField::ClipPrecision);
  f.quality = readFontByte(store, section, FontField::Quality);
  f.pitchAndFamily = readFontByte(store, section, FontField::PitchAndFamily);
  const settings::Setting face = settings::fontSetting("", FontField::FaceName);
  f.faceName = readBoundedString(store, section, face, text(face.stringDefault)).toStdString();
  r.color = static_cast<std::uint32_t>(readFontInt(store, section, FontField::Color));
  return r;
}

bool writeFont(SettingsStore& store, const QString& section, const FontRecord& record) {
  const LogFont& f = record.font;
  const QString face = QString::fromStdString(f.faceName);
  // Every key is written even after a failure, so that as much as possible is kept.
  bool ok = writeFontInt(store, section, FontField::Height, f.height);
  ok &= writeFontInt(store, section, FontField::Width, f.width);
  ok &= writeFontInt(store, section, FontField::Escapement, f.escapement);
  ok &= writeFontInt(store, section, FontField::Orientation, f.orientation);
  ok &= writeFontInt(store, section, FontField::Weight, f.weight);
  ok &= writeFontInt(store, section, FontField::Italic, f.italic);
  ok &= writeFontInt(store, section, FontField::Underline, f.underline);
  ok &= writeFontInt(store, section, FontField::StrikeOut, f.strikeOut);
  ok &= writeFontInt(store, section, FontField::CharSet, f.charSet);
  ok &= writeFontInt(store, section, FontField::OutPrecision, f.outPrecision);
  ok &= writeFontInt(store, section, FontField::ClipPrecision, f.clipPrecision);
  ok &= writeFontInt(store, section, FontField::Quality, f.quality);
  ok &= writeFontInt(store, section, FontField::PitchAndFamily, f.pitchAndFamily);
  ok &= store.writeProfileString(
      section, text(settings::fontSetting("", FontField::FaceName).key), face);
  ok &= writeFontInt(store, section, FontField::Color, static_cast<int>(record.color));
  return ok;
}

QString canonicalSectionName(const QString& section) {
  return QString::fromStdString(settings::canonicalSection(section.toStdString()));
}

}  // namespace wabunko
