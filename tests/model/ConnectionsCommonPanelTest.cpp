#include "model/ConnectionsCommonPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;
using test::Span;

constexpr const char* kWarning =
    "Административный пароль необходим для использования расширенного набора команд через SMS, а так же для "
    "защиты конфигурации устройства от модификации. После процедуры установки, запись и чтение конфигурации "
    "будут невозможны, без указания этого пароля. Действие нового пароля начнется с момента повторного запуска "
    "конфигуратора. Будьте внимательны, в случае утраты пароля его отмена возможна с помощью длительной "
    "процедуры, около 30 минут, при этом ранее настроенная конфигурация будет очищена, все параметры сбросятся к "
    "заводским. Этот пароль не сохраняется в файле конфигурации его нужно будет вводить при каждом запуске "
    "программы.";

bool FieldIs(const ConfigurationImage& image, std::size_t offset, const char* bytes, std::size_t size) {
  return std::memcmp(&image[offset], bytes, size) == 0;
}

TEST(ConnectionsCommonPanel, FactoryImageShowsFactorySettings) {
  ConfigurationImage image = FactoryImage();
  ConnectionsCommonPanel panel;
  ImageToPanel(image, kNodeConnectionsCommon, panel);
  EXPECT_EQ(panel.Label15, "Общие параметры соединений");
  EXPECT_EQ(panel.ComboBoxCall2CallPauseX10S, 1);  // 10 s
  EXPECT_TRUE(panel.CheckBoxACK);
  EXPECT_TRUE(panel.CheckBoxControlOnlyList);
  EXPECT_TRUE(panel.CheckBoxDTMFControlOnlyList);
  EXPECT_EQ(panel.ComboBoxDialPriority, 0);
  EXPECT_EQ(panel.ComboBoxOutdatedMsgTime, 15);  // 30 min
  EXPECT_EQ(panel.ComboBoxDATAProtocol, 1);      // V.110
  EXPECT_EQ(panel.MaskEditSysPassword, "");
  EXPECT_EQ(panel.MaskEditDTMFPass, "7029");
  EXPECT_EQ(panel.MaskEditPassword, "mirk");
  EXPECT_FALSE(panel.CheckBoxSysPassword);
  EXPECT_EQ(panel.LabelSharedParWarningMsg, "");
  EXPECT_EQ(image, FactoryImage());
}

// Each control lands in its own bits of bytes 124 and 125; bits 5..7 of
// byte 125 belong to no control and keep what the image held.
TEST(ConnectionsCommonPanel, StoresFlagBitsAndKeepsUnnamedBits) {
  struct Case {
    int pause;
    bool ack, smsList, dtmfList;
    int priority, outdated, protocol;
    uint8_t before125;
    uint8_t expect124, expect125;
  };
  const Case cases[] = {
      {0, false, false, false, 0, 0, 0, 0x00, 0x00, 0x00},
      {7, false, false, false, 0, 0, 0, 0x00, 0x07, 0x00},
      {0, true, false, false, 0, 0, 0, 0x00, 0x08, 0x00},
      {0, false, true, false, 0, 0, 0, 0x00, 0x10, 0x00},
      {0, false, false, true, 0, 0, 0, 0x00, 0x20, 0x00},
      {0, false, false, false, 3, 0, 0, 0x00, 0xC0, 0x00},
      {0, false, false, false, 2, 1, 0, 0x00, 0x80, 0x01},
      {0, false, false, false, 0, 15, 0, 0x00, 0x00, 0x0F},
      {0, false, false, false, 0, 0, 1, 0x00, 0x00, 0x10},
      {3, true, true, true, 1, 7, 1, 0xE0, 0x7B, 0xF7},
      {0, false, false, false, 0, 0, 0, 0xFF, 0x00, 0xE0},
      // No selection stores the field's all-ones value.
      {-1, false, false, false, -1, -1, -1, 0x00, 0xC7, 0x1F},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    image[125] = c.before125;
    ConnectionsCommonPanel panel;
    panel.ComboBoxCall2CallPauseX10S = c.pause;
    panel.CheckBoxACK = c.ack;
    panel.CheckBoxControlOnlyList = c.smsList;
    panel.CheckBoxDTMFControlOnlyList = c.dtmfList;
    panel.ComboBoxDialPriority = c.priority;
    panel.ComboBoxOutdatedMsgTime = c.outdated;
    panel.ComboBoxDATAProtocol = c.protocol;
    PanelToImage(panel, kNodeConnectionsCommon, image);
    EXPECT_EQ(image[124], c.expect124) << "pause " << c.pause << " priority " << c.priority;
    EXPECT_EQ(image[125], c.expect125) << "outdated " << c.outdated << " protocol " << c.protocol;
  }
}

TEST(ConnectionsCommonPanel, StoringWritesOnlyItsBytes) {
  const ConfigurationImage before = FilledImage(0xAA);
  ConfigurationImage image = before;
  ConnectionsCommonPanel panel;
  panel.ComboBoxCall2CallPauseX10S = 1;
  panel.ComboBoxDialPriority = 0;
  panel.ComboBoxOutdatedMsgTime = 15;
  panel.ComboBoxDATAProtocol = 1;
  PanelToImage(panel, kNodeConnectionsCommon, image);
  std::set<std::size_t> allowed = Span(124, 125);
  for (std::size_t offset : Span(132, 154)) allowed.insert(offset);
  for (std::size_t offset : ChangedOffsets(before, image)) {
    EXPECT_TRUE(allowed.count(offset)) << "offset " << offset;
  }
  EXPECT_EQ(image[125] & 0xE0, 0xA0);  // bits 5..7 kept
}

TEST(ConnectionsCommonPanel, PasswordsAreTrimmedAndCutToTheirFields) {
  struct Case {
    const char* typed;
    const char* stored;  // DTMF field, 5 bytes
  };
  const Case dtmf[] = {
      {"7029", "7029\0"},
      {"12", "12\0\0\0"},    // fewer digits: NUL-padded
      {"12  ", "12\0\0\0"},  // pad blanks of the mask are not stored
      {"", "\0\0\0\0\0"},
      {"123456", "1234\0"},
  };
  for (const Case& c : dtmf) {
    ConfigurationImage image = FilledImage(0xAA);
    ConnectionsCommonPanel panel;
    panel.MaskEditDTMFPass = c.typed;
    PanelToImage(panel, kNodeConnectionsCommon, image);
    EXPECT_TRUE(FieldIs(image, 141, c.stored, 5)) << '"' << c.typed << '"';
  }

  ConfigurationImage image = FilledImage(0xAA);
  ConnectionsCommonPanel panel;
  panel.CheckBoxSysPassword = true;
  panel.MaskEditSysPassword = " adm1 ";
  panel.MaskEditPassword = "abcdefghij";
  PanelToImage(panel, kNodeConnectionsCommon, image);
  EXPECT_TRUE(FieldIs(image, 132, "adm1\0\0\0\0\0", 9));
  EXPECT_TRUE(FieldIs(image, 146, "abcdefgh\0", 9));
}

TEST(ConnectionsCommonPanel, LeavingWithTheBoxClearErasesTheAdministrativePassword) {
  ConfigurationImage image = FactoryImage();
  std::memcpy(&image[132], "secret12", 8);
  ConnectionsCommonPanel panel;
  ImageToPanel(image, kNodeConnectionsCommon, panel);
  EXPECT_EQ(panel.MaskEditSysPassword, "secret12");  // shown though the box is clear
  EXPECT_FALSE(panel.CheckBoxSysPassword);

  PanelToImage(panel, kNodeConnectionsCommon, image);
  EXPECT_EQ(panel.MaskEditSysPassword, "");
  EXPECT_TRUE(std::all_of(&image[132], &image[141], [](uint8_t b) { return b == 0; }));
  // The other passwords are unaffected.
  EXPECT_TRUE(FieldIs(image, 141, "7029\0", 5));
  EXPECT_TRUE(FieldIs(image, 146, "mirk\0\0\0\0\0", 9));
}

TEST(ConnectionsCommonPanel, SetPasswordSurvivesARoundTripOnlyWithTheBoxChecked) {
  for (bool checked : {true, false}) {
    ConfigurationImage image = FactoryImage();
    std::memcpy(&image[132], "Pass77", 6);
    const ConfigurationImage before = image;
    ConnectionsCommonPanel panel;
    panel.CheckBoxSysPassword = checked;
    ImageToPanel(image, kNodeConnectionsCommon, panel);
    EXPECT_EQ(panel.CheckBoxSysPassword, checked);  // not taken from the image
    PanelToImage(panel, kNodeConnectionsCommon, image);
    if (checked) {
      EXPECT_EQ(image, before);
    } else {
      EXPECT_EQ(ChangedOffsets(before, image), Span(132, 137));
    }
  }
}

TEST(ConnectionsCommonPanel, FactoryRoundTripKeepsTheImage) {
  ConfigurationImage image = FactoryImage();
  ConnectionsCommonPanel panel;
  panel.CheckBoxSysPassword = true;
  ImageToPanel(image, kNodeConnectionsCommon, panel);
  PanelToImage(panel, kNodeConnectionsCommon, image);
  EXPECT_EQ(image, FactoryImage());
}

TEST(ConnectionsCommonPanel, CheckingTheBoxShowsTheWarningAndClearingKeepsIt) {
  ConnectionsCommonPanel panel;
  OnSysPasswordClicked(panel);
  EXPECT_EQ(panel.LabelSharedParWarningMsg, "");

  panel.CheckBoxSysPassword = true;
  OnSysPasswordClicked(panel);
  EXPECT_EQ(panel.LabelSharedParWarningMsg, kWarning);

  panel.CheckBoxSysPassword = false;
  OnSysPasswordClicked(panel);
  EXPECT_EQ(panel.LabelSharedParWarningMsg, kWarning);
}

TEST(ConnectionsCommonPanel, FillingAppliesTheBoxState) {
  ConfigurationImage image = FactoryImage();
  ConnectionsCommonPanel clear;
  ImageToPanel(image, kNodeConnectionsCommon, clear);
  EXPECT_EQ(clear.LabelSharedParWarningMsg, "");

  ConnectionsCommonPanel checked;
  checked.CheckBoxSysPassword = true;
  ImageToPanel(image, kNodeConnectionsCommon, checked);
  EXPECT_TRUE(checked.CheckBoxSysPassword);
  EXPECT_EQ(checked.LabelSharedParWarningMsg, kWarning);
}

TEST(ConnectionsCommonPanel, ListsItsControlsWithTheirItems) {
  ConnectionsCommonPanel panel;
  const Controls controls = ListControls(panel, kNodeConnectionsCommon);
  auto find = [&](const std::string& name) -> const ControlRef& { return test::FindControl(controls, name); };
  struct Combo {
    const char* name;
    std::size_t count;
    const char* first;
    const char* last;
  };
  const Combo combos[] = {
      {"ComboBoxCall2CallPauseX10S", 8, "0", "70"},
      {"ComboBoxDialPriority", 4, "Чередование от 1 до 8 по кольцу, без приоритета.",
       "Приоритет у текущего соединения, до первой неудачи."},
      {"ComboBoxOutdatedMsgTime", 16, "---", "30 Min."},
      {"ComboBoxDATAProtocol", 2, "V.32 (9600 bps)", "V.110 (9600 bps)"},
  };
  for (const Combo& c : combos) {
    const ControlRef& control = find(c.name);
    ASSERT_EQ(control.kind, ControlKind::ComboIndex) << c.name;
    ASSERT_EQ(control.items->size(), c.count) << c.name;
    EXPECT_EQ(control.items->front(), c.first);
    EXPECT_EQ(control.items->back(), c.last);
  }
  EXPECT_EQ((*find("ComboBoxOutdatedMsgTime").items)[1], "2 Min.");
  EXPECT_EQ((*find("ComboBoxDialPriority").items)[1], "Приоритет у соединения с меньшим номером.");
  EXPECT_EQ((*find("ComboBoxDialPriority").items)[2], "Приоритет у текущего соединения, до полной передачи.");

  const ControlRef& box = find("CheckBoxSysPassword");
  EXPECT_FALSE(box.shown);
  EXPECT_EQ(std::get<bool*>(box.field), &panel.CheckBoxSysPassword);
  for (const char* name : {"Label15", "MaskEditSysPassword", "MaskEditDTMFPass", "MaskEditPassword",
                           "LabelSharedParWarningMsg", "CheckBoxACK", "CheckBoxControlOnlyList",
                           "CheckBoxDTMFControlOnlyList"}) {
    EXPECT_TRUE(find(name).shown) << name;
  }
  EXPECT_EQ(controls.size(), 13u);
}

}  // namespace
}  // namespace vkm
