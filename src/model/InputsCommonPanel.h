#pragma once

// "Входы" (section 22): the one setting that all inputs share.

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct InputsCommonPanel {
  int ComboBoxNoScaningTimeAftReset = -1;
};

void PanelToImage(InputsCommonPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, InputsCommonPanel& panel);
Controls ListControls(InputsCommonPanel& panel, int node);

}  // namespace vkm
