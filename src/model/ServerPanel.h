#pragma once

// GPRS servers 1..3 (sections 14..16, one shared panel).

#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct ServerPanel {
  std::string Label140;  // heading: "Сервер " and the server number
  std::string MaskEditServerIPAddr;
  std::string MaskEditServerPort;
  int ComboBoxDestType = -1;  // 0 IP address, 1 host name
  bool CheckBoxServerEn = false;
};

void PanelToImage(ServerPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, ServerPanel& panel);
Controls ListControls(ServerPanel& panel, int node);

// The address type was changed: an IP address starts as "000.000.000.000",
// a host name as an empty text.
void OnDestTypeChanged(ServerPanel& panel);

}  // namespace vkm
