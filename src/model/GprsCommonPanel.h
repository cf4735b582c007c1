#pragma once

// GPRS common parameters (section 13): access point, DNS servers, the events
// that open a connection and the connection strategy.

#include <array>
#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct GprsCommonPanel {
  std::string EditAPN;
  std::string EditGPRSUserName;
  std::string EditGPRSPassword;
  std::string MaskEditDNS1;
  std::string MaskEditDNS2;
  std::array<TriState, 7> CheckBoxMaskGInput{};  // CheckBoxMaskGInput1..7
  bool CheckBoxMaskGArm = false;
  bool CheckBoxMaskGDisarm = false;
  bool CheckBoxMaskGPwrBlcTermo = false;
  bool CheckBoxMaskGTestSys = false;
  bool CheckBoxMaskG_GPS = false;
  int ComboBoxGPRSConnectionStrategy = -1;
  std::string MaskEditConnectingPeriod_x5m;  // e.g. "15 Мин."
  int ComboBoxConnectingTryNum = -1;
  int ComboBoxPingPeriod_min = -1;
  std::string MaskEditBlockTimeAtConnFault_min;  // e.g. "15 Мин."
  int ComboBoxOnlineTime_min = -1;
  int ComboBoxGPRSTranspWaitTime = -1;
};

void PanelToImage(GprsCommonPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, GprsCommonPanel& panel);
Controls ListControls(GprsCommonPanel& panel, int node);

// The connection strategy was changed: the period and the online time follow
// it ("always connected" and "on event" have no period; "always connected"
// has no online time; a periodic connection keeps its period within 5..1260).
void OnConnectionStrategyChanged(GprsCommonPanel& panel);
// Whether the period edit (with Label147) and the online time combo box
// (with Label146) can be used under the selected strategy.
bool ConnectingPeriodEnabled(const GprsCommonPanel& panel);
bool OnlineTimeEnabled(const GprsCommonPanel& panel);

// "Значения по умолчанию": keeps the panel's other edits, puts back the
// factory connection strategy and shows it.
void RestoreGprsDefaults(GprsCommonPanel& panel, ConfigurationDocument& document);

}  // namespace vkm
