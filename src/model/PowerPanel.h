#pragma once

// Power and temperature section (section 18): supply reports, the two
// battery discharge borders, and the board temperature borders with the
// output reactions to them.

#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct PowerPanel {
  std::string Label23;  // heading: the section's caption

  // Main supply.
  int ComboBoxPowerSignAverTime = -1;  // 2^(i+1) seconds
  bool CheckBoxExtPowerFault = false;
  int ComboBoxRecoveryTime = -1;       // 2^(i+1) minutes
  bool CheckBoxExtPowerRec = false;
  bool CheckBoxAsFaultSendGPSPos = false;

  // Battery: the sliders grow downwards, the border in percent is 100 - position.
  int TrackBarDischargeAlarm = 80;  // second (lower) border
  std::string Label14 = "0%";
  bool CheckBoxBatteryDischargeAlarmEventEn = false;
  int TrackBarDischargeWarn = 60;   // first border
  std::string Label4 = "0%";
  bool CheckBoxBatteryDischargeWarnEventEn = false;
  bool CheckBoxAsDischargeSendGPSPos = false;

  // Board temperature, degrees Celsius.
  bool CheckBoxTemperatureEvent = false;
  int TrackBarTemperatLowBorder = 0;
  std::string LabelLowBorder = "--C";
  int TrackBarTemperatHiBorder = 0;
  std::string LabelHiBorder = "--C";
  int ComboBoxLoBorderLevel = -1;  // item i stands for 89 - i degrees
  int ComboBoxLoBorderOut = -1;
  int ComboBoxLoBorderScn = -1;
  int ComboBoxHiBorderLevel = -1;
  int ComboBoxHiBorderOut = -1;
  int ComboBoxHiBorderScn = -1;
};

void PanelToImage(PowerPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, PowerPanel& panel);
Controls ListControls(PowerPanel& panel, int node);

// Reactions of the sliders and level lists. A slider that a reaction moves
// runs its own reaction, so the labels always show the final positions.
// The first battery border stays at 90 % or less and the second never above it.
void OnDischargeWarnChanged(PowerPanel& panel);
void OnDischargeAlarmChanged(PowerPanel& panel);
// The upper temperature border stays within -30..82, the lower within
// -32..80, and the upper at least 2 degrees above the lower.
void OnTemperatHiChanged(PowerPanel& panel);
void OnTemperatLowChanged(PowerPanel& panel);
// The upper level's list position never exceeds the lower level's.
void OnHiBorderLevelChanged(PowerPanel& panel);
void OnLoBorderLevelChanged(PowerPanel& panel);

}  // namespace vkm
