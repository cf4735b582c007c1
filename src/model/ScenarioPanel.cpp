#include "model/ScenarioPanel.h"

#include <cstddef>
#include <cstdint>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr int kMaxSteps = 16;
constexpr uint16_t kHigh = 0x8000;
constexpr uint16_t kDurationMask = 0x7FFF;

constexpr const char* kCycle = "ЦИКЛ";
constexpr const char* kHighText = "ВЫС";
constexpr const char* kLowText = "НИЗ";

uint8_t* Word(ConfigurationImage& image, int scenario, int word) {
  return &image[kScenarioRecords.Offset(scenario) + 2 * static_cast<std::size_t>(word)];
}

void StoreRow(const Grid& grid, int s, ConfigurationImage& image) {
  uint16_t level = grid.Text(s, kScenarioLevelColumn) == kHighText ? kHigh : 0;
  int steps = 0;
  while (steps < kMaxSteps) {
    const uint64_t duration = ReadLeadingNumber(grid.Text(s, kScenarioFirstStepColumn + steps));
    if (duration == 0) {
      PutU16(Word(image, s, 1 + steps), level);  // the end word
      break;
    }
    PutU16(Word(image, s, 1 + steps), static_cast<uint16_t>((duration & kDurationMask) | level));
    level ^= kHigh;
    ++steps;
  }
  if (grid.Text(s, kScenarioCycleColumn) == kCycle) {
    // A cyclic scenario's end word carries the opposite level bit.
    if (steps < kMaxSteps) PutU16(Word(image, s, 1 + steps), static_cast<uint16_t>(level ^ kHigh));
    const int64_t count = ReadWholeNumber(grid.Text(s, kScenarioCountColumn));
    PutU16(Word(image, s, 0), static_cast<uint16_t>(static_cast<uint64_t>(count) & 0xFFFF));
  } else {
    PutU16(Word(image, s, 0), 1);
  }
}

void ShowRow(ConfigurationImage& image, int s, Grid& grid) {
  grid.SetText(s, 0, "Сценарий № " + std::to_string(s));
  for (int column = 1; column < grid.ColumnCount(); ++column) grid.SetText(s, column, std::string());
  const uint16_t repetitions = GetU16(Word(image, s, 0));
  if (repetitions != 1) {
    grid.SetText(s, kScenarioCycleColumn, kCycle);
    grid.SetText(s, kScenarioCountColumn, std::to_string(repetitions));
  }
  for (int step = 0; step < kMaxSteps; ++step) {
    const uint16_t word = GetU16(Word(image, s, 1 + step));
    if ((word & kDurationMask) == 0) break;
    if (step == 0) grid.SetText(s, kScenarioLevelColumn, (word & kHigh) != 0 ? kHighText : kLowText);
    grid.SetText(s, kScenarioFirstStepColumn + step, std::to_string(word & kDurationMask));
  }
}

}  // namespace

void PanelToImage(ScenarioPanel& panel, int /*node*/, ConfigurationImage& image) {
  for (int s = 1; s <= kScenarioRecords.count; ++s) StoreRow(panel.StringGrid2, s, image);
}

void ImageToPanel(ConfigurationImage& image, int node, ScenarioPanel& panel) {
  panel.Label79 = NodeCaption(node);
  for (int s = 1; s <= kScenarioRecords.count; ++s) ShowRow(image, s, panel.StringGrid2);
}

Controls ListControls(ScenarioPanel& panel, int /*node*/) {
  return {
      LabelControl("Label79", panel.Label79),
      ReactingGrid(GridControl("StringGrid2", panel.StringGrid2),
                   [&panel](int row, int /*column*/) { OnScenarioTextEdited(panel, row); }),
  };
}

void ToggleScenarioCell(ScenarioPanel& panel, int row, int column) {
  Grid& grid = panel.StringGrid2;
  if (column == kScenarioCycleColumn) {
    if (grid.Text(row, kScenarioCycleColumn) == kCycle) {
      grid.SetText(row, kScenarioCycleColumn, std::string());
      grid.SetText(row, kScenarioCountColumn, std::string());
    } else {
      grid.SetText(row, kScenarioCycleColumn, kCycle);
      grid.SetText(row, kScenarioCountColumn, "0");
    }
  } else if (column == kScenarioLevelColumn) {
    grid.SetText(row, kScenarioLevelColumn, grid.Text(row, kScenarioLevelColumn) == kHighText ? kLowText : kHighText);
  }
}

void OnScenarioTextEdited(ScenarioPanel& panel, int row) {
  Grid& grid = panel.StringGrid2;
  if (ReadWholeNumber(grid.Text(row, kScenarioCountColumn)) == 1 || grid.Text(row, kScenarioCycleColumn) != kCycle) {
    grid.SetText(row, kScenarioCycleColumn, std::string());
    grid.SetText(row, kScenarioCountColumn, std::string());
  }
}

bool ScenarioCellEditable(const ScenarioPanel& panel, int row, int column) {
  if (column <= 0 || column == kScenarioCycleColumn || column == kScenarioLevelColumn) return false;
  if (column == kScenarioCountColumn) return panel.StringGrid2.Text(row, kScenarioCycleColumn) == kCycle;
  return true;
}

const std::vector<std::string>& ScenarioNoteLines() {
  static const std::vector<std::string> lines = {
      "Включенный параметр \"ЦИКЛ\" позволяет сделать сценарий управления циклически повторяющимся. В соседней "
      "колонке вводится ",
      "количество повторений, значение 0 обеспечит бесконечный цикл. Значение 1 эквивалентно нециклическому "
      "сценарию.",
      "Параметр \"ВЫС\"/\"НИЗ\" задает начальный уровень выходного сигнала, соответственно высокий или низкий.",
      "Время импульса указывается с шагом 100 мС. (10 = 1 сек., 600 = 1 мин., 18000 = 30 мин.)",
  };
  return lines;
}

}  // namespace vkm
