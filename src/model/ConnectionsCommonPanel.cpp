#include "model/ConnectionsCommonPanel.h"

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

// Stored value = pause in seconds / 10.
const Items& PauseItems() {
  static const Items items = {"0", "10", "20", "30", "40", "50", "60", "70"};
  return items;
}

const Items& DialPriorityItems() {
  static const Items items = {
      "Чередование от 1 до 8 по кольцу, без приоритета.",
      "Приоритет у соединения с меньшим номером.",
      "Приоритет у текущего соединения, до полной передачи.",
      "Приоритет у текущего соединения, до первой неудачи.",
  };
  return items;
}

// Stored value = minutes / 2; 0 means no limit.
const Items& OutdatedMsgTimeItems() {
  static const Items items = [] {
    Items list = {"---"};
    for (int k = 1; k <= 15; ++k) list.push_back(std::to_string(2 * k) + " Min.");
    return list;
  }();
  return items;
}

const Items& DataProtocolItems() {
  static const Items items = {"V.32 (9600 bps)", "V.110 (9600 bps)"};
  return items;
}

// Shown once the administrative password box has been checked.
const std::string& SysPasswordWarning() {
  static const std::string text =
      "Административный пароль необходим для использования расширенного набора команд через SMS, а так же для "
      "защиты конфигурации устройства от модификации. После процедуры установки, запись и чтение конфигурации "
      "будут невозможны, без указания этого пароля. Действие нового пароля начнется с момента повторного запуска "
      "конфигуратора. Будьте внимательны, в случае утраты пароля его отмена возможна с помощью длительной "
      "процедуры, около 30 минут, при этом ранее настроенная конфигурация будет очищена, все параметры сбросятся к "
      "заводским. Этот пароль не сохраняется в файле конфигурации его нужно будет вводить при каждом запуске "
      "программы.";
  return text;
}

}  // namespace

void OnSysPasswordClicked(ConnectionsCommonPanel& panel) {
  if (panel.CheckBoxSysPassword) panel.LabelSharedParWarningMsg = SysPasswordWarning();
}

void PanelToImage(ConnectionsCommonPanel& panel, int /*node*/, ConfigurationImage& image) {
  // A password the user has not asked to use must not lock the controller.
  if (!panel.CheckBoxSysPassword) panel.MaskEditSysPassword.clear();

  uint8_t& flags = image[kConnectionsCommonOffset];
  StoreComboBits(flags, 0, 3, panel.ComboBoxCall2CallPauseX10S);
  SetBit(flags, 3, panel.CheckBoxACK);
  SetBit(flags, 4, panel.CheckBoxControlOnlyList);
  SetBit(flags, 5, panel.CheckBoxDTMFControlOnlyList);
  StoreComboBits(flags, 6, 2, panel.ComboBoxDialPriority);

  uint8_t& sms = image[kConnectionsCommonOffset + 1];
  StoreComboBits(sms, 0, 4, panel.ComboBoxOutdatedMsgTime);
  StoreComboBits(sms, 4, 1, panel.ComboBoxDATAProtocol);

  StoreText(&image[kAdminPasswordOffset], kAdminPasswordSize, Trim(panel.MaskEditSysPassword));
  StoreText(&image[kDtmfPasswordOffset], kDtmfPasswordSize, Trim(panel.MaskEditDTMFPass));
  StoreText(&image[kSmsPasswordOffset], kSmsPasswordSize, Trim(panel.MaskEditPassword));
}

void ImageToPanel(ConfigurationImage& image, int node, ConnectionsCommonPanel& panel) {
  panel.Label15 = NodeCaption(node);
  // The box keeps the user's choice; only its consequences are applied.
  OnSysPasswordClicked(panel);

  const uint8_t flags = image[kConnectionsCommonOffset];
  panel.ComboBoxCall2CallPauseX10S = ShowComboBits(flags, 0, 3, PauseItems());
  panel.CheckBoxACK = GetBit(flags, 3);
  panel.CheckBoxControlOnlyList = GetBit(flags, 4);
  panel.CheckBoxDTMFControlOnlyList = GetBit(flags, 5);
  panel.ComboBoxDialPriority = ShowComboBits(flags, 6, 2, DialPriorityItems());

  const uint8_t sms = image[kConnectionsCommonOffset + 1];
  panel.ComboBoxOutdatedMsgTime = ShowComboBits(sms, 0, 4, OutdatedMsgTimeItems());
  panel.ComboBoxDATAProtocol = ShowComboBits(sms, 4, 1, DataProtocolItems());

  panel.MaskEditSysPassword = ShowText(&image[kAdminPasswordOffset], kAdminPasswordSize);
  panel.MaskEditDTMFPass = ShowText(&image[kDtmfPasswordOffset], kDtmfPasswordSize);
  panel.MaskEditPassword = ShowText(&image[kSmsPasswordOffset], kSmsPasswordSize);
}

Controls ListControls(ConnectionsCommonPanel& panel, int /*node*/) {
  ControlRef sysPasswordBox = Reacting(CheckControl("CheckBoxSysPassword", panel.CheckBoxSysPassword),
                                       [&panel] { OnSysPasswordClicked(panel); });
  sysPasswordBox.shown = false;
  return {
      LabelControl("Label15", panel.Label15),
      ComboControl("ComboBoxCall2CallPauseX10S", panel.ComboBoxCall2CallPauseX10S, PauseItems()),
      CheckControl("CheckBoxACK", panel.CheckBoxACK),
      CheckControl("CheckBoxControlOnlyList", panel.CheckBoxControlOnlyList),
      CheckControl("CheckBoxDTMFControlOnlyList", panel.CheckBoxDTMFControlOnlyList),
      ComboControl("ComboBoxDialPriority", panel.ComboBoxDialPriority, DialPriorityItems()),
      ComboControl("ComboBoxOutdatedMsgTime", panel.ComboBoxOutdatedMsgTime, OutdatedMsgTimeItems()),
      ComboControl("ComboBoxDATAProtocol", panel.ComboBoxDATAProtocol, DataProtocolItems()),
      sysPasswordBox,
      TextControl("MaskEditSysPassword", panel.MaskEditSysPassword),
      TextControl("MaskEditDTMFPass", panel.MaskEditDTMFPass),
      TextControl("MaskEditPassword", panel.MaskEditPassword),
      LabelControl("LabelSharedParWarningMsg", panel.LabelSharedParWarningMsg),
  };
}

}  // namespace vkm
