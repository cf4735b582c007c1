#include "model/GprsCommonPanel.h"

#include <cstdint>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/ItemLists.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr std::size_t kApnOffset = kGprsCommonOffset;  // 32 characters and NUL
constexpr std::size_t kUserNameOffset = 2105;          // 16 characters and NUL
constexpr std::size_t kPasswordOffset = 2122;          // 16 characters and NUL
constexpr std::size_t kDns1Offset = 2140;
constexpr std::size_t kDns2Offset = 2144;
constexpr std::size_t kEventMaskOffset = 2148;  // source masks A and B
constexpr std::size_t kEventFlagsOffset = 2150;
constexpr std::size_t kSystemEventFlagsOffset = 2151;
constexpr std::size_t kPeriodOffset = kGprsStrategyOffset;  // 0xFF always, 0 on event, else 5-minute units
constexpr std::size_t kAttemptsPingOffset = 2153;
constexpr std::size_t kBlockTimeOffset = 2154;
constexpr std::size_t kOnlineTimeOffset = 2155;
// The wait time shares byte +40 of server record 1 with that server's enable bit.
const std::size_t kWaitTimeOffset = kServerRecords.Offset(1) + 40;

constexpr uint8_t kAlwaysConnected = 0xFF;
constexpr uint8_t kOnEvent = 0;
constexpr unsigned kLargestUnits = 252;  // 1260 minutes
constexpr unsigned kAlwaysConnectedOnlineTime = 30;

enum Strategy { kStrategyAlways = 0, kStrategyPeriodic = 1, kStrategyOnEvent = 2 };

const Items& StrategyItems() {
  static const Items items = {"Всегда подключен к серверу", "Подключаться периодически или по событию",
                              "Подключаться по событию"};
  return items;
}

const Items& AttemptItems() {
  static const Items items = NumberedItems("", 1, 7, "");
  return items;
}

// The two minute lists are rebuilt when the section is entered; these are
// the lists they hold on this section.
const Items& PingPeriodItems() {
  static const Items items = NumberedItems("", 1, 30, " Мин.");
  return items;
}

const Items& OnlineTimeItems() {
  static const Items items = NumberedItems("", 0, 30, " Мин.");
  return items;
}

std::string MinutesText(unsigned minutes) { return std::to_string(minutes) + " Мин."; }

// Minutes typed as "NNNN Мин." in 5-minute units: below 5 minutes counts as
// 5, above 1264 as 1260.
uint8_t FiveMinuteUnits(const std::string& text) {
  const uint64_t units = ReadLeadingNumber(Trim(text)) / 5;
  if (units > kLargestUnits) return static_cast<uint8_t>(kLargestUnits);
  if (units == 0) return 1;
  return static_cast<uint8_t>(units);
}

// Attempts and ping period are stored as the number they show, index + 1.
unsigned CountFromIndex(int index, int width) { return StoredFromComboIndex(index + 1, width); }

}  // namespace

void PanelToImage(GprsCommonPanel& panel, int /*node*/, ConfigurationImage& image) {
  StoreTextFreeTail(&image[kApnOffset], 32, panel.EditAPN);
  StoreTextFreeTail(&image[kUserNameOffset], 16, panel.EditGPRSUserName);
  StoreTextFreeTail(&image[kPasswordOffset], 16, panel.EditGPRSPassword);
  StoreIpv4(&image[kDns1Offset], panel.MaskEditDNS1);
  StoreIpv4(&image[kDns2Offset], panel.MaskEditDNS2);

  const unsigned ping = CountFromIndex(panel.ComboBoxPingPeriod_min, 5);
  const unsigned onlineTime = StoredFromComboIndex(panel.ComboBoxOnlineTime_min, 5);
  switch (panel.ComboBoxGPRSConnectionStrategy) {
    case kStrategyAlways:
      // The controller stays online: the period is meaningless and the
      // online time is the longest there is.
      image[kPeriodOffset] = kAlwaysConnected;
      SetBits(image[kAttemptsPingOffset], 3, 5, ping);
      SetBits(image[kOnlineTimeOffset], 0, 5, kAlwaysConnectedOnlineTime);
      break;
    case kStrategyOnEvent:
      image[kPeriodOffset] = kOnEvent;
      SetBits(image[kAttemptsPingOffset], 3, 5, ping);
      SetBits(image[kOnlineTimeOffset], 0, 5, onlineTime);
      break;
    default:  // periodic, or nothing selected
      image[kPeriodOffset] = FiveMinuteUnits(panel.MaskEditConnectingPeriod_x5m);
      SetBits(image[kAttemptsPingOffset], 3, 5, ping);
      SetBits(image[kOnlineTimeOffset], 0, 5, onlineTime);
      break;
  }

  SetBits(image[kAttemptsPingOffset], 0, 3, CountFromIndex(panel.ComboBoxConnectingTryNum, 3));
  image[kBlockTimeOffset] = FiveMinuteUnits(panel.MaskEditBlockTimeAtConnFault_min);
  StoreSourceMask(&image[kEventMaskOffset], panel.CheckBoxMaskGInput);
  SetBit(image[kEventFlagsOffset], 0, panel.CheckBoxMaskGArm);
  SetBit(image[kEventFlagsOffset], 4, panel.CheckBoxMaskGDisarm);
  SetBit(image[kSystemEventFlagsOffset], 1, panel.CheckBoxMaskGPwrBlcTermo);
  SetBit(image[kSystemEventFlagsOffset], 2, panel.CheckBoxMaskGTestSys);
  SetBit(image[kSystemEventFlagsOffset], 3, panel.CheckBoxMaskG_GPS);
  StoreComboBits(image[kWaitTimeOffset], 4, 4, panel.ComboBoxGPRSTranspWaitTime);
}

void ImageToPanel(ConfigurationImage& image, int /*node*/, GprsCommonPanel& panel) {
  panel.EditAPN = ShowText(&image[kApnOffset], 33);
  panel.EditGPRSUserName = ShowText(&image[kUserNameOffset], 17);
  panel.EditGPRSPassword = ShowText(&image[kPasswordOffset], 17);
  panel.MaskEditDNS1 = ShowIpv4(&image[kDns1Offset]);
  panel.MaskEditDNS2 = ShowIpv4(&image[kDns2Offset]);

  const uint8_t period = image[kPeriodOffset];
  panel.ComboBoxGPRSConnectionStrategy =
      period == kAlwaysConnected ? kStrategyAlways : period == kOnEvent ? kStrategyOnEvent : kStrategyPeriodic;
  panel.MaskEditConnectingPeriod_x5m = MinutesText(period * 5u);

  const uint8_t attemptsPing = image[kAttemptsPingOffset];
  const unsigned attempts = GetBits(attemptsPing, 0, 3);
  panel.ComboBoxConnectingTryNum = ComboIndexFromStored(attempts == 0 ? 0 : attempts - 1, AttemptItems().size());
  const unsigned ping = attemptsPing / 8u;
  panel.ComboBoxPingPeriod_min = ComboIndexFromStored(ping == 0 ? 0 : ping - 1, PingPeriodItems().size());
  panel.MaskEditBlockTimeAtConnFault_min = MinutesText(image[kBlockTimeOffset] * 5u);
  panel.ComboBoxOnlineTime_min = ShowComboBits(image[kOnlineTimeOffset], 0, 5, OnlineTimeItems());

  OnConnectionStrategyChanged(panel);

  panel.ComboBoxGPRSTranspWaitTime = ShowComboBits(image[kWaitTimeOffset], 4, 4, WaitTimeItems());
  panel.CheckBoxMaskGInput = ShowSourceMask(&image[kEventMaskOffset]);
  panel.CheckBoxMaskGArm = GetBit(image[kEventFlagsOffset], 0);
  panel.CheckBoxMaskGDisarm = GetBit(image[kEventFlagsOffset], 4);
  panel.CheckBoxMaskGPwrBlcTermo = GetBit(image[kSystemEventFlagsOffset], 1);
  panel.CheckBoxMaskGTestSys = GetBit(image[kSystemEventFlagsOffset], 2);
  panel.CheckBoxMaskG_GPS = GetBit(image[kSystemEventFlagsOffset], 3);
}

Controls ListControls(GprsCommonPanel& panel, int /*node*/) {
  Controls controls = {
      TextControl("EditAPN", panel.EditAPN),
      TextControl("EditGPRSUserName", panel.EditGPRSUserName),
      TextControl("EditGPRSPassword", panel.EditGPRSPassword),
      TextControl("MaskEditDNS1", panel.MaskEditDNS1),
      TextControl("MaskEditDNS2", panel.MaskEditDNS2),
  };
  AddNumbered(controls, "CheckBoxMaskGInput", panel.CheckBoxMaskGInput, ThreeStateControl);
  const Controls rest = {
      CheckControl("CheckBoxMaskGArm", panel.CheckBoxMaskGArm),
      CheckControl("CheckBoxMaskGDisarm", panel.CheckBoxMaskGDisarm),
      CheckControl("CheckBoxMaskGPwrBlcTermo", panel.CheckBoxMaskGPwrBlcTermo),
      CheckControl("CheckBoxMaskGTestSys", panel.CheckBoxMaskGTestSys),
      CheckControl("CheckBoxMaskG_GPS", panel.CheckBoxMaskG_GPS),
      // The strategy comes before the controls its change handler rewrites,
      // so that setting it does not undo their values.
      Reacting(ComboControl("ComboBoxGPRSConnectionStrategy", panel.ComboBoxGPRSConnectionStrategy, StrategyItems()),
               [&panel] { OnConnectionStrategyChanged(panel); }),
      TextControl("MaskEditConnectingPeriod_x5m", panel.MaskEditConnectingPeriod_x5m),
      ComboControl("ComboBoxConnectingTryNum", panel.ComboBoxConnectingTryNum, AttemptItems()),
      ComboControl("ComboBoxPingPeriod_min", panel.ComboBoxPingPeriod_min, PingPeriodItems()),
      TextControl("MaskEditBlockTimeAtConnFault_min", panel.MaskEditBlockTimeAtConnFault_min),
      ComboControl("ComboBoxOnlineTime_min", panel.ComboBoxOnlineTime_min, OnlineTimeItems()),
      ComboControl("ComboBoxGPRSTranspWaitTime", panel.ComboBoxGPRSTranspWaitTime, WaitTimeItems()),
  };
  controls.insert(controls.end(), rest.begin(), rest.end());
  return controls;
}

void OnConnectionStrategyChanged(GprsCommonPanel& panel) {
  switch (panel.ComboBoxGPRSConnectionStrategy) {
    case kStrategyAlways:
      panel.MaskEditConnectingPeriod_x5m = MinutesText(5);
      panel.ComboBoxOnlineTime_min = 0;
      break;
    case kStrategyOnEvent:
      panel.MaskEditConnectingPeriod_x5m = MinutesText(5);
      break;
    default: {  // periodic, or nothing selected: keep the period storable
      const uint64_t units = ReadLeadingNumber(Trim(panel.MaskEditConnectingPeriod_x5m)) / 5;
      if (units > kLargestUnits) {
        panel.MaskEditConnectingPeriod_x5m = MinutesText(kLargestUnits * 5);
      } else if (units == 0) {
        panel.MaskEditConnectingPeriod_x5m = MinutesText(5);
      }
      break;
    }
  }
}

bool ConnectingPeriodEnabled(const GprsCommonPanel& panel) {
  return panel.ComboBoxGPRSConnectionStrategy != kStrategyAlways &&
         panel.ComboBoxGPRSConnectionStrategy != kStrategyOnEvent;
}

bool OnlineTimeEnabled(const GprsCommonPanel& panel) {
  return panel.ComboBoxGPRSConnectionStrategy != kStrategyAlways;
}

void RestoreGprsDefaults(GprsCommonPanel& panel, ConfigurationDocument& document) {
  // The panel goes into the image first so that its other edits survive.
  PanelToImage(panel, kNodeGprsCommon, document.image);
  document.RestoreGprsStrategyDefaults();
  ImageToPanel(document.image, kNodeGprsCommon, panel);
}

}  // namespace vkm
