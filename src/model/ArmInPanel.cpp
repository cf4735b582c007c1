#include "model/ArmInPanel.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/ItemLists.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr int kDelayArmMax = 240;

const Items& ArmInModeItems() {
  static const Items items = {
      "Смена режима ОХРАНА/НАБЛЮДЕНИЕ импульсом",
      "Замыкание входа - ОХРАНА, размыкание - НАБЛЮДЕНИЕ",
      "Смена режима ОХРАНА/НАБЛЮДЕНИЕ - TouchMemory",
  };
  return items;
}

uint8_t* ArmInRecord(ConfigurationImage& image) { return &image[kPerimeterRecords.Offset(1)]; }

uint8_t* KeyRecord(ConfigurationImage& image, int key) { return &image[kTouchKeyRecords.Offset(key)]; }

// The code column read as a hexadecimal number; anything else is no key.
uint64_t ReadKeyCode(std::string_view cell) {
  const std::string text = Trim(cell);
  if (text.empty()) return 0;
  uint64_t value = 0;
  for (const char c : text) {
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else {
      return 0;
    }
    if (value > (std::numeric_limits<uint64_t>::max() >> 4)) return 0;  // more than 64 bits is not a number either
    value = (value << 4) | digit;
  }
  return value;
}

void StoreKeyRow(const Grid& grid, int row, uint8_t* record) {
  const uint64_t code = ReadKeyCode(grid.Text(row, kKeyColumnCode));
  for (int k = 0; k < 8; ++k) record[k] = static_cast<uint8_t>(code >> (8 * (7 - k)));
  StoreText(record + 8, 17, grid.Text(row, kKeyColumnName));
  record[25] = static_cast<uint8_t>((grid.Checked(row, kKeyColumnO) ? 1 : 0) | (grid.Checked(row, kKeyColumnN) ? 2 : 0));
}

void ShowKeyRow(uint8_t* record, int row, Grid& grid) {
  const bool empty = std::all_of(record, record + 8, [](uint8_t b) { return b == 0; });
  if (empty) {
    // Whatever else the record holds, a zero code is a free row.
    grid.SetText(row, kKeyColumnCode, kEmptyKeyCode);
    grid.SetText(row, kKeyColumnName, std::string());
    grid.SetChecked(row, kKeyColumnO, false);
    grid.SetChecked(row, kKeyColumnN, false);
    return;
  }
  grid.SetText(row, kKeyColumnCode, ShowKeyCode(record));
  record[24] = 0;
  grid.SetText(row, kKeyColumnName, ShowText(record + 8, 17));
  grid.SetChecked(row, kKeyColumnO, GetBit(record[25], 0));
  grid.SetChecked(row, kKeyColumnN, GetBit(record[25], 1));
}

}  // namespace

std::string ShowKeyCode(const uint8_t* bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (int k = 0; k < 8; ++k) {
    text += kDigits[bytes[k] >> 4];
    text += kDigits[bytes[k] & 0x0F];
  }
  return text;
}

Grid NewTouchKeyGrid() {
  Grid grid({{CellKind::Text}, {CellKind::Text}, {CellKind::Text}, {CellKind::Check}, {CellKind::Check}},
            kTouchKeyRows);
  for (int row = 1; row <= kTouchKeyRows; ++row) grid.SetText(row, kKeyColumnNumber, " " + std::to_string(row));
  return grid;
}

void PanelToImage(ArmInPanel& panel, int /*node*/, ConfigurationImage& image) {
  uint8_t* record = ArmInRecord(image);
  record[17] = static_cast<uint8_t>(std::clamp(panel.UpDownDelayARM, 0, kDelayArmMax));
  record[18] = static_cast<uint8_t>(StoredFromComboIndex(panel.ComboBoxArmInMode, 8));
  StoreReactionCodes(record + 19, panel.ComboBoxArmToRele);
  StoreReactionCodes(record + 25, panel.ComboBoxDisarmToRele);
  StoreReactionCodes(record + 31, panel.ComboBoxCDtoRele);
  SetBit(record[47], 0, panel.CheckBoxSendGPSPosAsArmed);
  SetBit(record[47], 1, panel.CheckBoxSendGPSPosAsDisarmed);
  SetBit(record[47], 2, panel.CheckBoxSendGPSPosAsCntDown);

  for (int key = 1; key <= kTouchKeyRecords.count; ++key) StoreKeyRow(panel.StringGrid1, key, KeyRecord(image, key));
}

void ImageToPanel(ConfigurationImage& image, int node, ArmInPanel& panel) {
  const uint8_t* record = ArmInRecord(image);
  panel.Label21 = NodeCaption(node);
  // The spin button cannot hold more than its range; the edit shows what it holds.
  panel.UpDownDelayARM = std::min<int>(record[17], kDelayArmMax);
  panel.EditDelayARM = std::to_string(panel.UpDownDelayARM);
  panel.ComboBoxArmInMode = ComboIndexFromStored(record[18], ArmInModeItems().size());
  ShowReactionCodes(record + 19, panel.ComboBoxArmToRele);
  ShowReactionCodes(record + 25, panel.ComboBoxDisarmToRele);
  ShowReactionCodes(record + 31, panel.ComboBoxCDtoRele);
  panel.CheckBoxSendGPSPosAsArmed = GetBit(record[47], 0);
  panel.CheckBoxSendGPSPosAsDisarmed = GetBit(record[47], 1);
  panel.CheckBoxSendGPSPosAsCntDown = GetBit(record[47], 2);

  for (int key = 1; key <= kTouchKeyRecords.count; ++key) ShowKeyRow(KeyRecord(image, key), key, panel.StringGrid1);
}

Controls ListControls(ArmInPanel& panel, int /*node*/) {
  Controls controls = {
      LabelControl("Label21", panel.Label21),
      Reacting(TextControl("EditDelayARM", panel.EditDelayARM), [&panel] { OnDelayArmTextChanged(panel); }),
      PositionControl("UpDownDelayARM", panel.UpDownDelayARM, 0, kDelayArmMax),
      ComboControl("ComboBoxArmInMode", panel.ComboBoxArmInMode, ArmInModeItems()),
  };
  const auto reaction = [](std::string name, int& field) {
    return ComboControl(std::move(name), field, ReactionItems());
  };
  AddNumbered(controls, "ComboBoxArmToRele", panel.ComboBoxArmToRele, reaction);
  AddNumbered(controls, "ComboBoxDisarmToRele", panel.ComboBoxDisarmToRele, reaction);
  AddNumbered(controls, "ComboBoxCDtoRele", panel.ComboBoxCDtoRele, reaction);
  controls.push_back(CheckControl("CheckBoxSendGPSPosAsArmed", panel.CheckBoxSendGPSPosAsArmed));
  controls.push_back(CheckControl("CheckBoxSendGPSPosAsDisarmed", panel.CheckBoxSendGPSPosAsDisarmed));
  controls.push_back(CheckControl("CheckBoxSendGPSPosAsCntDown", panel.CheckBoxSendGPSPosAsCntDown));
  controls.push_back(GridControl("StringGrid1", panel.StringGrid1));
  return controls;
}

void OnDelayArmTextChanged(ArmInPanel& panel) {
  const uint64_t value = ReadLeadingNumber(panel.EditDelayARM);
  panel.UpDownDelayARM = static_cast<int>(std::min<uint64_t>(value, kDelayArmMax));
}

void MoveTouchKeyRow(ArmInPanel& panel, int from, int to) {
  Grid& grid = panel.StringGrid1;
  if (from < 1 || from > grid.RowCount() || to < 1 || to > grid.RowCount()) return;
  std::vector<Grid::Cell> moving;
  for (int column = 0; column < grid.ColumnCount(); ++column) moving.push_back(std::move(grid.At(from, column)));
  const int step = from < to ? 1 : -1;
  for (int row = from; row != to; row += step) {
    for (int column = 0; column < grid.ColumnCount(); ++column) grid.At(row, column) = std::move(grid.At(row + step, column));
  }
  for (int column = 0; column < grid.ColumnCount(); ++column) {
    grid.At(to, column) = std::move(moving[static_cast<std::size_t>(column)]);
  }
  for (int row = 1; row <= grid.RowCount(); ++row) grid.SetText(row, kKeyColumnNumber, std::to_string(row));
}

}  // namespace vkm
