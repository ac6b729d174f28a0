#pragma once
// What the toolbar page holds while the user edits the two bars: per bar the buttons in
// use (catalogue numbers, in bar order) and their stored form, kept current after every
// edit, and the page's edits over the selected rows. Each edit says what the live bar must
// do to follow it, so the page can hand that on and the rules stay free of widgets. Texts
// are UTF-8.

#include "frame/ToolButtonCatalogue.h"

#include <span>
#include <string>
#include <vector>

namespace wabunko {

// A bar's layout as the settings store keeps it: "Count" and "Item".
struct StoredButtons {
  int count = -1;
  std::string items;
  friend bool operator==(const StoredButtons&, const StoredButtons&) = default;
};

// One step of the live bar. Positions count the bar's buttons as the used list shows them.
struct BarEdit {
  enum class Kind { Append, Insert, Delete };
  Kind kind;
  int button = 0;    // catalogue number, for Append and Insert
  int position = 0;  // for Insert and Delete
  friend bool operator==(const BarEdit&, const BarEdit&) = default;
};

struct PageEdit {
  std::vector<BarEdit> barEdits;  // in the order the bar takes them
  std::vector<int> selection;     // the used rows selected afterwards, ascending
  bool full = false;              // chosen buttons were left out: the bar holds the most it may
};

class ToolbarPageModel {
public:
  // A count outside 0-30 shows the bar's default buttons; any other count that many names
  // of the list, a name of no button being a separator.
  ToolbarPageModel(const StoredButtons& file, const StoredButtons& textStyle);

  const std::vector<int>& usedButtons(Bar bar) const { return page(bar).used; }
  // As read until the bar is edited; afterwards the used buttons' count and names.
  const StoredButtons& stored(Bar bar) const { return page(bar).stored; }
  // Whether any edit has changed a bar since the page was made.
  bool changed() const { return changed_; }

  // Rows are positions in the page's lists, in any order; rows past a list's end are
  // ignored. With no row, or nothing that can move, an edit does nothing.

  // Appends a copy of each chosen catalogue entry, from the last row to the first, so
  // that several come in reverse list order; an entry may be used any number of times.
  // Adding stops when the bar holds 30 buttons, the most a stored count keeps: a longer
  // list would read back as the default buttons. The appended rows are selected.
  PageEdit add(Bar bar, std::span<const int> availableRows);
  // Deletes the chosen used rows, from the last to the first.
  PageEdit remove(Bar bar, std::span<const int> usedRows);
  // Each chosen used row goes one place toward the front or the back and stays selected.
  // Rows already at that end stay where they are, and so does a chosen row right behind
  // one that stays, so a selection at an end keeps its order.
  PageEdit moveToFront(Bar bar, std::span<const int> usedRows);
  PageEdit moveToBack(Bar bar, std::span<const int> usedRows);

private:
  struct BarPage {
    Bar bar;
    std::vector<int> used;
    StoredButtons stored;
  };

  BarPage& page(Bar bar) { return bar == Bar::File ? file_ : textStyle_; }
  const BarPage& page(Bar bar) const { return bar == Bar::File ? file_ : textStyle_; }
  // After an edit that touched the bar: the stored form follows the used buttons.
  void recordEdit(BarPage& state, const PageEdit& edit);

  BarPage file_;
  BarPage textStyle_;
  bool changed_ = false;
};

}  // namespace wabunko
