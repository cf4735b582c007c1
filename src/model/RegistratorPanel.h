#pragma once

// Registrator section (section 19): when the controller records a GPS fix.
// A fix is recorded when all conditions of the first group hold, or any
// condition of the second.

#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct RegistratorPanel {
  bool CheckBoxBBOnOff = false;
  bool CheckBoxAutoUploadGPSviaGPRS = false;
  // Masked edits: the number followed by the mask's unit, e.g. "3600 Сек.".
  std::string MaskEditGPSAndTime_Sec;
  std::string MaskEditGPSAndDist_M;
  std::string MaskEditGPSAndSpeed_Km_H;
  std::string MaskEditGPSOrTime_Sec;
  std::string MaskEditGPSOrDist_M;
  std::string MaskEditGPSOrSpeed_Km_H;
};

void PanelToImage(RegistratorPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, RegistratorPanel& panel);
Controls ListControls(RegistratorPanel& panel, int node);

}  // namespace vkm
