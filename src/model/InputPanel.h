#pragma once

// Inputs 1..7 (sections 23..29, one shared panel): one 88-byte record each.

#include <array>
#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct InputPanel {
  std::string Label10;  // heading: the section's caption
  std::string ComboBoxSensName;
  std::string ComboBoxSensActSt;
  std::string ComboBoxSensPassSt;
  int ComboBoxAverageTime = -1;
  int ComboBoxSensActLevel = -1;
  bool CheckBox24HZone = false;
  int UpDownRecoveryTime = 1;
  std::string EditRecoveryTime = "1";
  int ComboBoxDelayTime = -1;
  int ComboBoxReleToAlarm = -1;
  int ComboBoxSensType = -1;
  int TrackBarLoBarrier = 0;
  int TrackBarHiBarrier = 0;
  bool CheckBoxNotArmingAsActive = false;
  int ComboBoxListenNum = -1;
  int ComboBoxAlarmTry = -1;
  int ComboBoxActArmDisMode = -1;
  int ComboBoxPassArmDisMode = -1;
  bool CheckBoxActiveToGPS = false;
  std::string MaskEditMinVal;
  std::string MaskEditMaxVal;
  std::array<int, 6> ComboBoxActRele{-1, -1, -1, -1, -1, -1};
  std::array<int, 6> ComboBoxPassRele{-1, -1, -1, -1, -1, -1};
};

void PanelToImage(InputPanel& panel, int node, ConfigurationImage& image);
// The analogue scale is shown with the window's decimal separator.
void ImageToPanel(ConfigurationImage& image, int node, InputPanel& panel, char decimalSeparator = '.');
Controls ListControls(InputPanel& panel, int node);

// The items of ComboBoxSensType on an input's section: only inputs 5..7
// (sections 27..29) can be analogue.
const Items& SensTypeItems(int node);

// The text of EditRecoveryTime changed: the spin button follows its leading number.
void OnRecoveryTimeTextChanged(InputPanel& panel);

}  // namespace vkm
