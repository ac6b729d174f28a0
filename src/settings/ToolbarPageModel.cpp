#include "settings/ToolbarPageModel.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace wabunko {
namespace {

std::vector<int> readUsedButtons(Bar bar, const StoredButtons& stored) {
  if (usesDefaultButtons(stored.count)) {
    const auto defaults = defaultButtons(bar);
    return {defaults.begin(), defaults.end()};
  }
  return parseButtonList(bar, stored.items, stored.count);
}

// The chosen rows of a list of `size` rows, ascending, each once.
std::vector<int> chosenRows(std::span<const int> rows, std::size_t size) {
  std::vector<int> chosen;
  for (int row : rows) {
    if (row >= 0 && static_cast<std::size_t>(row) < size) chosen.push_back(row);
  }
  std::ranges::sort(chosen);
  // std::unique, not std::ranges::unique: clang 14, which builds the fuzz targets, cannot
  // instantiate the latter's result type with the standard library of g++ 12.
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  return chosen;
}

// Moves the row at `from` one place to `to` in the list and on the bar: the bar deletes
// the button and inserts it again at its new place.
void moveRow(std::vector<int>& used, int from, int to, PageEdit& edit) {
  std::swap(used[static_cast<std::size_t>(from)], used[static_cast<std::size_t>(to)]);
  edit.barEdits.push_back({BarEdit::Kind::Delete, 0, from});
  edit.barEdits.push_back({BarEdit::Kind::Insert, used[static_cast<std::size_t>(to)], to});
}

}  // namespace

ToolbarPageModel::ToolbarPageModel(const StoredButtons& file, const StoredButtons& textStyle)
    : file_{Bar::File, readUsedButtons(Bar::File, file), file},
      textStyle_{Bar::TextStyle, readUsedButtons(Bar::TextStyle, textStyle), textStyle} {}

void ToolbarPageModel::recordEdit(BarPage& state, const PageEdit& edit) {
  if (edit.barEdits.empty()) return;
  changed_ = true;
  state.stored = {static_cast<int>(state.used.size()), formatButtonList(state.bar, state.used)};
}

PageEdit ToolbarPageModel::add(Bar bar, std::span<const int> availableRows) {
  BarPage& state = page(bar);
  const std::vector<int> rows = chosenRows(availableRows, buttonCatalogue(bar).size());
  PageEdit edit;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    if (state.used.size() >= static_cast<std::size_t>(kMaxStoredButtons)) {
      edit.full = true;
      break;
    }
    edit.selection.push_back(static_cast<int>(state.used.size()));
    state.used.push_back(*row);
    edit.barEdits.push_back({BarEdit::Kind::Append, *row, 0});
  }
  recordEdit(state, edit);
  return edit;
}

PageEdit ToolbarPageModel::remove(Bar bar, std::span<const int> usedRows) {
  BarPage& state = page(bar);
  const std::vector<int> rows = chosenRows(usedRows, state.used.size());
  PageEdit edit;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    state.used.erase(state.used.begin() + *row);
    edit.barEdits.push_back({BarEdit::Kind::Delete, 0, *row});
  }
  recordEdit(state, edit);
  return edit;
}

PageEdit ToolbarPageModel::moveToFront(Bar bar, std::span<const int> usedRows) {
  BarPage& state = page(bar);
  PageEdit edit;
  // The chosen rows at the front that cannot move: the next one stays behind them.
  int staying = 0;
  for (int row : chosenRows(usedRows, state.used.size())) {
    if (row == staying) {
      ++staying;
      edit.selection.push_back(row);
      continue;
    }
    moveRow(state.used, row, row - 1, edit);
    edit.selection.push_back(row - 1);
  }
  recordEdit(state, edit);
  return edit;
}

PageEdit ToolbarPageModel::moveToBack(Bar bar, std::span<const int> usedRows) {
  BarPage& state = page(bar);
  PageEdit edit;
  const std::vector<int> rows = chosenRows(usedRows, state.used.size());
  int staying = static_cast<int>(state.used.size()) - 1;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    if (*row == staying) {
      --staying;
      edit.selection.push_back(*row);
      continue;
    }
    moveRow(state.used, *row, *row + 1, edit);
    edit.selection.push_back(*row + 1);
  }
  std::ranges::reverse(edit.selection);
  recordEdit(state, edit);
  return edit;
}

}  // namespace wabunko
