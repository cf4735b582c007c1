#pragma once

// The arming input "Вход [Arm In]" (section 21): perimeter record 1 and the
// table of 32 touch keys.

#include <array>
#include <cstdint>
#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

// Columns of the touch-key grid StringGrid1.
constexpr int kKeyColumnNumber = 0;  // row number, not stored
constexpr int kKeyColumnCode = 1;    // 16 hexadecimal digits, or 16 blanks for a free row
constexpr int kKeyColumnName = 2;    // user name
constexpr int kKeyColumnO = 3;       // check box " О"
constexpr int kKeyColumnN = 4;       // check box " Н"
constexpr int kTouchKeyRows = 32;

// What a free row of the key table holds in its code column.
inline const std::string kEmptyKeyCode(16, ' ');

// The key table as the window creates it: rows numbered " 1" .. " 32",
// every other cell empty.
Grid NewTouchKeyGrid();

struct ArmInPanel {
  std::string Label21;  // heading: the section's caption
  int UpDownDelayARM = 0;
  std::string EditDelayARM = "0";
  int ComboBoxArmInMode = -1;
  std::array<int, 6> ComboBoxArmToRele{-1, -1, -1, -1, -1, -1};
  std::array<int, 6> ComboBoxDisarmToRele{-1, -1, -1, -1, -1, -1};
  std::array<int, 6> ComboBoxCDtoRele{-1, -1, -1, -1, -1, -1};
  bool CheckBoxSendGPSPosAsArmed = false;
  bool CheckBoxSendGPSPosAsDisarmed = false;
  bool CheckBoxSendGPSPosAsCntDown = false;
  Grid StringGrid1 = NewTouchKeyGrid();
};

void PanelToImage(ArmInPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, ArmInPanel& panel);
Controls ListControls(ArmInPanel& panel, int node);

// The text of EditDelayARM changed: the spin button follows its leading number.
void OnDelayArmTextChanged(ArmInPanel& panel);

// A key row dragged from row `from` to row `to` (both 1..32): its cells and
// check boxes travel with it, then the rows are renumbered "1", "2", ...
// Rows out of range leave the table as it is.
void MoveTouchKeyRow(ArmInPanel& panel, int from, int to);

// Eight key bytes, most significant first, as 16 upper-case hexadecimal
// digits: how the table and the key reader show a key.
std::string ShowKeyCode(const uint8_t* bytes);

}  // namespace vkm
