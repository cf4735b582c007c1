#include "model/ServerPanel.h"

#include <algorithm>
#include <cstdint>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr std::size_t kAddressOffset = 0;
constexpr std::size_t kAddressSize = 36;
constexpr std::size_t kHostNameMaxChars = 33;
constexpr std::size_t kPortOffset = 36;
constexpr std::size_t kTypeOffset = 38;    // bit 0
constexpr std::size_t kEnableOffset = 40;  // bit 0; bits 4..7 of record 1 belong to section 13

constexpr int kIpAddress = 0;

const Items& DestTypeItems() {
  static const Items items = {"IP адрес", "Доменное имя (требуется DNS)"};
  return items;
}

int ServerNumber(int node) { return node - kNodeServer1 + 1; }

uint8_t* Record(ConfigurationImage& image, int node) { return &image[kServerRecords.Offset(ServerNumber(node))]; }

}  // namespace

void PanelToImage(ServerPanel& panel, int node, ConfigurationImage& image) {
  uint8_t* record = Record(image, node);
  if (panel.ComboBoxDestType == kIpAddress) {
    // Only the four address bytes: the rest of an earlier host name stays.
    StoreIpv4(record + kAddressOffset, panel.MaskEditServerIPAddr);
  } else {
    StoreTextFreeTail(record + kAddressOffset, kHostNameMaxChars, panel.MaskEditServerIPAddr);
  }
  const uint64_t port = ReadLeadingNumber(panel.MaskEditServerPort);
  PutU16(record + kPortOffset, static_cast<uint16_t>(std::min<uint64_t>(port, 0xFFFF)));
  StoreComboBits(record[kTypeOffset], 0, 1, panel.ComboBoxDestType);
  SetBit(record[kEnableOffset], 0, panel.CheckBoxServerEn);
}

void ImageToPanel(ConfigurationImage& image, int node, ServerPanel& panel) {
  const uint8_t* record = Record(image, node);
  panel.Label140 = "Сервер " + std::to_string(ServerNumber(node));
  // The type decides the edit's form, so it is set (and reacted to) before
  // the address is shown.
  panel.ComboBoxDestType = ShowComboBits(record[kTypeOffset], 0, 1, DestTypeItems());
  OnDestTypeChanged(panel);
  panel.MaskEditServerIPAddr = panel.ComboBoxDestType == kIpAddress ? ShowIpv4(record + kAddressOffset)
                                                                    : ShowText(record + kAddressOffset, kAddressSize);
  panel.MaskEditServerPort = std::to_string(GetU16(record + kPortOffset));
  panel.CheckBoxServerEn = GetBit(record[kEnableOffset], 0);
}

Controls ListControls(ServerPanel& panel, int /*node*/) {
  return {
      LabelControl("Label140", panel.Label140),
      // The type comes before the address: its change handler rewrites it.
      Reacting(ComboControl("ComboBoxDestType", panel.ComboBoxDestType, DestTypeItems()),
               [&panel] { OnDestTypeChanged(panel); }),
      TextControl("MaskEditServerIPAddr", panel.MaskEditServerIPAddr),
      TextControl("MaskEditServerPort", panel.MaskEditServerPort),
      CheckControl("CheckBoxServerEn", panel.CheckBoxServerEn),
  };
}

void OnDestTypeChanged(ServerPanel& panel) {
  panel.MaskEditServerIPAddr = panel.ComboBoxDestType == kIpAddress ? "000.000.000.000" : "";
}

}  // namespace vkm
