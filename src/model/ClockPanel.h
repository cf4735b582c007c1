#pragma once

// Clock section (section 17): time zone, summer time, the content of the
// information message and the task scheduler of eight rows.

#include <array>
#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

// Columns of the scheduler grid StringGrid3 (rows 1..8 are the scheduler rows).
enum SchedulerColumn : int {
  kSchedulerNumberColumn = 0,    // " 1" .. " 8"
  kSchedulerEnabledColumn = 1,   // check box
  kSchedulerTimeColumn = 2,      // "HH:MM"
  kSchedulerMondayColumn = 3,    // .. 9 Sunday, check boxes
  kSchedulerTestColumn = 10,     // check box "Тест"
  kSchedulerInfoColumn = 11,     // check box "Инфо"
  kSchedulerActionColumn = 12,   // combo: none, arm, disarm, output 1..6
  kSchedulerReactionColumn = 13, // combo: reaction of the output
};

// The scheduler grid as the window lays it out: numbered rows, nothing set.
Grid SchedulerGrid();

struct ClockPanel {
  std::string Label5;  // heading: the section's caption
  int ComboBoxTimeZone = -1;
  bool CheckBoxDSTEnable = false;
  std::array<bool, 7> CheckBoxInfoIn{};
  std::array<bool, 6> CheckBoxInfoR{};
  Grid StringGrid3 = SchedulerGrid();
};

void PanelToImage(ClockPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, ClockPanel& panel);
Controls ListControls(ClockPanel& panel, int node);

// The action of a scheduler row changed: only an output action keeps a
// reaction; any other action puts the reaction back to "нет реакции".
void OnSchedulerActionChanged(ClockPanel& panel, int row);
// True while the row's action drives an output, the only time the reaction
// combo box of that row is shown.
bool SchedulerReactionVisible(const ClockPanel& panel, int row);

}  // namespace vkm
