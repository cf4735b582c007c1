#pragma once

// How a panel model describes its controls to code that handles every panel
// alike (the command-line tool, the window's widget binding): each control
// by its name, its kind and a pointer to the field that holds its value.

#include <cstddef>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace vkm {

enum class TriState { Unchecked, Grayed, Checked };

using Items = std::vector<std::string>;

enum class CellKind { Text, Check, Combo };

struct GridColumn {
  CellKind kind = CellKind::Text;
  const Items* items = nullptr;  // the list of a combo-box column

  bool operator==(const GridColumn&) const = default;
};

// A table of cells. Rows are numbered from 1, as on screen, where row 0 is
// the heading row and is not part of the model.
class Grid {
 public:
  using Cell = std::variant<std::string, bool, int>;

  Grid(std::vector<GridColumn> columns, int rows);

  int RowCount() const { return static_cast<int>(cells_.size()); }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const GridColumn& Column(int column) const { return columns_.at(column); }

  const std::string& Text(int row, int column) const;
  void SetText(int row, int column, std::string text);
  bool Checked(int row, int column) const;
  void SetChecked(int row, int column, bool checked);
  int Index(int row, int column) const;
  void SetIndex(int row, int column, int index);

  const Cell& At(int row, int column) const;
  Cell& At(int row, int column);

  bool operator==(const Grid&) const = default;

 private:
  std::vector<GridColumn> columns_;
  std::vector<std::vector<Cell>> cells_;
};

enum class ControlKind {
  Text,        // edit, masked edit, editable combo box, label: std::string
  ComboIndex,  // drop-down list: item index, -1 = no selection
  CheckBox,    // bool
  ThreeState,  // TriState
  Position,    // slider or spin button: int
  Memo,        // read-only list of lines
  Grid,
};

struct ControlRef {
  std::string name;
  ControlKind kind = ControlKind::Text;
  std::variant<std::string*, int*, bool*, TriState*, std::vector<std::string>*, Grid*> field;
  const Items* items = nullptr;  // ComboIndex: its list; Text: suggestions, if any
  bool shown = true;             // false: read when stored, never set from the image
  bool displayOnly = false;      // a label or read-only list: shown, never stored
  int minimum = 0;               // Position: the range of the slider or spin button
  int maximum = 0;
  // What the panel does at once when the user changes the control (a grid:
  // one of its cells), so that every front end keeps the same rules.
  std::function<void()> changed;
  std::function<void(int row, int column)> cellChanged;
};

using Controls = std::vector<ControlRef>;

// Builders that keep the panels' control lists short and uniform.
ControlRef TextControl(std::string name, std::string& field, const Items* suggestions = nullptr);
ControlRef LabelControl(std::string name, std::string& field);
ControlRef ComboControl(std::string name, int& field, const Items& items);
ControlRef CheckControl(std::string name, bool& field);
ControlRef ThreeStateControl(std::string name, TriState& field);
ControlRef PositionControl(std::string name, int& field, int minimum, int maximum);
ControlRef MemoControl(std::string name, std::vector<std::string>& field);
ControlRef GridControl(std::string name, Grid& field);

// The control with its immediate reaction.
ControlRef Reacting(ControlRef control, std::function<void()> changed);
ControlRef ReactingGrid(ControlRef control, std::function<void(int row, int column)> cellChanged);

// A numbered family such as CheckBoxMaskDInput1..7 held in one array.
template <class Array, class Make>
void AddNumbered(Controls& out, const std::string& stem, Array& values, Make make) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    out.push_back(make(stem + std::to_string(i + 1), values[i]));
  }
}

}  // namespace vkm
