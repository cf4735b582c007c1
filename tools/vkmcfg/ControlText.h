#pragma once

// Controls as text: the JSON value a control shows, and setting a control
// from a command-line value read by the control's kind.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/Controls.h"

namespace vkm {

// The control's value as JSON: a string, an integer, true/false, one of
// "unchecked"/"grayed"/"checked", an array of lines, or an array of rows.
std::string ControlJson(const ControlRef& control);
std::string CellJson(const Grid& grid, int row, int column);

// One section as a JSON member: "<node>": {"caption": ..., "controls": {...}},
// with every control the panel shows.
void WriteSectionJson(std::ostream& out, int node, const Controls& controls);

// Sets the control (or one cell of a grid control) from `value` and runs its
// immediate reaction, as a user's change would; returns an error message
// when the value does not suit the control (wrong kind, outside its range,
// read-only).
std::optional<std::string> SetControl(const ControlRef& control, std::string_view value);
std::optional<std::string> SetCell(const ControlRef& grid, int row, int column, std::string_view value);

// Sets controls from NAME=VALUE or NAME[ROW][COL]=VALUE texts, in order;
// returns a message for the first one that cannot be set.
std::optional<std::string> SetControls(const Controls& controls, const std::vector<std::string>& assignments);

// A control addressed on the command line: NAME, or NAME[ROW][COL] for a
// grid cell (ROW from 1, COL from 0).
struct ControlAddress {
  std::string name;
  std::optional<int> row;
  std::optional<int> column;
};
std::optional<ControlAddress> ParseControlAddress(std::string_view text);

}  // namespace vkm
