#pragma once
// QString <-> the UTF-16 strings of the pure library, without conversion.

#include <QString>
#include <string_view>

namespace wabunko {

inline std::u16string_view utf16(const QString& s) {
  return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

inline QString qstring(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace wabunko
