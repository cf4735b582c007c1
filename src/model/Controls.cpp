#include "model/Controls.h"

#include <stdexcept>
#include <utility>

namespace vkm {

Grid::Grid(std::vector<GridColumn> columns, int rows) : columns_(std::move(columns)) {
  std::vector<Cell> emptyRow;
  for (const GridColumn& column : columns_) {
    switch (column.kind) {
      case CellKind::Text: emptyRow.emplace_back(std::string()); break;
      case CellKind::Check: emptyRow.emplace_back(false); break;
      case CellKind::Combo: emptyRow.emplace_back(0); break;
    }
  }
  cells_.assign(static_cast<std::size_t>(rows), emptyRow);
}

const Grid::Cell& Grid::At(int row, int column) const {
  if (row < 1 || row > RowCount() || column < 0 || column >= ColumnCount()) {
    throw std::out_of_range("grid cell out of range");
  }
  return cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column)];
}

Grid::Cell& Grid::At(int row, int column) {
  return const_cast<Cell&>(std::as_const(*this).At(row, column));
}

const std::string& Grid::Text(int row, int column) const { return std::get<std::string>(At(row, column)); }
void Grid::SetText(int row, int column, std::string text) { std::get<std::string>(At(row, column)) = std::move(text); }
bool Grid::Checked(int row, int column) const { return std::get<bool>(At(row, column)); }
void Grid::SetChecked(int row, int column, bool checked) { std::get<bool>(At(row, column)) = checked; }
int Grid::Index(int row, int column) const { return std::get<int>(At(row, column)); }
void Grid::SetIndex(int row, int column, int index) { std::get<int>(At(row, column)) = index; }

namespace {

template <class Field>
ControlRef Make(std::string name, ControlKind kind, Field* field) {
  ControlRef ref;
  ref.name = std::move(name);
  ref.kind = kind;
  ref.field = field;
  return ref;
}

}  // namespace

ControlRef TextControl(std::string name, std::string& field, const Items* suggestions) {
  ControlRef ref = Make(std::move(name), ControlKind::Text, &field);
  ref.items = suggestions;
  return ref;
}

ControlRef LabelControl(std::string name, std::string& field) {
  ControlRef ref = Make(std::move(name), ControlKind::Text, &field);
  ref.displayOnly = true;
  return ref;
}

ControlRef ComboControl(std::string name, int& field, const Items& items) {
  ControlRef ref = Make(std::move(name), ControlKind::ComboIndex, &field);
  ref.items = &items;
  return ref;
}

ControlRef CheckControl(std::string name, bool& field) { return Make(std::move(name), ControlKind::CheckBox, &field); }

ControlRef ThreeStateControl(std::string name, TriState& field) {
  return Make(std::move(name), ControlKind::ThreeState, &field);
}

ControlRef PositionControl(std::string name, int& field, int minimum, int maximum) {
  ControlRef ref = Make(std::move(name), ControlKind::Position, &field);
  ref.minimum = minimum;
  ref.maximum = maximum;
  return ref;
}

ControlRef MemoControl(std::string name, std::vector<std::string>& field) {
  ControlRef ref = Make(std::move(name), ControlKind::Memo, &field);
  ref.displayOnly = true;
  return ref;
}

ControlRef GridControl(std::string name, Grid& field) { return Make(std::move(name), ControlKind::Grid, &field); }

ControlRef Reacting(ControlRef control, std::function<void()> changed) {
  control.changed = std::move(changed);
  return control;
}

ControlRef ReactingGrid(ControlRef control, std::function<void(int row, int column)> cellChanged) {
  control.cellChanged = std::move(cellChanged);
  return control;
}

}  // namespace vkm
