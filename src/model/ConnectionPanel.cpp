#include "model/ConnectionPanel.h"

#include <algorithm>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/ItemLists.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr std::size_t kPhoneSize = 16;

const Items& TransportPriorityItems() {
  static const Items items = {
      "Голосовое и SMS оповещения равнозначны",
      "Посылать SMS только если не доставлено голосовое оповещ.",
      "Голосовое оповещение только если не отправлено SMS",
  };
  return items;
}

// Stored value = group - 1.
const Items& GroupItems() {
  static const Items items = NumberedItems("", 1, 8, "");
  return items;
}

const Items& IncomingCallActionItems() {
  static const Items items = {
      "Принять и перейти в голосовое меню, с паролем (DTMF управление)",
      "Принять и перейти в голосовое меню, без пароля (DTMF управление)",
      "Отбить (DTMF управление невозможно)",
      "Отбить и изменить режим (ОХРАНА/НАБЛЮДЕНИЕ)",
  };
  return items;
}

// Index n >= 2 is a call of n seconds.
const Items& OnLineTimeItems() {
  static const Items items = [] {
    Items list = {"По длине сообщения", "Задается DTMF упр."};
    const Items seconds = NumberedItems("", 2, 61, " Sec.");
    list.insert(list.end(), seconds.begin(), seconds.end());
    return list;
  }();
  return items;
}

const Items& ConnectionTypeItems() {
  static const Items items = {"Голосовое", "Lanternpost", "Голосовое LP"};
  return items;
}

// Two languages, then two exchange protocols.
const Items& LangItems() {
  static const Items items = {"Английский", "Русский", "Lanternpost", "Kestrel"};
  return items;
}

const Items& UserIdItems() {
  static const Items items = {"Код ключа TouchMem", "Имя пользователя"};
  return items;
}

uint8_t* Record(ConfigurationImage& image, int node) {
  return &image[kConnectionRecords.Offset(node - kNodeConnection1 + 1)];
}

// The controller dials the number as stored, so the blanks a user types to
// group digits are squeezed out; the freed tail of the field becomes NUL.
void StorePhone(uint8_t* field, const std::string& text) {
  StoreText(field, kPhoneSize, Trim(text));
  uint8_t* end = std::remove(field, field + kPhoneSize, uint8_t{' '});
  std::fill(end, field + kPhoneSize, uint8_t{0});
}

std::string ItemText(const Items& items, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < items.size() ? items[static_cast<std::size_t>(index)]
                                                                       : std::string();
}

}  // namespace

void OnIncomingCallActionChanged(ConnectionPanel& panel) {
  panel.ComboBoxIncomungCallActionHint = ItemText(IncomingCallActionItems(), panel.ComboBoxIncomungCallAction);
}

void OnTransportPriorityChanged(ConnectionPanel& panel) {
  panel.ComboBoxTransportPriorityHint = ItemText(TransportPriorityItems(), panel.ComboBoxTransportPriority);
}

void PanelToImage(ConnectionPanel& panel, int node, ConfigurationImage& image) {
  uint8_t* record = Record(image, node);
  StorePhone(record + 0, panel.MaskEditPhone);

  StoreComboBits(record[16], 0, 2, panel.ComboBoxTransportPriority);
  StoreComboBits(record[16], 2, 4, panel.ComboBoxGroupNum);

  StoreComboBits(record[17], 0, 4, panel.ComboBoxDialTranspWaitTime);
  StoreComboBits(record[17], 4, 2, panel.ComboBoxIncomungCallAction);

  record[18] = 0;

  SetBit(record[19], 0, panel.CheckBoxNotACK);
  SetBit(record[19], 1, panel.CheckBoxCallEn);
  StoreComboBits(record[19], 2, 6, panel.ComboBoxOnLineTime);

  StoreComboBits(record[20], 0, 2, panel.ComboBoxConnectionType);

  StoreSourceMask(record + 21, panel.CheckBoxMaskDInput);
  SetBit(record[23], 0, panel.CheckBoxMaskDArm);
  SetBit(record[23], 4, panel.CheckBoxMaskDDisarm);
  SetBit(record[24], 1, panel.CheckBoxMaskDPower);
  SetBit(record[24], 2, panel.CheckBoxMaskDTest);
  SetBit(record[24], 3, panel.CheckBoxMaskDGPS);

  StoreComboBits(record[25], 0, 4, panel.ComboBoxSMSTranspWaitTime);

  StoreComboBits(record[26], 0, 2, panel.ComboBoxLang);
  StoreComboBits(record[26], 2, 1, panel.ComboBoxUserId);
  SetBit(record[26], 3, panel.CheckBoxDebugMode);
  SetBit(record[26], 4, panel.CheckBoxSMSEn);

  StoreSourceMask(record + 27, panel.CheckBoxMaskSInput);
  SetBit(record[29], 0, panel.CheckBoxMaskSArm);
  SetBit(record[29], 4, panel.CheckBoxMaskSDisarm);
  SetBit(record[30], 1, panel.CheckBoxMaskSPower);
  SetBit(record[30], 2, panel.CheckBoxMaskSTest);
  SetBit(record[30], 3, panel.CheckBoxMaskSGPS);
}

void ImageToPanel(ConfigurationImage& image, int node, ConnectionPanel& panel) {
  const uint8_t* record = Record(image, node);
  panel.Label74 = NodeCaption(node);
  panel.GroupBoxConSharD = " Голосовое оповещение или вызов типа DATA ";
  panel.LabelProtocolAlias = "Протокол обмена";

  panel.MaskEditPhone = ShowText(record + 0, kPhoneSize);

  panel.ComboBoxTransportPriority = ShowComboBits(record[16], 0, 2, TransportPriorityItems());
  panel.ComboBoxGroupNum = ShowComboBits(record[16], 2, 4, GroupItems());

  panel.ComboBoxDialTranspWaitTime = ShowComboBits(record[17], 0, 4, WaitTimeItems());
  panel.ComboBoxIncomungCallAction =
      ShowComboBits(record[17], 4, 2, IncomingCallActionItems());
  // Setting the index from here is not a user change, so the hint is copied
  // explicitly; the transport priority hint keeps its text.
  OnIncomingCallActionChanged(panel);

  panel.CheckBoxNotACK = GetBit(record[19], 0);
  panel.CheckBoxCallEn = GetBit(record[19], 1);
  panel.ComboBoxOnLineTime = ShowComboBits(record[19], 2, 6, OnLineTimeItems());

  panel.ComboBoxConnectionType = ShowComboBits(record[20], 0, 2, ConnectionTypeItems());

  panel.CheckBoxMaskDInput = ShowSourceMask(record + 21);
  panel.CheckBoxMaskDArm = GetBit(record[23], 0);
  panel.CheckBoxMaskDDisarm = GetBit(record[23], 4);
  panel.CheckBoxMaskDPower = GetBit(record[24], 1);
  panel.CheckBoxMaskDTest = GetBit(record[24], 2);
  panel.CheckBoxMaskDGPS = GetBit(record[24], 3);

  panel.ComboBoxSMSTranspWaitTime = ShowComboBits(record[25], 0, 4, WaitTimeItems());

  panel.ComboBoxLang = ShowComboBits(record[26], 0, 2, LangItems());
  panel.ComboBoxUserId = ShowComboBits(record[26], 2, 1, UserIdItems());
  panel.CheckBoxDebugMode = GetBit(record[26], 3);
  panel.CheckBoxSMSEn = GetBit(record[26], 4);

  panel.CheckBoxMaskSInput = ShowSourceMask(record + 27);
  panel.CheckBoxMaskSArm = GetBit(record[29], 0);
  panel.CheckBoxMaskSDisarm = GetBit(record[29], 4);
  panel.CheckBoxMaskSPower = GetBit(record[30], 1);
  panel.CheckBoxMaskSTest = GetBit(record[30], 2);
  panel.CheckBoxMaskSGPS = GetBit(record[30], 3);
}

Controls ListControls(ConnectionPanel& panel, int /*node*/) {
  Controls controls = {
      LabelControl("Label74", panel.Label74),
      LabelControl("GroupBoxConSharD", panel.GroupBoxConSharD),
      LabelControl("LabelProtocolAlias", panel.LabelProtocolAlias),
      TextControl("MaskEditPhone", panel.MaskEditPhone),
      Reacting(ComboControl("ComboBoxTransportPriority", panel.ComboBoxTransportPriority, TransportPriorityItems()),
               [&panel] { OnTransportPriorityChanged(panel); }),
      ComboControl("ComboBoxGroupNum", panel.ComboBoxGroupNum, GroupItems()),
      ComboControl("ComboBoxDialTranspWaitTime", panel.ComboBoxDialTranspWaitTime, WaitTimeItems()),
      Reacting(ComboControl("ComboBoxIncomungCallAction", panel.ComboBoxIncomungCallAction, IncomingCallActionItems()),
               [&panel] { OnIncomingCallActionChanged(panel); }),
      CheckControl("CheckBoxNotACK", panel.CheckBoxNotACK),
      CheckControl("CheckBoxCallEn", panel.CheckBoxCallEn),
      ComboControl("ComboBoxOnLineTime", panel.ComboBoxOnLineTime, OnLineTimeItems()),
      ComboControl("ComboBoxConnectionType", panel.ComboBoxConnectionType, ConnectionTypeItems()),
  };
  AddNumbered(controls, "CheckBoxMaskDInput", panel.CheckBoxMaskDInput, ThreeStateControl);
  controls.insert(controls.end(), {
      CheckControl("CheckBoxMaskDArm", panel.CheckBoxMaskDArm),
      CheckControl("CheckBoxMaskDDisarm", panel.CheckBoxMaskDDisarm),
      CheckControl("CheckBoxMaskDPower", panel.CheckBoxMaskDPower),
      CheckControl("CheckBoxMaskDTest", panel.CheckBoxMaskDTest),
      CheckControl("CheckBoxMaskDGPS", panel.CheckBoxMaskDGPS),
      ComboControl("ComboBoxSMSTranspWaitTime", panel.ComboBoxSMSTranspWaitTime, WaitTimeItems()),
      ComboControl("ComboBoxLang", panel.ComboBoxLang, LangItems()),
      ComboControl("ComboBoxUserId", panel.ComboBoxUserId, UserIdItems()),
      CheckControl("CheckBoxDebugMode", panel.CheckBoxDebugMode),
      CheckControl("CheckBoxSMSEn", panel.CheckBoxSMSEn),
  });
  AddNumbered(controls, "CheckBoxMaskSInput", panel.CheckBoxMaskSInput, ThreeStateControl);
  controls.insert(controls.end(), {
      CheckControl("CheckBoxMaskSArm", panel.CheckBoxMaskSArm),
      CheckControl("CheckBoxMaskSDisarm", panel.CheckBoxMaskSDisarm),
      CheckControl("CheckBoxMaskSPower", panel.CheckBoxMaskSPower),
      CheckControl("CheckBoxMaskSTest", panel.CheckBoxMaskSTest),
      CheckControl("CheckBoxMaskSGPS", panel.CheckBoxMaskSGPS),
  });
  return controls;
}

}  // namespace vkm
