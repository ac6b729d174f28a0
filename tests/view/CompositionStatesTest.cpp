#include "RecordedCompositions.h"

#include <gtest/gtest.h>

namespace wabunko {
namespace {

using namespace recorded;

std::vector<PreeditFormat> reduced(const std::vector<SentFormat>& formats) {
  std::vector<PreeditFormat> out;
  for (const SentFormat& f : formats) out.push_back({f.start, f.length, f.background});
  return out;
}

class RecordedComposition : public testing::TestWithParam<Recording> {};

TEST_P(RecordedComposition, EveryStepIsDrawnInItsStates) {
  Composition shown;
  for (const Step& step : GetParam().steps) {
    shown = classifyComposition(step.preedit, reduced(step.formats), shown);
    EXPECT_EQ(shown.clauses, step.expected) << step.key;
    EXPECT_EQ(shown.text, step.preedit) << step.key;
  }
}

INSTANTIATE_TEST_SUITE_P(FourInputMethods, RecordedComposition, testing::ValuesIn(runs()),
                         [](const testing::TestParamInfo<Recording>& info) { return std::string(info.param.name); });

TEST(CompositionStates, PiecesComeFromEveryFormatBoundary) {
  struct Case {
    const char* name;
    std::u16string preedit;
    std::vector<PreeditFormat> formats;
    std::vector<CompositionClause> expected;
  };
  constexpr auto B = CompositionState::BeforeConversion;
  constexpr auto C = CompositionState::Converting;
  constexpr auto W = CompositionState::Waiting;
  const Case cases[] = {
      {"no formats", u"かな", {}, {{0, 2, B}}},
      {"formats past either end are cut to the preedit", u"かなかな", {{-3, 4, false}, {1, 40, true}},
       {{0, 1, W}, {1, 3, C}}},
      {"an empty format marks nothing", u"かなかな", {{2, 0, true}}, {{0, 4, B}}},
      {"adjacent highlights make one target", u"かなかなか", {{0, 2, true}, {2, 2, true}, {4, 1, false}},
       {{0, 4, C}, {4, 1, W}}},
      {"only the first highlight is the target", u"かなかなか", {{0, 1, true}, {1, 2, false}, {3, 2, true}},
       {{0, 1, C}, {1, 2, W}, {3, 2, W}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(classifyComposition(c.preedit, c.formats, {}).clauses, c.expected) << c.name;
}

TEST(CompositionStates, AMovedBoundaryStaysMarkedUntilTheCompositionChangesOtherwise) {
  const std::u16string text = u"私の名前は中野です";
  const std::vector<PreeditFormat> target = {{0, 2, false}, {2, 3, true}, {5, 4, false}};
  const std::vector<PreeditFormat> shrunk = {{0, 2, false}, {2, 2, true}, {4, 5, false}};
  const Composition before = classifyComposition(text, target, {});
  const Composition moved = classifyComposition(text, shrunk, before);
  ASSERT_EQ(moved.clauses.at(1).state, CompositionState::BoundaryChange);

  // The same update again (a caret move, a resend) leaves the mark.
  EXPECT_EQ(classifyComposition(text, shrunk, moved), moved);
  // Growing it back is another move.
  EXPECT_EQ(classifyComposition(text, target, moved).clauses.at(1).state, CompositionState::BoundaryChange);
  // After a commit nothing is compared with the old composition.
  EXPECT_EQ(classifyComposition(text, shrunk, classifyComposition(u"", {}, moved)).clauses.at(1).state,
            CompositionState::Converting);
}

}  // namespace
}  // namespace wabunko
