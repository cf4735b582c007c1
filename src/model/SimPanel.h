#pragma once

// SIM 1 and SIM 2 (sections 2 and 3, one shared panel): PIN code and the
// balance check.

#include <string>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

struct SimPanel {
  std::string Label34;  // heading: the section's caption
  std::string MaskEditPIN;
  std::string MaskEditBalansReqCMD;
  std::string MaskEditBalansIdWord;
  std::string EditBalansMinVal;
  std::string EditReqPeriodH;
};

void PanelToImage(SimPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, SimPanel& panel);
Controls ListControls(SimPanel& panel, int node);

// The operator presets of the balance check (RadioButton1..4).
enum class BalancePreset { Mts, Beeline, Megafon, Tele2 };
void ApplyBalancePreset(SimPanel& panel, BalancePreset preset);

}  // namespace vkm
