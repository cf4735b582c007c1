#pragma once

// Per-device system parameters (section 38): clock calibration and two
// flags. They live in the system parameter block, not in the image.

#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct SystemParametersPanel {
  std::string Label86;  // heading: the section's caption
  std::string EditCALVAL;
  int ComboBoxCALDIR = -1;  // 0 = add a second, 1 = subtract one
  bool CheckBoxFWUpdateEnable = false;
  bool CheckBoxCRCCheckDisable = false;
};

void PanelToImage(SystemParametersPanel& panel, SystemParameterBlock& block);
void ImageToPanel(const SystemParameterBlock& block, SystemParametersPanel& panel);
Controls ListControls(SystemParametersPanel& panel);

}  // namespace vkm
