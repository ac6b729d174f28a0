#pragma once
// The four states of an input method's composition string. Input methods do not report
// them: they only give the clause being converted a background of its own. The states
// are read from that mark and from how the composition changed since the last update.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wabunko {

// Numbered as the composition colour table is indexed.
enum class CompositionState {
  BeforeConversion = 0,  // "変換前"
  Converting = 1,        // "変換中": the target clause
  Waiting = 2,           // "変換待ち": the other clauses
  BoundaryChange = 3,    // "区切り位置変更": the target just after its boundary moved
};

// One text format the input method put on its preedit, in UTF-16 units.
struct PreeditFormat {
  int start = 0;
  int length = 0;
  bool hasBackground = false;
};

struct CompositionClause {
  int start = 0;
  int length = 0;
  CompositionState state = CompositionState::BeforeConversion;

  bool operator==(const CompositionClause&) const = default;
};

// The composition as drawn: its text, and clauses in order covering all of it.
struct Composition {
  std::u16string text;
  std::vector<CompositionClause> clauses;

  bool empty() const { return text.empty(); }
  bool operator==(const Composition&) const = default;
};

// The composition after an update showing `preedit` with `formats`, given the one shown
// before (empty at the start and after a commit). An empty preedit ends the composition.
Composition classifyComposition(std::u16string_view preedit, std::span<const PreeditFormat> formats,
                                const Composition& previous);

}  // namespace wabunko
