#include "FormatArithmetic.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace wabunko {
namespace {

constexpr int kMaxIndentMillimetres = settings::kMaxParagraphMillimetres;

int wholePoints(int heightTwips) { return heightTwips / 20; }

}  // namespace

HeightAndOffset superscript(HeightAndOffset current) {
  const int p = wholePoints(current.heightTwips);
  return {12 * p, current.offsetTwips + 6 * p};
}

HeightAndOffset subscript(HeightAndOffset current) {
  const int p = wholePoints(current.heightTwips);
  return {12 * p, current.offsetTwips - p};
}

int millimetresFromTwips(int twips) { return twips / kTwipsPerMillimetre; }

int twipsFromMillimetres(int millimetres) {
  return std::clamp(millimetres, -kMaxIndentMillimetres, kMaxIndentMillimetres) * kTwipsPerMillimetre;
}

IndentFields indentFields(const ParagraphIndents& paragraph) {
  // Sums in 64 bits: a paragraph read from a file may carry any indents.
  const long long left = static_cast<long long>(paragraph.startTwips) + paragraph.offsetTwips;
  return {static_cast<int>(left / kTwipsPerMillimetre), millimetresFromTwips(paragraph.rightTwips),
          -millimetresFromTwips(paragraph.offsetTwips)};
}

ParagraphIndents paragraphIndents(const IndentFields& fields) {
  const auto bounded = [](int mm) { return std::clamp(mm, -kMaxIndentMillimetres, kMaxIndentMillimetres); };
  return {(bounded(fields.left) + bounded(fields.first)) * kTwipsPerMillimetre, -twipsFromMillimetres(fields.first),
          twipsFromMillimetres(fields.right)};
}

int indentFieldValue(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || end != text.data() + text.size()) return 0;
  if (error == std::errc::result_out_of_range) return text.front() == '-' ? -kMaxIndentMillimetres : kMaxIndentMillimetres;
  return static_cast<int>(std::clamp<long long>(value, -kMaxIndentMillimetres, kMaxIndentMillimetres));
}

}  // namespace wabunko
