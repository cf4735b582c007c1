#pragma once

// The 14 control scenarios of the outputs (section 37): one grid row per
// scenario, its cycle mark and count, starting level and up to 16 steps.

#include <string>
#include <vector>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

inline constexpr int kScenarioGridColumns = 20;
inline constexpr int kScenarioGridRows = 14;  // data rows; row 0 is the heading
inline constexpr int kScenarioCycleColumn = 1;
inline constexpr int kScenarioCountColumn = 2;
inline constexpr int kScenarioLevelColumn = 3;
inline constexpr int kScenarioFirstStepColumn = 4;

struct ScenarioPanel {
  std::string Label79;  // heading: the section's caption
  Grid StringGrid2{std::vector<GridColumn>(kScenarioGridColumns), kScenarioGridRows};
};

void PanelToImage(ScenarioPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, ScenarioPanel& panel);
Controls ListControls(ScenarioPanel& panel, int node);

// Double-click on a cell: column 1 switches the cycle mark (a new cycle
// starts endless, count "0"), column 3 the starting level. Others: nothing.
void ToggleScenarioCell(ScenarioPanel& panel, int row, int column);
// After a typed text is stored in `row`: a count of 1 is no cycle, and a row
// without the cycle mark keeps no count, so both cells are emptied.
void OnScenarioTextEdited(ScenarioPanel& panel, int row);
// Whether the in-place editor may open on the cell: never on the toggled
// columns 1 and 3 nor on the fixed column 0; the count only on a cyclic row.
bool ScenarioCellEditable(const ScenarioPanel& panel, int row, int column);

// The four lines of the note under the grid (Memo2).
const std::vector<std::string>& ScenarioNoteLines();

}  // namespace vkm
