#include "CompositionStates.h"

#include <algorithm>
#include <optional>

namespace wabunko {
namespace {

struct Piece {
  int start;
  int end;
  bool highlighted;
};

// The preedit cut at every format boundary. Input methods overlap and repeat their
// formats (one underline under everything, the target sent several times), so a piece is
// highlighted when any format covering it has a background.
std::vector<Piece> piecesOf(int length, std::span<const PreeditFormat> formats) {
  const auto clamp = [length](int p) { return std::clamp(p, 0, length); };
  std::vector<int> cuts = {0, length};
  for (const PreeditFormat& f : formats) {
    cuts.push_back(clamp(f.start));
    cuts.push_back(clamp(f.start + f.length));
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

  std::vector<Piece> pieces;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    const int start = cuts[i];
    const int end = cuts[i + 1];
    const bool highlighted = std::any_of(formats.begin(), formats.end(), [&](const PreeditFormat& f) {
      return f.hasBackground && clamp(f.start) <= start && clamp(f.start + f.length) >= end;
    });
    pieces.push_back({start, end, highlighted});
  }
  return pieces;
}

bool isTarget(const CompositionClause& clause) {
  return clause.state == CompositionState::Converting || clause.state == CompositionState::BoundaryChange;
}

std::optional<CompositionClause> targetOf(const Composition& composition) {
  const auto it = std::find_if(composition.clauses.begin(), composition.clauses.end(), isTarget);
  if (it == composition.clauses.end()) return std::nullopt;
  return *it;
}

// Neither engine marks a clause whose boundary is being moved: both convert the resized
// clause at once. A move shows as a target that stayed where it was, with the same text
// before it, while what follows it changed.
bool boundaryMoved(const Composition& previous, const Composition& now) {
  const auto before = targetOf(previous);
  const auto after = targetOf(now);
  if (!before || !after || before->start != after->start) return false;
  const std::u16string_view oldText = previous.text;
  const std::u16string_view newText = now.text;
  const auto start = static_cast<std::size_t>(after->start);
  if (oldText.substr(0, start) != newText.substr(0, start)) return false;
  return oldText.substr(start + before->length) != newText.substr(start + after->length) ||
         previous.clauses.size() != now.clauses.size();
}

}  // namespace

Composition classifyComposition(std::u16string_view preedit, std::span<const PreeditFormat> formats,
                                const Composition& previous) {
  if (preedit.empty()) return {};
  Composition now{std::u16string(preedit), {}};
  const std::vector<Piece> pieces = piecesOf(static_cast<int>(preedit.size()), formats);
  const auto first = std::find_if(pieces.begin(), pieces.end(), [](const Piece& p) { return p.highlighted; });
  if (first == pieces.end()) {
    now.clauses.push_back({0, static_cast<int>(preedit.size()), CompositionState::BeforeConversion});
    return now;
  }
  const auto last = std::find_if(first, pieces.end(), [](const Piece& p) { return !p.highlighted; });
  const auto waiting = [&now](const Piece& p) {
    now.clauses.push_back({p.start, p.end - p.start, CompositionState::Waiting});
  };
  std::for_each(pieces.begin(), first, waiting);
  now.clauses.push_back({first->start, std::prev(last)->end - first->start, CompositionState::Converting});
  std::for_each(last, pieces.end(), waiting);

  // An update that only repeats the composition (a cursor move, a resent preedit) keeps
  // the states it had, a moved boundary included.
  if (now.text == previous.text &&
      std::equal(now.clauses.begin(), now.clauses.end(), previous.clauses.begin(), previous.clauses.end(),
                 [](const CompositionClause& a, const CompositionClause& b) {
                   return a.start == b.start && a.length == b.length && isTarget(a) == isTarget(b);
                 }))
    return previous;
  if (boundaryMoved(previous, now))
    for (CompositionClause& c : now.clauses)
      if (c.state == CompositionState::Converting) c.state = CompositionState::BoundaryChange;
  return now;
}

}  // namespace wabunko
