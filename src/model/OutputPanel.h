#pragma once

// Outputs 1..6 (sections 31..36, one shared panel): names, remote switching
// and the read-only list of every stored setting that drives the output.

#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm {

// Fixed captions that showing an output puts on its panel.
inline constexpr std::string_view kReleEnCaption = "Разрешен";

struct OutputPanel {
  std::string Label6;  // heading: the section's caption
  std::string ComboBoxReleName;
  std::string ComboBoxReleNameAct;
  std::string ComboBoxReleNameDeact;
  int ComboBoxCommType = -1;  // 0 = level, s = scenario s
  bool CheckBoxReleEn = false;
  bool CheckBoxReleInversion = false;
  bool CheckBoxRemoteControlEn = false;
  std::string GroupBoxRsOutsStimulus;           // caption of the list's group
  std::vector<std::string> MemoRsOutsStimulus;  // rebuilt on every show, never stored
};

void PanelToImage(OutputPanel& panel, int node, ConfigurationImage& image);
void ImageToPanel(ConfigurationImage& image, int node, OutputPanel& panel);
Controls ListControls(OutputPanel& panel, int node);

}  // namespace vkm
