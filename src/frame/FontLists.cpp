#include "frame/FontLists.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

namespace wabunko {
namespace {

constexpr std::array kFixedPoints{8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool lessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(asciiLower(x)) < static_cast<unsigned char>(asciiLower(y));
  });
}

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<FontNameItem> fontNameItems(std::span<const FaceInScript> faces) {
  std::map<std::string, int> occurrences;
  for (const FaceInScript& f : faces) ++occurrences[f.face];
  std::vector<FontNameItem> items;
  items.reserve(faces.size());
  for (const FaceInScript& f : faces) {
    std::string text = f.face;
    if (occurrences[f.face] > 1 && !f.script.empty()) text += " (" + f.script + ")";
    items.push_back({std::move(text), f.face});
  }
  std::ranges::stable_sort(items, lessIgnoringCase, &FontNameItem::text);
  return items;
}

std::string sizeText(int twips) {
  const int halfPoints = (twips + 5) / 10;
  char text[32];
  if (halfPoints % 2 != 0)
    std::snprintf(text, sizeof text, "%.1f", halfPoints * 0.5);
  else
    std::snprintf(text, sizeof text, "%d", (twips + 5) / 20);
  return text;
}

std::vector<FontSizeItem> fixedSizeItems() {
  std::vector<FontSizeItem> items;
  for (int points : kFixedPoints) items.push_back({std::to_string(points), points * 20});
  return items;
}

std::vector<FontSizeItem> ownSizeItems(std::span<const int> sizesTwips) {
  std::vector<FontSizeItem> items;
  for (int twips : sizesTwips) {
    std::string text = sizeText(twips);
    if (std::ranges::find(items, text, &FontSizeItem::text) != items.end()) continue;
    const auto larger = std::ranges::find_if(items, [twips](const FontSizeItem& i) { return i.twips > twips; });
    items.insert(larger, {std::move(text), twips});
  }
  return items;
}

std::optional<int> parseSizeTwips(std::string_view text) {
  text = trimmed(text);
  // Digits with at most one decimal point: no sign, no exponent, nothing after.
  if (text.empty() || !std::ranges::all_of(text, [](char c) { return (c >= '0' && c <= '9') || c == '.'; }) ||
      std::ranges::count(text, '.') > 1 || text == ".")
    return std::nullopt;
  double points = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), points, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (points < kMinTypedPoints || points > kMaxTypedPoints) return std::nullopt;
  return static_cast<int>(std::lround(points * 20));
}

}  // namespace wabunko
