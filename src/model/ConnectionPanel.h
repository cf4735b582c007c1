#pragma once

// Connections 1..8 (sections 5..12, one shared panel): the subscriber's
// number and how events reach it by voice/DATA call and by SMS.

#include <array>
#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct ConnectionPanel {
  std::string Label74;             // heading: the section's caption
  std::string GroupBoxConSharD;    // caption of the voice/DATA group
  std::string LabelProtocolAlias;  // caption of ComboBoxLang
  std::string MaskEditPhone;
  int ComboBoxTransportPriority = -1;
  int ComboBoxGroupNum = -1;
  int ComboBoxDialTranspWaitTime = -1;
  int ComboBoxIncomungCallAction = -1;
  bool CheckBoxNotACK = false;
  bool CheckBoxCallEn = false;
  int ComboBoxOnLineTime = -1;
  int ComboBoxConnectionType = -1;
  std::array<TriState, 7> CheckBoxMaskDInput{};
  bool CheckBoxMaskDArm = false;
  bool CheckBoxMaskDDisarm = false;
  bool CheckBoxMaskDPower = false;
  bool CheckBoxMaskDTest = false;
  bool CheckBoxMaskDGPS = false;
  int ComboBoxSMSTranspWaitTime = -1;
  int ComboBoxLang = -1;
  int ComboBoxUserId = -1;
  bool CheckBoxDebugMode = false;
  bool CheckBoxSMSEn = false;
  std::array<TriState, 7> CheckBoxMaskSInput{};
  bool CheckBoxMaskSArm = false;
  bool CheckBoxMaskSDisarm = false;
  bool CheckBoxMaskSPower = false;
  bool CheckBoxMaskSTest = false;
  bool CheckBoxMaskSGPS = false;

  // Tool tips of the two combo boxes whose entries are too long to read in
  // the closed box: the text of the selected entry.
  std::string ComboBoxIncomungCallActionHint;
  std::string ComboBoxTransportPriorityHint;
};

void PanelToImage(ConnectionPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, ConnectionPanel& panel);
Controls ListControls(ConnectionPanel& panel, int node);

// The combo box changed: its hint becomes the text of the selected entry
// (empty with no selection).
void OnIncomingCallActionChanged(ConnectionPanel& panel);
void OnTransportPriorityChanged(ConnectionPanel& panel);

}  // namespace vkm
