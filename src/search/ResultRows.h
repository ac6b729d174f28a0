#pragma once
// The rows of the result window of find in files: added one at a time, each new row at
// the top; sorted on request by file name in descending byte order of its code page 932
// form; and the files they come from, for narrowing. Texts are UTF-8 here.

#include <cstddef>
#include <string>
#include <vector>

namespace wabunko {

struct ResultRow {
  std::string file;    // name without folder
  std::string folder;  // ends in "/"
  int paragraph = 0;   // from 1
  std::string excerpt;
  std::size_t serial = 0;  // 0, 1, 2 ... in the order the rows came
  bool operator==(const ResultRow&) const = default;
};

class ResultRows {
public:
  // Adds at the top; several rows of one file come in the order found, so the last of
  // them stands at the top. Adding is cheap at any size (100,000 rows and more).
  void add(std::string file, std::string folder, int paragraph, std::string excerpt);
  // Removes every row; the serial numbers go on from where they were.
  void clear();
  std::size_t size() const;
  // Row `i` as shown, from the top.
  const ResultRow& at(std::size_t i) const;
  // By file name, descending, comparing the names' code page 932 bytes as unsigned; rows
  // of equal names keep their order. Rows added later still come at the top.
  void sortByFileDescending();
  // The files of the rows, each once, taken from the bottom row up (so in the order they
  // were first found, while unsorted).
  std::vector<std::string> paths() const;

private:
  std::size_t indexOf(std::size_t shown) const;

  std::vector<ResultRow> rows_;      // in the order they came
  std::vector<std::size_t> sorted_;  // the order of the first sorted_.size() rows after the last sort
  std::size_t nextSerial_ = 0;       // keeps growing across clear(), as the window's counter does
};

}  // namespace wabunko
