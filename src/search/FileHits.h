#pragma once
// The rows of find in files for one file: every place the string occurs, as the
// paragraph (from 1) and the paragraph's text. The text is code page 932 bytes, as files
// are read at rest; a match starts on a character and the next search starts one
// character after the start of the last, so overlapping occurrences all count (aa in
// aaaa: three). Without match case, letters fold as in the find commands (TextMatch).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wabunko {

// Every row carries its own excerpt, so a long paragraph is not copied whole into each of
// its rows: one longer than this gives, from the match on, as many whole characters as fit.
inline constexpr std::size_t kMaxExcerptBytes = 512;

struct FileHit {
  int paragraph = 0;    // from 1
  std::string excerpt;  // the paragraph's text, code page 932, without its line end
  bool operator==(const FileHit&) const = default;
};

// Every match in code page 932 text whose paragraphs end in CR LF, LF or CR. A string
// holding CR or LF, like an empty one, matches nowhere.
std::vector<FileHit> findInText(std::string_view text, std::string_view needle, bool matchCase);

// Every match in a file's bytes as the editor reads it at rest: RTF when the bytes begin
// as rich text (its paragraphs' text, in code page 932, a line break inside a paragraph
// as a space), else Shift-JIS text (bytes in another code are searched as they stand).
std::vector<FileHit> findInFile(std::string_view bytes, std::string_view needle, bool matchCase);

// The offsets of every match in one paragraph (no line ends), overlapping, in order.
std::vector<std::size_t> matchesInParagraph(std::string_view paragraph, std::string_view needle, bool matchCase);

}  // namespace wabunko
