#pragma once
// Control words of our own. RTF gives font sizes and raised or lowered text in half-points;
// where a size or offset in twips is not a whole number of half-points, the writer follows
// \fs or \up / \dn with one of these (parameter in twips, the offset signed) so the reader
// gets it back exactly. Other readers skip unknown control words and use the half-points.

#include <string_view>

namespace wabunko::rtf {

inline constexpr std::string_view kExactHeightWord = "wabunkofstwips";
inline constexpr std::string_view kExactOffsetWord = "wabunkouptwips";

}  // namespace wabunko::rtf
