#include "view/KeyboardAidRules.h"

#include <gtest/gtest.h>

#include <string>

namespace wabunko {
namespace {

TEST(KeyboardAidRules, ANewLineTakesOverTheLeadingBlanksWithFullWidthSpacesAsTwo) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"\t  text", u"\t  "},
      {u"\u3000text", u"  "},
      {u" \u3000\tx  y", u"   \t"},
      {u"text  ", u""},
      {u"   ", u"   "},
      {u"", u""},
  };
  for (const auto& [line, indent] : cases) EXPECT_EQ(indentationOf(line), indent);
}

TEST(KeyboardAidRules, OnlyTheFiveSingleByteOpeningsClose) {
  EXPECT_EQ(closingCharacter(u'"'), u'"');
  EXPECT_EQ(closingCharacter(u'\''), u'\'');
  EXPECT_EQ(closingCharacter(u'('), u')');
  EXPECT_EQ(closingCharacter(u'['), u']');
  EXPECT_EQ(closingCharacter(u'{'), u'}');
  for (const char16_t other : {u'（', u'「', u'<', u')', u'a'}) EXPECT_EQ(closingCharacter(other), std::nullopt);
}

}  // namespace
}  // namespace wabunko
