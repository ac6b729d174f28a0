#pragma once
// Compositions as four input methods sent them to a text widget: typing
// "watashinonamaehanakanodesu", converting, moving to the next clause, shrinking it and
// committing. Each step holds the preedit, the text formats sent with it (in the engine's
// style), the caret within the preedit and the states it must be drawn in.

#include "view/CompositionStates.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace wabunko::recorded {

// Each engine dresses the same clauses differently.
enum class Engine {
  Fcitx5Mozc,   // one format per clause; the target with a background
  IbusMozc,     // the target's format sent three times
  Fcitx5Anthy,  // the clauses beside the target with an empty format
  IbusAnthy,    // one underline under the whole preedit, the target's format sent twice
};

struct SentFormat {
  int start = 0;
  int length = 0;
  bool background = false;
  bool underline = false;
};

struct Step {
  const char* key;
  std::u16string preedit;
  std::vector<SentFormat> formats;
  int cursor = 0;
  std::vector<CompositionClause> expected;
};

struct Recording {
  const char* name;
  Engine engine;
  std::vector<Step> steps;
  std::u16string committed;
};

// Names the recording in test output.
inline void PrintTo(const Recording& recording, std::ostream* out) { *out << recording.name; }

using Span = std::pair<int, int>;

// The formats `engine` sends for `clauses`, the one at `target` being converted (-1: none).
inline std::vector<SentFormat> sent(Engine engine, const std::vector<Span>& clauses, int target) {
  std::vector<SentFormat> formats;
  if (engine == Engine::IbusAnthy) {
    formats.push_back({0, clauses.back().first + clauses.back().second, false, true});
    if (target >= 0) formats.insert(formats.end(), 2, {clauses[target].first, clauses[target].second, true, false});
    return formats;
  }
  for (int i = 0; i < static_cast<int>(clauses.size()); ++i) {
    const auto [start, length] = clauses[i];
    if (i != target) {
      const bool empty = engine == Engine::Fcitx5Anthy && target >= 0;
      formats.push_back({start, length, false, !empty});
      continue;
    }
    const int copies = engine == Engine::IbusMozc ? 3 : 1;
    formats.insert(formats.end(), copies, {start, length, true, false});
  }
  return formats;
}

constexpr auto B = CompositionState::BeforeConversion;
constexpr auto C = CompositionState::Converting;
constexpr auto W = CompositionState::Waiting;
constexpr auto R = CompositionState::BoundaryChange;

inline const std::u16string kReading = u"わたしのなまえはなかのです";
inline const std::u16string kConverted = u"私の名前は中野です";

// mozc gives the clauses before the resized one back their reading, so its target moves
// and the step reads as a plain conversion; anthy keeps them and the move shows.
inline Recording mozcRecording(const char* name, Engine engine) {
  const std::vector<Span> three = {{0, 2}, {2, 3}, {5, 4}};
  const std::vector<Span> resized = {{0, 4}, {4, 2}, {6, 1}, {7, 4}};
  return {name,
          engine,
          {
              {"typing", kReading, sent(engine, {{0, 13}}, -1), 13, {{0, 13, B}}},
              {"Space", kConverted, sent(engine, three, 0), 0, {{0, 2, C}, {2, 3, W}, {5, 4, W}}},
              {"Right", kConverted, sent(engine, three, 1), 2, {{0, 2, W}, {2, 3, C}, {5, 4, W}}},
              {"Shift+Left", u"わたしの名前は中野です", sent(engine, resized, 1), 4,
               {{0, 4, W}, {4, 2, C}, {6, 1, W}, {7, 4, W}}},
              {"Return", u"", {}, 0, {}},
          },
          u"わたしの名前は中野です"};
}

inline Recording anthyRecording(const char* name, Engine engine) {
  const std::vector<Span> three = {{0, 2}, {2, 3}, {5, 4}};
  const std::vector<Span> shrunk = {{0, 2}, {2, 2}, {4, 5}};
  const std::vector<Span> other = {{0, 2}, {2, 3}, {5, 5}};
  // ibus-anthy's single underline leaves nothing between the clauses beside the target.
  const bool merged = engine == Engine::IbusAnthy;
  using Clauses = std::vector<CompositionClause>;
  return {name,
          engine,
          {
              {"typing", kReading, sent(engine, {{0, 13}}, -1), 13, {{0, 13, B}}},
              {"Space", kConverted, sent(engine, three, 0), 0,
               merged ? Clauses{{0, 2, C}, {2, 7, W}} : Clauses{{0, 2, C}, {2, 3, W}, {5, 4, W}}},
              {"Right", kConverted, sent(engine, three, 1), 2, {{0, 2, W}, {2, 3, C}, {5, 4, W}}},
              {"Shift+Left", kConverted, sent(engine, shrunk, 1), 2, {{0, 2, W}, {2, 2, R}, {4, 5, W}}},
              {"Space", u"私のなまえは中野です", sent(engine, other, 1), 2, {{0, 2, W}, {2, 3, C}, {5, 5, W}}},
              {"Return", u"", {}, 0, {}},
          },
          u"私のなまえは中野です"};
}

inline std::vector<Recording> runs() {
  return {mozcRecording("fcitx5_mozc", Engine::Fcitx5Mozc), mozcRecording("ibus_mozc", Engine::IbusMozc),
          anthyRecording("fcitx5_anthy", Engine::Fcitx5Anthy), anthyRecording("ibus_anthy", Engine::IbusAnthy)};
}

}  // namespace wabunko::recorded
