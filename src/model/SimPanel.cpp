#include "model/SimPanel.h"

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

uint8_t* Record(ConfigurationImage& image, int node) {
  return &image[kSimRecords.Offset(node - kNodeSim1 + 1)];
}

}  // namespace

void PanelToImage(SimPanel& panel, int node, ConfigurationImage& image) {
  uint8_t* record = Record(image, node);
  StoreText(record + 0, 9, Trim(panel.MaskEditPIN));
  StoreText(record + 26, 9, Trim(panel.MaskEditBalansReqCMD));
  // Trailing blanks belong to the key word: they stand in the operator's reply.
  StoreText(record + 35, 9, TrimLeft(panel.MaskEditBalansIdWord));

  panel.EditBalansMinVal = Trim(panel.EditBalansMinVal);
  PutU16(record + 44, static_cast<uint16_t>(LimitToField(ReadWholeNumber(panel.EditBalansMinVal), 0xFFFF)));
  panel.EditReqPeriodH = Trim(panel.EditReqPeriodH);
  record[46] = static_cast<uint8_t>(LimitToField(ReadWholeNumber(panel.EditReqPeriodH), 0xFF));
}

void ImageToPanel(ConfigurationImage& image, int node, SimPanel& panel) {
  const uint8_t* record = Record(image, node);
  panel.Label34 = NodeCaption(node);
  panel.MaskEditPIN = ShowText(record + 0, 9);
  panel.MaskEditBalansReqCMD = ShowText(record + 26, 9);
  panel.MaskEditBalansIdWord = ShowText(record + 35, 9);
  panel.EditBalansMinVal = std::to_string(GetU16(record + 44));
  panel.EditReqPeriodH = std::to_string(record[46]);
}

Controls ListControls(SimPanel& panel, int /*node*/) {
  return {
      LabelControl("Label34", panel.Label34),
      TextControl("MaskEditPIN", panel.MaskEditPIN),
      TextControl("MaskEditBalansReqCMD", panel.MaskEditBalansReqCMD),
      TextControl("MaskEditBalansIdWord", panel.MaskEditBalansIdWord),
      TextControl("EditBalansMinVal", panel.EditBalansMinVal),
      TextControl("EditReqPeriodH", panel.EditReqPeriodH),
  };
}

void ApplyBalancePreset(SimPanel& panel, BalancePreset preset) {
  switch (preset) {
    case BalancePreset::Mts:
      panel.MaskEditBalansReqCMD = "*100#";
      panel.MaskEditBalansIdWord = "Баланс:";
      break;
    case BalancePreset::Beeline:
      panel.MaskEditBalansReqCMD = "*102#";
      panel.MaskEditBalansIdWord = "Баланс ";
      break;
    case BalancePreset::Megafon:
      panel.MaskEditBalansReqCMD = "*100#";
      panel.MaskEditBalansIdWord = "";
      break;
    case BalancePreset::Tele2:
      panel.MaskEditBalansReqCMD = "*105#";
      panel.MaskEditBalansIdWord = "OCTATOK ";
      break;
  }
}

}  // namespace vkm
