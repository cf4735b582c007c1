#include "ControlText.h"

#include <algorithm>
#include <charconv>

#include "Json.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

const char* TriStateWord(TriState state) {
  switch (state) {
    case TriState::Unchecked: return "unchecked";
    case TriState::Grayed: return "grayed";
    case TriState::Checked: return "checked";
  }
  return "unchecked";
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> ParseBool(std::string_view text) {
  if (text == "true") return true;
  if (text == "false") return false;
  return std::nullopt;
}

std::optional<TriState> ParseTriState(std::string_view text) {
  for (TriState state : {TriState::Unchecked, TriState::Grayed, TriState::Checked}) {
    if (text == TriStateWord(state)) return state;
  }
  return std::nullopt;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::optional<std::string> SetIndex(int& field, const Items* items, std::string_view value) {
  const std::optional<int> index = ParseInt(value);
  const int count = items ? static_cast<int>(items->size()) : 0;
  if (!index || *index < -1 || *index >= count) {
    return "expects an item index from -1 (no selection) to " + std::to_string(count - 1) + ", not " + Quoted(value);
  }
  field = *index;
  return std::nullopt;
}

std::optional<std::string> SetBool(bool& field, std::string_view value) {
  const std::optional<bool> flag = ParseBool(value);
  if (!flag) return "expects true or false, not " + Quoted(value);
  field = *flag;
  return std::nullopt;
}


std::optional<std::string> AssignCell(Grid& grid, int row, int column, std::string_view value) {
  if (row < 1 || row > grid.RowCount() || column < 0 || column >= grid.ColumnCount()) {
    return "has no cell [" + std::to_string(row) + "][" + std::to_string(column) + "] (rows 1.." +
           std::to_string(grid.RowCount()) + ", columns 0.." + std::to_string(grid.ColumnCount() - 1) + ")";
  }
  switch (grid.Column(column).kind) {
    case CellKind::Text: grid.SetText(row, column, std::string(value)); return std::nullopt;
    case CellKind::Check: return SetBool(std::get<bool>(grid.At(row, column)), value);
    case CellKind::Combo: return SetIndex(std::get<int>(grid.At(row, column)), grid.Column(column).items, value);
  }
  return std::nullopt;
}

std::optional<std::string> AssignControl(const ControlRef& control, std::string_view value) {
  if (control.displayOnly) return std::string("is shown only and cannot be set");
  switch (control.kind) {
    case ControlKind::Text: *std::get<std::string*>(control.field) = std::string(value); return std::nullopt;
    case ControlKind::ComboIndex: return SetIndex(*std::get<int*>(control.field), control.items, value);
    case ControlKind::CheckBox: return SetBool(*std::get<bool*>(control.field), value);
    case ControlKind::ThreeState: {
      const std::optional<TriState> state = ParseTriState(value);
      if (!state) return "expects unchecked, grayed or checked, not " + Quoted(value);
      *std::get<TriState*>(control.field) = *state;
      return std::nullopt;
    }
    case ControlKind::Position: {
      const std::optional<int> position = ParseInt(value);
      if (!position || *position < control.minimum || *position > control.maximum) {
        return "expects a whole number from " + std::to_string(control.minimum) + " to " +
               std::to_string(control.maximum) + ", not " + Quoted(value);
      }
      *std::get<int*>(control.field) = *position;
      return std::nullopt;
    }
    case ControlKind::Memo: return std::string("is shown only and cannot be set");
    case ControlKind::Grid: return std::string("is a grid: set one cell as NAME[ROW][COL]");
  }
  return std::nullopt;
}

}  // namespace

std::string CellJson(const Grid& grid, int row, int column) {
  switch (grid.Column(column).kind) {
    case CellKind::Text: return JsonString(grid.Text(row, column));
    case CellKind::Check: return grid.Checked(row, column) ? "true" : "false";
    case CellKind::Combo: return std::to_string(grid.Index(row, column));
  }
  return "null";
}

std::string ControlJson(const ControlRef& control) {
  switch (control.kind) {
    case ControlKind::Text: return JsonString(*std::get<std::string*>(control.field));
    case ControlKind::ComboIndex:
    case ControlKind::Position: return std::to_string(*std::get<int*>(control.field));
    case ControlKind::CheckBox: return *std::get<bool*>(control.field) ? "true" : "false";
    case ControlKind::ThreeState: return JsonString(TriStateWord(*std::get<TriState*>(control.field)));
    case ControlKind::Memo: {
      std::string out = "[";
      for (const std::string& line : *std::get<std::vector<std::string>*>(control.field)) {
        if (out.size() > 1) out += ", ";
        out += JsonString(line);
      }
      return out + "]";
    }
    case ControlKind::Grid: {
      const Grid& grid = *std::get<Grid*>(control.field);
      std::string out = "[";
      for (int row = 1; row <= grid.RowCount(); ++row) {
        out += row > 1 ? ", [" : "[";
        for (int column = 0; column < grid.ColumnCount(); ++column) {
          if (column > 0) out += ", ";
          out += CellJson(grid, row, column);
        }
        out += "]";
      }
      return out + "]";
    }
  }
  return "null";
}


void WriteSectionJson(std::ostream& out, int node, const Controls& controls) {
  out << "    \"" << node << "\": {\n      \"caption\": " << JsonString(NodeCaption(node)) << ",\n      \"controls\": {";
  bool first = true;
  for (const ControlRef& control : controls) {
    if (!control.shown) continue;
    out << (first ? "" : ",") << "\n        " << JsonString(control.name) << ": " << ControlJson(control);
    first = false;
  }
  out << "\n      }\n    }";
}

std::optional<std::string> SetControl(const ControlRef& control, std::string_view value) {
  std::optional<std::string> problem = AssignControl(control, value);
  if (!problem && control.changed) control.changed();
  return problem;
}

std::optional<std::string> SetCell(const ControlRef& grid, int row, int column, std::string_view value) {
  if (grid.kind != ControlKind::Grid) return std::string("is not a grid");
  std::optional<std::string> problem = AssignCell(*std::get<Grid*>(grid.field), row, column, value);
  if (!problem && grid.cellChanged) grid.cellChanged(row, column);
  return problem;
}

std::optional<std::string> SetControls(const Controls& controls, const std::vector<std::string>& assignments) {
  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    const std::optional<ControlAddress> address =
        equals == std::string::npos ? std::nullopt : ParseControlAddress(assignment.substr(0, equals));
    if (!address) return "\"" + assignment + "\" is not NAME=VALUE or NAME[ROW][COL]=VALUE";
    const std::string value = assignment.substr(equals + 1);
    const auto control = std::find_if(controls.begin(), controls.end(),
                                      [&](const ControlRef& candidate) { return candidate.name == address->name; });
    if (control == controls.end()) return "no control " + address->name;
    const std::optional<std::string> problem = address->row
                                                   ? SetCell(*control, *address->row, *address->column, value)
                                                   : SetControl(*control, value);
    if (problem) return address->name + " " + *problem;
  }
  return std::nullopt;
}

std::optional<ControlAddress> ParseControlAddress(std::string_view text) {
  ControlAddress address;
  const std::size_t bracket = text.find('[');
  address.name = std::string(text.substr(0, bracket));
  if (address.name.empty()) return std::nullopt;
  if (bracket == std::string_view::npos) return address;

  // "[ROW][COL]" and nothing after it.
  std::string_view rest = text.substr(bracket);
  int numbers[2];
  for (int& number : numbers) {
    const std::size_t close = rest.find(']');
    if (rest.empty() || rest.front() != '[' || close == std::string_view::npos) return std::nullopt;
    const std::optional<int> parsed = ParseInt(rest.substr(1, close - 1));
    if (!parsed) return std::nullopt;
    number = *parsed;
    rest = rest.substr(close + 1);
  }
  if (!rest.empty()) return std::nullopt;
  address.row = numbers[0];
  address.column = numbers[1];
  return address;
}

}  // namespace vkm
