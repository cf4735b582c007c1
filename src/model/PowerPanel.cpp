#include "model/PowerPanel.h"

#include <algorithm>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/ItemLists.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr int kBatteryMin = 0;
constexpr int kBatteryMax = 100;
constexpr int kTemperatureMin = -40;
constexpr int kTemperatureMax = 90;
constexpr int kTopLevel = 89;  // degrees of level item 0

// 2, 4, 8 .. 256 followed by the unit: index i stands for 2^(i+1).
Items PowersOfTwo(const std::string& unit) {
  Items list;
  for (int k = 0; k < 8; ++k) list.push_back(std::to_string(2 << k) + unit);
  return list;
}

const Items& AverageTimeItems() {
  static const Items items = PowersOfTwo(" Sec.");
  return items;
}

const Items& RecoveryTimeItems() {
  static const Items items = PowersOfTwo(" Min.");
  return items;
}

// The section builds these lists when it is entered: 89 down to -39 degrees.
const Items& LevelItems() {
  static const Items items = [] {
    Items list;
    for (int degrees = kTopLevel; degrees >= -39; --degrees) list.push_back(std::to_string(degrees) + "° C");
    return list;
  }();
  return items;
}

std::string PercentText(int position) { return std::to_string(kBatteryMax - position) + "%"; }
std::string DegreesText(int position) { return std::to_string(position) + "° C"; }

// Moves a slider as the widget does: within its range, and its reaction runs
// only when the position really changes (which also ends the mutual pushes).
void MoveSlider(PowerPanel& panel, int PowerPanel::*slider, int position, int minimum, int maximum,
                void (*reaction)(PowerPanel&)) {
  position = std::clamp(position, minimum, maximum);
  if (panel.*slider == position) return;
  panel.*slider = position;
  reaction(panel);
}

void MoveWarn(PowerPanel& panel, int position) {
  MoveSlider(panel, &PowerPanel::TrackBarDischargeWarn, position, kBatteryMin, kBatteryMax, OnDischargeWarnChanged);
}
void MoveAlarm(PowerPanel& panel, int position) {
  MoveSlider(panel, &PowerPanel::TrackBarDischargeAlarm, position, kBatteryMin, kBatteryMax, OnDischargeAlarmChanged);
}
void MoveHi(PowerPanel& panel, int position) {
  MoveSlider(panel, &PowerPanel::TrackBarTemperatHiBorder, position, kTemperatureMin, kTemperatureMax,
             OnTemperatHiChanged);
}
void MoveLow(PowerPanel& panel, int position) {
  MoveSlider(panel, &PowerPanel::TrackBarTemperatLowBorder, position, kTemperatureMin, kTemperatureMax,
             OnTemperatLowChanged);
}

uint8_t LevelByte(int index) { return static_cast<uint8_t>(kTopLevel - index); }

int LevelIndex(uint8_t stored) {
  const int index = kTopLevel - static_cast<int8_t>(stored);
  return index >= 0 ? ComboIndexFromStored(static_cast<unsigned>(index), LevelItems().size()) : -1;
}

uint8_t ReactionByte(int output, int reaction) {
  return static_cast<uint8_t>(StoredFromComboIndex(output, 3) | (StoredFromComboIndex(reaction, 5) << 3));
}

uint8_t BorderByte(bool report, int position) {
  return static_cast<uint8_t>((report ? 0x80u : 0u) | (static_cast<unsigned>(kBatteryMax - position) & 0x7Fu));
}

}  // namespace

void PanelToImage(PowerPanel& panel, int /*node*/, ConfigurationImage& image) {
  uint8_t* power = &image[kPowerOffset];  // image offset 2036
  StoreComboBits(power[0], 0, 3, panel.ComboBoxPowerSignAverTime);
  SetBit(power[0], 3, panel.CheckBoxExtPowerFault);
  StoreComboBits(power[0], 4, 3, panel.ComboBoxRecoveryTime);
  SetBit(power[0], 7, panel.CheckBoxExtPowerRec);
  SetBit(power[1], 0, panel.CheckBoxAsFaultSendGPSPos);

  power[5] = BorderByte(panel.CheckBoxBatteryDischargeWarnEventEn, panel.TrackBarDischargeWarn);
  power[4] = BorderByte(panel.CheckBoxBatteryDischargeAlarmEventEn, panel.TrackBarDischargeAlarm);
  SetBit(power[6], 0, panel.CheckBoxAsDischargeSendGPSPos);

  SetBit(power[12], 0, panel.CheckBoxTemperatureEvent);
  power[13] = static_cast<uint8_t>(panel.TrackBarTemperatLowBorder);
  power[14] = static_cast<uint8_t>(panel.TrackBarTemperatHiBorder);
  power[17] = LevelByte(panel.ComboBoxHiBorderLevel);
  power[18] = ReactionByte(panel.ComboBoxHiBorderOut, panel.ComboBoxHiBorderScn);
  power[15] = LevelByte(panel.ComboBoxLoBorderLevel);
  power[16] = ReactionByte(panel.ComboBoxLoBorderOut, panel.ComboBoxLoBorderScn);
}

void ImageToPanel(ConfigurationImage& image, int node, PowerPanel& panel) {
  const uint8_t* power = &image[kPowerOffset];
  panel.Label23 = NodeCaption(node);

  panel.ComboBoxPowerSignAverTime = ShowComboBits(power[0], 0, 3, AverageTimeItems());
  panel.CheckBoxExtPowerFault = GetBit(power[0], 3);
  panel.ComboBoxRecoveryTime = ShowComboBits(power[0], 4, 3, RecoveryTimeItems());
  panel.CheckBoxExtPowerRec = GetBit(power[0], 7);
  panel.CheckBoxAsFaultSendGPSPos = GetBit(power[1], 0);

  // Both positions first, then both reactions, which mend a pair out of
  // order and refresh the percent labels.
  panel.TrackBarDischargeWarn = std::clamp(kBatteryMax - static_cast<int>(GetBits(power[5], 0, 7)), kBatteryMin, kBatteryMax);
  panel.TrackBarDischargeAlarm = std::clamp(kBatteryMax - static_cast<int>(GetBits(power[4], 0, 7)), kBatteryMin, kBatteryMax);
  OnDischargeWarnChanged(panel);
  OnDischargeAlarmChanged(panel);
  panel.CheckBoxBatteryDischargeWarnEventEn = GetBit(power[5], 7);
  panel.CheckBoxBatteryDischargeAlarmEventEn = GetBit(power[4], 7);
  panel.CheckBoxAsDischargeSendGPSPos = GetBit(power[6], 0);

  panel.CheckBoxTemperatureEvent = GetBit(power[12], 0);
  // Each slider is set and its reaction run even when the position did not
  // move, so that the labels never keep their placeholder.
  panel.TrackBarTemperatLowBorder = std::clamp<int>(static_cast<int8_t>(power[13]), kTemperatureMin, kTemperatureMax);
  OnTemperatLowChanged(panel);
  panel.TrackBarTemperatHiBorder = std::clamp<int>(static_cast<int8_t>(power[14]), kTemperatureMin, kTemperatureMax);
  OnTemperatHiChanged(panel);

  // The level lists are set directly: their ordering rule belongs to the user's choices.
  panel.ComboBoxLoBorderLevel = LevelIndex(power[15]);
  panel.ComboBoxLoBorderOut = ShowComboBits(power[16], 0, 3, OutputItems());
  panel.ComboBoxLoBorderScn = ShowComboBits(power[16], 3, 5, ReactionItems());
  panel.ComboBoxHiBorderLevel = LevelIndex(power[17]);
  panel.ComboBoxHiBorderOut = ShowComboBits(power[18], 0, 3, OutputItems());
  panel.ComboBoxHiBorderScn = ShowComboBits(power[18], 3, 5, ReactionItems());
}

Controls ListControls(PowerPanel& panel, int /*node*/) {
  return {
      LabelControl("Label23", panel.Label23),
      ComboControl("ComboBoxPowerSignAverTime", panel.ComboBoxPowerSignAverTime, AverageTimeItems()),
      CheckControl("CheckBoxExtPowerFault", panel.CheckBoxExtPowerFault),
      ComboControl("ComboBoxRecoveryTime", panel.ComboBoxRecoveryTime, RecoveryTimeItems()),
      CheckControl("CheckBoxExtPowerRec", panel.CheckBoxExtPowerRec),
      CheckControl("CheckBoxAsFaultSendGPSPos", panel.CheckBoxAsFaultSendGPSPos),
      Reacting(PositionControl("TrackBarDischargeAlarm", panel.TrackBarDischargeAlarm, kBatteryMin, kBatteryMax), [&panel] { OnDischargeAlarmChanged(panel); }),
      LabelControl("Label14", panel.Label14),
      CheckControl("CheckBoxBatteryDischargeAlarmEventEn", panel.CheckBoxBatteryDischargeAlarmEventEn),
      Reacting(PositionControl("TrackBarDischargeWarn", panel.TrackBarDischargeWarn, kBatteryMin, kBatteryMax), [&panel] { OnDischargeWarnChanged(panel); }),
      LabelControl("Label4", panel.Label4),
      CheckControl("CheckBoxBatteryDischargeWarnEventEn", panel.CheckBoxBatteryDischargeWarnEventEn),
      CheckControl("CheckBoxAsDischargeSendGPSPos", panel.CheckBoxAsDischargeSendGPSPos),
      CheckControl("CheckBoxTemperatureEvent", panel.CheckBoxTemperatureEvent),
      Reacting(PositionControl("TrackBarTemperatLowBorder", panel.TrackBarTemperatLowBorder, kTemperatureMin, kTemperatureMax), [&panel] { OnTemperatLowChanged(panel); }),
      LabelControl("LabelLowBorder", panel.LabelLowBorder),
      Reacting(PositionControl("TrackBarTemperatHiBorder", panel.TrackBarTemperatHiBorder, kTemperatureMin, kTemperatureMax), [&panel] { OnTemperatHiChanged(panel); }),
      LabelControl("LabelHiBorder", panel.LabelHiBorder),
      Reacting(ComboControl("ComboBoxLoBorderLevel", panel.ComboBoxLoBorderLevel, LevelItems()),
               [&panel] { OnLoBorderLevelChanged(panel); }),
      ComboControl("ComboBoxLoBorderOut", panel.ComboBoxLoBorderOut, OutputItems()),
      ComboControl("ComboBoxLoBorderScn", panel.ComboBoxLoBorderScn, ReactionItems()),
      Reacting(ComboControl("ComboBoxHiBorderLevel", panel.ComboBoxHiBorderLevel, LevelItems()),
               [&panel] { OnHiBorderLevelChanged(panel); }),
      ComboControl("ComboBoxHiBorderOut", panel.ComboBoxHiBorderOut, OutputItems()),
      ComboControl("ComboBoxHiBorderScn", panel.ComboBoxHiBorderScn, ReactionItems()),
  };
}

void OnDischargeWarnChanged(PowerPanel& panel) {
  panel.Label4 = PercentText(panel.TrackBarDischargeWarn);
  if (panel.TrackBarDischargeWarn < 10) MoveWarn(panel, 10);
  if (panel.TrackBarDischargeWarn > panel.TrackBarDischargeAlarm) MoveAlarm(panel, panel.TrackBarDischargeWarn);
}

void OnDischargeAlarmChanged(PowerPanel& panel) {
  panel.Label14 = PercentText(panel.TrackBarDischargeAlarm);
  if (panel.TrackBarDischargeAlarm < panel.TrackBarDischargeWarn) MoveWarn(panel, panel.TrackBarDischargeAlarm);
}

void OnTemperatHiChanged(PowerPanel& panel) {
  MoveHi(panel, std::clamp(panel.TrackBarTemperatHiBorder, -30, 82));
  if (panel.TrackBarTemperatLowBorder >= panel.TrackBarTemperatHiBorder - 2) {
    MoveLow(panel, panel.TrackBarTemperatHiBorder - 2);
  }
  panel.LabelHiBorder = DegreesText(panel.TrackBarTemperatHiBorder);
}

void OnTemperatLowChanged(PowerPanel& panel) {
  MoveLow(panel, std::clamp(panel.TrackBarTemperatLowBorder, -32, 80));
  if (panel.TrackBarTemperatLowBorder + 2 >= panel.TrackBarTemperatHiBorder) {
    MoveHi(panel, panel.TrackBarTemperatLowBorder + 2);
  }
  panel.LabelLowBorder = DegreesText(panel.TrackBarTemperatLowBorder);
}

void OnHiBorderLevelChanged(PowerPanel& panel) {
  if (panel.ComboBoxHiBorderLevel > panel.ComboBoxLoBorderLevel) panel.ComboBoxLoBorderLevel = panel.ComboBoxHiBorderLevel;
}

void OnLoBorderLevelChanged(PowerPanel& panel) {
  if (panel.ComboBoxHiBorderLevel > panel.ComboBoxLoBorderLevel) panel.ComboBoxHiBorderLevel = panel.ComboBoxLoBorderLevel;
}

}  // namespace vkm
