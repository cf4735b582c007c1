#pragma once

// Settings shared by all connections (section 4): call pause, SMS and DTMF
// control rules, dialling order, outdated SMS commands, the modem standard,
// and the administrative, DTMF and SMS passwords.

#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct ConnectionsCommonPanel {
  std::string Label15;  // heading: the section's caption
  int ComboBoxCall2CallPauseX10S = -1;
  bool CheckBoxACK = false;
  bool CheckBoxControlOnlyList = false;
  bool CheckBoxDTMFControlOnlyList = false;
  int ComboBoxDialPriority = -1;
  int ComboBoxOutdatedMsgTime = -1;
  int ComboBoxDATAProtocol = -1;
  // Not stored: while it is clear, leaving the section stores an empty
  // administrative password. The user's choice lasts for the run.
  bool CheckBoxSysPassword = false;
  std::string MaskEditSysPassword;
  std::string MaskEditDTMFPass;
  std::string MaskEditPassword;
  std::string LabelSharedParWarningMsg;  // explains the administrative password once it is used
};

void PanelToImage(ConnectionsCommonPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, ConnectionsCommonPanel& panel);
Controls ListControls(ConnectionsCommonPanel& panel, int node);

// CheckBoxSysPassword clicked (or its state applied when the section is
// filled): checking it shows the warning about the administrative password;
// clearing it leaves the message as it is. Enabling the edit is the window's.
void OnSysPasswordClicked(ConnectionsCommonPanel& panel);

}  // namespace vkm
