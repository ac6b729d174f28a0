#include "view/KeyboardAidRules.h"

namespace wabunko {

std::u16string indentationOf(std::u16string_view line) {
  std::u16string indent;
  for (const char16_t c : line) {
    if (c == u'\t' || c == u' ') indent += c;
    else if (c == u'\u3000') indent += u"  ";
    else break;
  }
  return indent;
}

std::optional<char16_t> closingCharacter(char16_t typed) {
  switch (typed) {
    case u'"': return u'"';
    case u'\'': return u'\'';
    case u'(': return u')';
    case u'[': return u']';
    case u'{': return u'}';
    default: return std::nullopt;
  }
}

}  // namespace wabunko
