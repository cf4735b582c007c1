#include "model/InputPanel.h"

#include <algorithm>
#include <utility>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/ItemLists.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr int kRecoveryTimeMax = 63;
constexpr int kBarrierMax = 4095;

const Items& SensNameSuggestions() {
  static const Items items = {"КОМНАТА", "ГОСТИНАЯ", "ПРИХОЖАЯ", "ОКНО", "ДВЕРЬ", "DOOR", "WINDOW", "HALL"};
  return items;
}

const Items& SensStateSuggestions() {
  static const Items items = {"ДВИЖЕНИЕ", "ДЫМ", "АКТИВЕН", "ОТКРЫТА", "ЗАКРЫТА", "НОРМА", "ON",
                              "OFF",      "OPEN", "CLOSE",   "MOVE",    "SMOKE",   "CLEAR"};
  return items;
}

const Items& AverageTimeItems() {
  static const Items items = {"60 mSec.", "120 mSec.", "240 mSec.", "360 mSec.", "480 mSec.", "660 mSec.",
                              "840 mSec.", "1 Sec.",   "2 Sec.",    "3 Sec.",    "4 Sec.",    "6 Sec.",
                              "8 Sec.",   "10 Sec.",   "12 Sec.",   "15 Sec."};
  return items;
}

const Items& ActiveLevelItems() {
  static const Items items = {
      "Низкий (Uвх. <= Нижн. гр.) или высокий (Uвх. >= Верхн. гр.)",
      "Низкий (Uвх. <= Нижн. гр.)",
      "Свободный (Нижн. гр. <= Uвх. <= Верхн. гр.)",
      "Высокий (Uвх. >= Верхн. гр.)",
      "Низкий гистерезисный (Uвх. <= Нижн. гр.)",
      "Высокий гистерезисный (Uвх. >= Верхн. гр.)",
  };
  return items;
}

// Index i stands for 5 × i seconds.
const Items& DelayTimeItems() {
  static const Items items = [] {
    Items list;
    for (int i = 0; i < 64; ++i) list.push_back(std::to_string(5 * i) + " Sec.");
    return list;
  }();
  return items;
}

const Items& ReleToAlarmItems() {
  static const Items items = {"напрямую, сигналом на входе", "тревожным событием, с учетом блокировки",
                              "тревожным событием, без учета блокировки"};
  return items;
}

// Index 0 is no voice link, index n is connection n.
const Items& ListenNumItems() {
  static const Items items = [] {
    Items list = {" -"};
    const Items numbers = NumberedItems("", 1, 8, "");
    list.insert(list.end(), numbers.begin(), numbers.end());
    return list;
  }();
  return items;
}

const Items& AlarmTryItems() {
  static const Items items = {"без ограничения", "не более 1 раза", "не более 3 раз", "не более 7 раз"};
  return items;
}

const Items& ArmDisModeItems() {
  static const Items items = {"не менять", "ОХРАНА", "НАБЛЮДЕНИЕ", "Противоположный"};
  return items;
}

uint8_t* Record(ConfigurationImage& image, int node) {
  return &image[kInputRecords.Offset(node - kNodeInput1 + 1)];
}

}  // namespace

const Items& SensTypeItems(int node) {
  static const Items discreteOnly = {"Запрещен", "Дискретный"};
  static const Items withAnalogue = {"Запрещен", "Дискретный", "Аналоговый"};
  return node >= kNodeInput1 + 4 ? withAnalogue : discreteOnly;
}

void PanelToImage(InputPanel& panel, int node, ConfigurationImage& image) {
  uint8_t* record = Record(image, node);
  StoreText(record + 0, 17, panel.ComboBoxSensName);
  StoreText(record + 17, 17, panel.ComboBoxSensActSt);
  StoreText(record + 34, 17, panel.ComboBoxSensPassSt);

  StoreComboBits(record[52], 0, 4, panel.ComboBoxAverageTime);
  StoreComboBits(record[52], 4, 3, panel.ComboBoxSensActLevel);
  SetBit(record[52], 7, panel.CheckBox24HZone);
  SetBits(record[53], 0, 6, static_cast<unsigned>(std::clamp(panel.UpDownRecoveryTime, 0, kRecoveryTimeMax)));
  StoreComboBits(record[54], 0, 6, panel.ComboBoxDelayTime);
  StoreComboBits(record[54], 6, 2, panel.ComboBoxReleToAlarm);
  StoreComboBits(record[55], 1, 3, panel.ComboBoxSensType);

  PutU16(record + 58, static_cast<uint16_t>(std::clamp(panel.TrackBarLoBarrier, 0, kBarrierMax)));
  PutU16(record + 60, static_cast<uint16_t>(std::clamp(panel.TrackBarHiBarrier, 0, kBarrierMax)));

  SetBit(record[62], 2, panel.CheckBoxNotArmingAsActive);
  StoreComboBits(record[62], 4, 4, panel.ComboBoxListenNum);
  StoreComboBits(record[63], 2, 2, panel.ComboBoxAlarmTry);
  StoreComboBits(record[63], 4, 2, panel.ComboBoxActArmDisMode);
  StoreComboBits(record[63], 6, 2, panel.ComboBoxPassArmDisMode);
  SetBit(record[64], 4, panel.CheckBoxActiveToGPS);

  // ReadFloat takes a decimal comma as well as a point.
  float minimum = ReadFloat(panel.MaskEditMinVal);
  float maximum = ReadFloat(panel.MaskEditMaxVal);
  if (minimum == maximum) {
    // A scale of zero width would make every reading the same value.
    minimum -= 1.0f;
    maximum += 1.0f;
  }
  PutFloat(record + 68, minimum);
  PutFloat(record + 72, maximum);

  StoreReactionCodes(record + 76, panel.ComboBoxActRele);
  StoreReactionCodes(record + 82, panel.ComboBoxPassRele);
}

void ImageToPanel(ConfigurationImage& image, int node, InputPanel& panel, char decimalSeparator) {
  uint8_t* record = Record(image, node);
  panel.Label10 = NodeCaption(node);
  // A name filling its whole field would otherwise run into the next one.
  record[16] = 0;
  record[33] = 0;
  record[50] = 0;
  panel.ComboBoxSensName = ShowText(record + 0, 17);
  panel.ComboBoxSensActSt = ShowText(record + 17, 17);
  panel.ComboBoxSensPassSt = ShowText(record + 34, 17);

  panel.ComboBoxAverageTime = ShowComboBits(record[52], 0, 4, AverageTimeItems());
  panel.ComboBoxSensActLevel = ShowComboBits(record[52], 4, 3, ActiveLevelItems());
  panel.CheckBox24HZone = GetBit(record[52], 7);
  panel.UpDownRecoveryTime = static_cast<int>(GetBits(record[53], 0, 6));
  panel.EditRecoveryTime = std::to_string(panel.UpDownRecoveryTime);
  panel.ComboBoxDelayTime = ShowComboBits(record[54], 0, 6, DelayTimeItems());
  panel.ComboBoxReleToAlarm = ShowComboBits(record[54], 6, 2, ReleToAlarmItems());
  panel.ComboBoxSensType = ShowComboBits(record[55], 1, 3, SensTypeItems(node));

  // The track bars cannot go beyond the converter's range.
  panel.TrackBarLoBarrier = std::min<int>(GetU16(record + 58), kBarrierMax);
  panel.TrackBarHiBarrier = std::min<int>(GetU16(record + 60), kBarrierMax);

  panel.CheckBoxNotArmingAsActive = GetBit(record[62], 2);
  panel.ComboBoxListenNum = ShowComboBits(record[62], 4, 4, ListenNumItems());
  panel.ComboBoxAlarmTry = ShowComboBits(record[63], 2, 2, AlarmTryItems());
  panel.ComboBoxActArmDisMode = ShowComboBits(record[63], 4, 2, ArmDisModeItems());
  panel.ComboBoxPassArmDisMode = ShowComboBits(record[63], 6, 2, ArmDisModeItems());
  panel.CheckBoxActiveToGPS = GetBit(record[64], 4);

  panel.MaskEditMinVal = FormatFloat(GetFloat(record + 68), decimalSeparator);
  panel.MaskEditMaxVal = FormatFloat(GetFloat(record + 72), decimalSeparator);

  ShowReactionCodes(record + 76, panel.ComboBoxActRele);
  ShowReactionCodes(record + 82, panel.ComboBoxPassRele);
}

Controls ListControls(InputPanel& panel, int node) {
  Controls controls = {
      LabelControl("Label10", panel.Label10),
      TextControl("ComboBoxSensName", panel.ComboBoxSensName, &SensNameSuggestions()),
      TextControl("ComboBoxSensActSt", panel.ComboBoxSensActSt, &SensStateSuggestions()),
      TextControl("ComboBoxSensPassSt", panel.ComboBoxSensPassSt, &SensStateSuggestions()),
      ComboControl("ComboBoxAverageTime", panel.ComboBoxAverageTime, AverageTimeItems()),
      ComboControl("ComboBoxSensActLevel", panel.ComboBoxSensActLevel, ActiveLevelItems()),
      CheckControl("CheckBox24HZone", panel.CheckBox24HZone),
      Reacting(TextControl("EditRecoveryTime", panel.EditRecoveryTime), [&panel] { OnRecoveryTimeTextChanged(panel); }),
      PositionControl("UpDownRecoveryTime", panel.UpDownRecoveryTime, 0, kRecoveryTimeMax),
      ComboControl("ComboBoxDelayTime", panel.ComboBoxDelayTime, DelayTimeItems()),
      ComboControl("ComboBoxReleToAlarm", panel.ComboBoxReleToAlarm, ReleToAlarmItems()),
      ComboControl("ComboBoxSensType", panel.ComboBoxSensType, SensTypeItems(node)),
      PositionControl("TrackBarLoBarrier", panel.TrackBarLoBarrier, 0, kBarrierMax),
      PositionControl("TrackBarHiBarrier", panel.TrackBarHiBarrier, 0, kBarrierMax),
      CheckControl("CheckBoxNotArmingAsActive", panel.CheckBoxNotArmingAsActive),
      ComboControl("ComboBoxListenNum", panel.ComboBoxListenNum, ListenNumItems()),
      ComboControl("ComboBoxAlarmTry", panel.ComboBoxAlarmTry, AlarmTryItems()),
      ComboControl("ComboBoxActArmDisMode", panel.ComboBoxActArmDisMode, ArmDisModeItems()),
      ComboControl("ComboBoxPassArmDisMode", panel.ComboBoxPassArmDisMode, ArmDisModeItems()),
      CheckControl("CheckBoxActiveToGPS", panel.CheckBoxActiveToGPS),
      TextControl("MaskEditMinVal", panel.MaskEditMinVal),
      TextControl("MaskEditMaxVal", panel.MaskEditMaxVal),
  };
  const auto reaction = [](std::string name, int& field) {
    return ComboControl(std::move(name), field, ReactionItems());
  };
  AddNumbered(controls, "ComboBoxActRele", panel.ComboBoxActRele, reaction);
  AddNumbered(controls, "ComboBoxPassRele", panel.ComboBoxPassRele, reaction);
  return controls;
}

void OnRecoveryTimeTextChanged(InputPanel& panel) {
  const uint64_t value = ReadLeadingNumber(panel.EditRecoveryTime);
  panel.UpDownRecoveryTime = static_cast<int>(std::min<uint64_t>(value, kRecoveryTimeMax));
}

}  // namespace vkm
