#include "model/RegistratorPanel.h"

#include <algorithm>
#include <array>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"

namespace vkm {
namespace {

// The literal tails of the edits' masks.
constexpr const char* kSeconds = " Сек.";
constexpr const char* kMetres = " М.";
constexpr const char* kSpeed = " Км.-ч.";

struct Field {
  std::string RegistratorPanel::*edit;
  std::size_t offset;  // from the start of the section
  const char* unit;
};

constexpr std::array<Field, 6> kFields = {{
    {&RegistratorPanel::MaskEditGPSAndTime_Sec, 2, kSeconds},
    {&RegistratorPanel::MaskEditGPSAndDist_M, 4, kMetres},
    {&RegistratorPanel::MaskEditGPSAndSpeed_Km_H, 6, kSpeed},
    {&RegistratorPanel::MaskEditGPSOrTime_Sec, 8, kSeconds},
    {&RegistratorPanel::MaskEditGPSOrDist_M, 10, kMetres},
    {&RegistratorPanel::MaskEditGPSOrSpeed_Km_H, 12, kSpeed},
}};

}  // namespace

void PanelToImage(RegistratorPanel& panel, int /*node*/, ConfigurationImage& image) {
  uint8_t* section = &image[kRegistratorOffset];
  SetBit(section[0], 0, panel.CheckBoxBBOnOff);
  SetBit(section[0], 1, panel.CheckBoxAutoUploadGPSviaGPRS);
  for (const Field& field : kFields) {
    // The five-digit edits accept up to 99999 while the fields hold 16 bits:
    // a larger entry is limited to 65535, the largest the controller can use,
    // rather than wrapped round to a small number.
    const uint64_t value = std::min<uint64_t>(ReadLeadingNumber(panel.*field.edit), 0xFFFF);
    PutU16(section + field.offset, static_cast<uint16_t>(value));
  }
}

void ImageToPanel(ConfigurationImage& image, int /*node*/, RegistratorPanel& panel) {
  const uint8_t* section = &image[kRegistratorOffset];
  panel.CheckBoxBBOnOff = GetBit(section[0], 0);
  panel.CheckBoxAutoUploadGPSviaGPRS = GetBit(section[0], 1);
  for (const Field& field : kFields) {
    panel.*field.edit = std::to_string(GetU16(section + field.offset)) + field.unit;
  }
}

Controls ListControls(RegistratorPanel& panel, int /*node*/) {
  return {
      CheckControl("CheckBoxBBOnOff", panel.CheckBoxBBOnOff),
      CheckControl("CheckBoxAutoUploadGPSviaGPRS", panel.CheckBoxAutoUploadGPSviaGPRS),
      TextControl("MaskEditGPSAndTime_Sec", panel.MaskEditGPSAndTime_Sec),
      TextControl("MaskEditGPSAndDist_M", panel.MaskEditGPSAndDist_M),
      TextControl("MaskEditGPSAndSpeed_Km_H", panel.MaskEditGPSAndSpeed_Km_H),
      TextControl("MaskEditGPSOrTime_Sec", panel.MaskEditGPSOrTime_Sec),
      TextControl("MaskEditGPSOrDist_M", panel.MaskEditGPSOrDist_M),
      TextControl("MaskEditGPSOrSpeed_Km_H", panel.MaskEditGPSOrSpeed_Km_H),
  };
}

}  // namespace vkm
