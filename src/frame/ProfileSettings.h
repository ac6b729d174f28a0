#pragma once
// Typed access to the settings store through the entries of the settings layout. Every
// reader and writer of a setting goes through here.

#include "frame/FontRecord.h"
#include "frame/SettingsLayout.h"

#include <QString>

namespace wabunko {

class SettingsStore;

// The value of an integer setting; a missing or non-numeric value gives the layout's
// default, or the reader's own where it uses another. A stored number outside the
// setting's bounds reads as the nearest bound: whoever wrote 50 recent files or a
// 0-minute auto-save asked for the most or the least there is, and gets that. Nothing is
// written back; the store keeps what it holds.
int readInt(const SettingsStore& store, const settings::Setting& setting);
int readInt(const SettingsStore& store, const settings::Setting& setting, int defaultValue);

// The value of a string setting; a missing value, or one whose length lies outside the
// setting's bounds, gives the layout's default, or the reader's own where it uses another.
QString readString(const SettingsStore& store, const settings::Setting& setting);
QString readString(const SettingsStore& store, const settings::Setting& setting,
                   const QString& defaultValue);

bool writeSetting(SettingsStore& store, const settings::Setting& setting, int value);
bool writeSetting(SettingsStore& store, const settings::Setting& setting, const QString& value);

// The font record stored in `section` ("Font\Default", "Font\Read only",
// "Font\Line number"), each integer within its bounds as readInt reads it. The one-byte
// fields keep the low 8 bits of what is stored; a face name that is empty or longer than
// any face's reads as the default face.
FontRecord readFont(const SettingsStore& store, const QString& section);
// Writes all 15 keys, in the order readFont reads them; true when every write succeeded.
bool writeFont(SettingsStore& store, const QString& section, const FontRecord& record);

// The section spelling the editor's stores keep: the layout's spelling of a known section,
// otherwise the name in ASCII lower case. Pass it to a store as its canonicaliser.
QString canonicalSectionName(const QString& section);

}  // namespace wabunko
