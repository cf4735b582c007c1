#include "model/SystemParametersPanel.h"

#include <cstdint>

#include "model/ImageEncoding.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr uint32_t kCalibrationMask = 0x1FFFF;  // bits 0..16 of the word at 0
constexpr uint32_t kDirectionBit = 1u << 17;

const Items& DirectionItems() {
  static const Items items = {"добавить 1 секунду", "вычесть 1 секунду"};
  return items;
}

}  // namespace

void PanelToImage(SystemParametersPanel& panel, SystemParameterBlock& block) {
  panel.EditCALVAL = Trim(panel.EditCALVAL);
  const uint32_t interval = LimitToField(ReadWholeNumber(panel.EditCALVAL), kCalibrationMask);
  uint32_t word = (GetU32(&block[0]) & ~kCalibrationMask) | interval;
  word = StoredFromComboIndex(panel.ComboBoxCALDIR, 1) != 0 ? word | kDirectionBit : word & ~kDirectionBit;
  PutU32(&block[0], word);
  SetBit(block[4], 0, false);
  SetBit(block[5], 0, panel.CheckBoxFWUpdateEnable);
  SetBit(block[6], 0, panel.CheckBoxCRCCheckDisable);
}

void ImageToPanel(const SystemParameterBlock& block, SystemParametersPanel& panel) {
  panel.Label86 = NodeCaption(kNodeSystemParameters);
  const uint32_t word = GetU32(&block[0]);
  panel.EditCALVAL = std::to_string(word & kCalibrationMask);
  panel.ComboBoxCALDIR = (word & kDirectionBit) != 0 ? 1 : 0;
  panel.CheckBoxFWUpdateEnable = GetBit(block[5], 0);
  panel.CheckBoxCRCCheckDisable = GetBit(block[6], 0);
}

Controls ListControls(SystemParametersPanel& panel) {
  return {
      LabelControl("Label86", panel.Label86),
      TextControl("EditCALVAL", panel.EditCALVAL),
      ComboControl("ComboBoxCALDIR", panel.ComboBoxCALDIR, DirectionItems()),
      CheckControl("CheckBoxFWUpdateEnable", panel.CheckBoxFWUpdateEnable),
      CheckControl("CheckBoxCRCCheckDisable", panel.CheckBoxCRCCheckDisable),
  };
}

}  // namespace vkm
