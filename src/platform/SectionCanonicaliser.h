#pragma once
// How a store turns a section name into the one spelling it keeps the section under, so
// that names differing only in letter case address one section.

#include <QString>

#include <functional>

namespace wabunko {

using SectionCanonicaliser = std::function<QString(const QString&)>;

// The stores' default: ASCII letters in lower case, everything else as it is.
inline QString lowerAsciiSection(const QString& section) {
  QString lower = section;
  for (QChar& c : lower) {
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() - u'A' + u'a');
  }
  return lower;
}

}  // namespace wabunko
