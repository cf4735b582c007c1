#include "model/GprsCommonPanel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;
using test::Span;

constexpr int kAlways = 0;
constexpr int kPeriodic = 1;
constexpr int kOnEvent = 2;

// A panel as the factory image shows it, to be edited by each case.
GprsCommonPanel FactoryPanel() {
  ConfigurationImage image = FactoryImage();
  GprsCommonPanel panel;
  ImageToPanel(image, kNodeGprsCommon, panel);
  return panel;
}

TEST(GprsCommonPanel, FactoryImageShowsAlwaysConnected) {
  const GprsCommonPanel panel = FactoryPanel();
  EXPECT_EQ(panel.EditAPN, "");
  EXPECT_EQ(panel.EditGPRSUserName, "");
  EXPECT_EQ(panel.MaskEditDNS1, "0.0.0.0");
  EXPECT_EQ(panel.MaskEditDNS2, "0.0.0.0");
  EXPECT_EQ(panel.ComboBoxGPRSConnectionStrategy, kAlways);
  EXPECT_EQ(panel.MaskEditConnectingPeriod_x5m, "5 Мин.");  // 0xFF would show 1275; the handler resets it
  EXPECT_EQ(panel.ComboBoxConnectingTryNum, 2);             // "3"
  EXPECT_EQ(panel.ComboBoxPingPeriod_min, 2);               // "3 Мин."
  EXPECT_EQ(panel.MaskEditBlockTimeAtConnFault_min, "15 Мин.");
  EXPECT_EQ(panel.ComboBoxOnlineTime_min, 0);  // always connected: first item
  EXPECT_EQ(panel.ComboBoxGPRSTranspWaitTime, 9);  // "10 Min."
  for (TriState box : panel.CheckBoxMaskGInput) EXPECT_EQ(box, TriState::Unchecked);
  EXPECT_FALSE(panel.CheckBoxMaskGArm);
  EXPECT_FALSE(panel.CheckBoxMaskG_GPS);
}

TEST(GprsCommonPanel, TextsKeepTheTailAfterTheirTerminator) {
  ConfigurationImage image = FilledImage(0xAA);
  GprsCommonPanel panel = FactoryPanel();
  panel.EditAPN = " internet ";                       // untrimmed
  panel.EditGPRSUserName = std::string(20, 'u');     // cut to 16
  panel.EditGPRSPassword = "пароль";                  // one byte per character
  panel.MaskEditDNS1 = "192.168.  1. 10";
  panel.MaskEditDNS2 = "999.8.7.6";
  PanelToImage(panel, kNodeGprsCommon, image);

  EXPECT_EQ(std::memcmp(&image[2072], " internet \0", 11), 0);
  EXPECT_EQ(image[2083], 0xAA);
  EXPECT_EQ(image[2104], 0xAA);
  EXPECT_EQ(std::memcmp(&image[2105], std::string(16, 'u').c_str(), 16), 0);
  EXPECT_EQ(image[2121], 0);
  const uint8_t password[] = {0xEF, 0xE0, 0xF0, 0xEE, 0xEB, 0xFC, 0x00, 0xAA};
  EXPECT_EQ(std::memcmp(&image[2122], password, sizeof password), 0);
  const uint8_t dns[] = {10, 1, 168, 192, 6, 7, 8, 255};
  EXPECT_EQ(std::memcmp(&image[2140], dns, sizeof dns), 0);
  EXPECT_EQ(image[2139], 0xAA);  // reserved

  ImageToPanel(image, kNodeGprsCommon, panel);
  EXPECT_EQ(panel.EditAPN, " internet ");
  EXPECT_EQ(panel.EditGPRSPassword, "пароль");
  EXPECT_EQ(panel.MaskEditDNS1, "192.168.1.10");
}

TEST(GprsCommonPanel, ThirtyTwoCharacterApnFillsItsField) {
  ConfigurationImage image = FilledImage(0xAA);
  GprsCommonPanel panel = FactoryPanel();
  panel.EditAPN = std::string(40, 'a');
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(std::memcmp(&image[2072], std::string(32, 'a').c_str(), 32), 0);
  EXPECT_EQ(image[2104], 0);
  ImageToPanel(image, kNodeGprsCommon, panel);
  EXPECT_EQ(panel.EditAPN, std::string(32, 'a'));
}

TEST(GprsCommonPanel, PeriodAndBlockTimeAreStoredInFiveMinuteUnits) {
  struct Case {
    const char* typed;
    uint8_t stored;
    const char* shown;
  };
  const Case cases[] = {
      {"7 Мин.", 1, "5 Мин."},         {"1264 Мин.", 252, "1260 Мин."}, {"3 Мин.", 1, "5 Мин."},
      {"15 Мин.", 3, "15 Мин."},       {" 60 Мин. ", 12, "60 Мин."},   {"", 1, "5 Мин."},
      {"9999 Мин.", 252, "1260 Мин."}, {"1259", 251, "1255 Мин."},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    GprsCommonPanel panel = FactoryPanel();
    panel.ComboBoxGPRSConnectionStrategy = kPeriodic;
    panel.MaskEditConnectingPeriod_x5m = c.typed;
    panel.MaskEditBlockTimeAtConnFault_min = c.typed;
    PanelToImage(panel, kNodeGprsCommon, image);
    EXPECT_EQ(image[2152], c.stored) << c.typed;
    EXPECT_EQ(image[2154], c.stored) << c.typed;
    ImageToPanel(image, kNodeGprsCommon, panel);
    EXPECT_EQ(panel.ComboBoxGPRSConnectionStrategy, kPeriodic) << c.typed;
    EXPECT_EQ(panel.MaskEditConnectingPeriod_x5m, c.shown) << c.typed;
    EXPECT_EQ(panel.MaskEditBlockTimeAtConnFault_min, c.shown) << c.typed;
  }
}

TEST(GprsCommonPanel, StrategyDecidesPeriodAndOnlineTime) {
  struct Case {
    int strategy;
    uint8_t period;       // byte 2152
    uint8_t onlineTime;   // byte 2155, bits 5..7 from the filled image
  };
  // Online index 7 and period "100 Мин." in every case; ping index 4 (5 minutes).
  const Case cases[] = {
      {kAlways, 0xFF, 0xA0 | 30},  // the period text stays out; online time forced to 30
      {kOnEvent, 0x00, 0xA0 | 7},
      {kPeriodic, 20, 0xA0 | 7},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FilledImage(0xAA);
    GprsCommonPanel panel = FactoryPanel();
    panel.ComboBoxGPRSConnectionStrategy = c.strategy;
    panel.MaskEditConnectingPeriod_x5m = "100 Мин.";
    panel.ComboBoxOnlineTime_min = 7;
    panel.ComboBoxPingPeriod_min = 4;
    panel.ComboBoxConnectingTryNum = 0;
    PanelToImage(panel, kNodeGprsCommon, image);
    EXPECT_EQ(image[2152], c.period) << c.strategy;
    EXPECT_EQ(image[2153], (5 << 3) | 1) << c.strategy;
    EXPECT_EQ(image[2155], c.onlineTime) << c.strategy;
  }
}

TEST(GprsCommonPanel, StoredPeriodByteSelectsTheStrategy) {
  struct Case {
    uint8_t period;
    int strategy;
    const char* shown;
    int onlineIndex;  // byte 2155 holds 7
  };
  const Case cases[] = {
      {0xFF, kAlways, "5 Мин.", 0},      {0x00, kOnEvent, "5 Мин.", 7},  {1, kPeriodic, "5 Мин.", 7},
      {12, kPeriodic, "60 Мин.", 7},     {252, kPeriodic, "1260 Мин.", 7},
      {253, kPeriodic, "1260 Мин.", 7},  // 1265 shown, then pulled back into range
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    image[2152] = c.period;
    image[2155] = 7;
    GprsCommonPanel panel;
    ImageToPanel(image, kNodeGprsCommon, panel);
    EXPECT_EQ(panel.ComboBoxGPRSConnectionStrategy, c.strategy) << int{c.period};
    EXPECT_EQ(panel.MaskEditConnectingPeriod_x5m, c.shown) << int{c.period};
    EXPECT_EQ(panel.ComboBoxOnlineTime_min, c.onlineIndex) << int{c.period};
  }
}

TEST(GprsCommonPanel, AttemptsAndPingShareOneByte) {
  struct Case {
    uint8_t stored;
    int attempts;
    int ping;
  };
  const Case cases[] = {
      {0x1B, 2, 2},   // 3 attempts, 3 minutes
      {0x00, 0, 0},   // no item for zero: first items
      {0x08, 0, 0},   // 0 attempts, ping 1
      {0xF7, 6, 29},  // 7 attempts, 30 minutes
      {0xFF, 6, -1},  // ping 31 has no item
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    image[2153] = c.stored;
    GprsCommonPanel panel;
    ImageToPanel(image, kNodeGprsCommon, panel);
    EXPECT_EQ(panel.ComboBoxConnectingTryNum, c.attempts) << int{c.stored};
    EXPECT_EQ(panel.ComboBoxPingPeriod_min, c.ping) << int{c.stored};
  }

  ConfigurationImage image = FactoryImage();
  GprsCommonPanel panel = FactoryPanel();
  panel.ComboBoxConnectingTryNum = 6;
  panel.ComboBoxPingPeriod_min = 29;
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image[2153], 0xF7);
  panel.ComboBoxPingPeriod_min = -1;  // index + 1 of no selection
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image[2153], 0x07);
}

TEST(GprsCommonPanel, OnlineTimeWithoutItemIsStoredAsAllOnes) {
  ConfigurationImage image = FactoryImage();
  image[2152] = 0;     // on event: the online time is shown as stored
  image[2155] = 0x5F;  // 31 minutes, bits 5..7 = 010
  GprsCommonPanel panel;
  ImageToPanel(image, kNodeGprsCommon, panel);
  EXPECT_EQ(panel.ComboBoxOnlineTime_min, -1);
  image[2155] = 0x40;
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image[2155], 0x5F);
}

TEST(GprsCommonPanel, WaitTimeWritesOnlyTheHighNibbleOfServer1) {
  ConfigurationImage image = FactoryImage();
  image[2196] = 0x97;  // wait time 10 min, server 1 enabled, bits 1..2 set
  image[2240] = 0x9E;
  image[2284] = 0x5A;
  const ConfigurationImage before = image;
  GprsCommonPanel panel;
  ImageToPanel(image, kNodeGprsCommon, panel);
  EXPECT_EQ(panel.ComboBoxGPRSTranspWaitTime, 9);
  panel.ComboBoxGPRSTranspWaitTime = 0;  // "1 Min."
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image[2196], 0x07);
  EXPECT_EQ(image[2240], 0x9E);
  EXPECT_EQ(image[2284], 0x5A);
  panel.ComboBoxGPRSTranspWaitTime = 15;
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image[2196], 0xF7);
  std::set<std::size_t> allowed = Span(2072, 2155);
  allowed.insert(2196);
  for (std::size_t offset : ChangedOffsets(before, image)) EXPECT_TRUE(allowed.count(offset)) << offset;
}

TEST(GprsCommonPanel, EventMasksAndFlagsWriteOnlyTheirBits) {
  GprsCommonPanel panel = FactoryPanel();
  panel.CheckBoxMaskGInput = {TriState::Checked, TriState::Unchecked, TriState::Grayed, TriState::Unchecked,
                              TriState::Unchecked, TriState::Unchecked, TriState::Checked};
  panel.CheckBoxMaskGArm = true;
  panel.CheckBoxMaskGDisarm = true;
  panel.CheckBoxMaskGPwrBlcTermo = true;
  panel.CheckBoxMaskGTestSys = true;
  panel.CheckBoxMaskG_GPS = true;
  ConfigurationImage image = FilledImage(0x00);
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image[2148], 0x45);
  EXPECT_EQ(image[2149], 0x41);
  EXPECT_EQ(image[2150], 0x11);
  EXPECT_EQ(image[2151], 0x0E);

  GprsCommonPanel shown;
  ImageToPanel(image, kNodeGprsCommon, shown);
  EXPECT_EQ(shown.CheckBoxMaskGInput, panel.CheckBoxMaskGInput);
  EXPECT_TRUE(shown.CheckBoxMaskGDisarm);
  EXPECT_TRUE(shown.CheckBoxMaskGTestSys);

  panel = FactoryPanel();  // everything clear
  image = FilledImage(0xFF);
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image[2148], 0x00);
  EXPECT_EQ(image[2149], 0x00);
  EXPECT_EQ(image[2150], 0xEE);
  EXPECT_EQ(image[2151], 0xF1);
}

TEST(GprsCommonPanel, StrategyChangeCorrectsThePeriod) {
  struct Case {
    int strategy;
    const char* period;
    const char* periodAfter;
    int onlineAfter;  // online index 7 before
  };
  const Case cases[] = {
      {kPeriodic, "1270 Мин.", "1260 Мин.", 7}, {kPeriodic, "3 Мин.", "5 Мин.", 7},
      {kPeriodic, "1264 Мин.", "1264 Мин.", 7}, {kPeriodic, "  40 Мин.", "  40 Мин.", 7},
      {kPeriodic, "", "5 Мин.", 7},             {-1, "0 Мин.", "5 Мин.", 7},
      {kAlways, "100 Мин.", "5 Мин.", 0},       {kOnEvent, "100 Мин.", "5 Мин.", 7},
  };
  for (const Case& c : cases) {
    GprsCommonPanel panel;
    panel.ComboBoxGPRSConnectionStrategy = c.strategy;
    panel.MaskEditConnectingPeriod_x5m = c.period;
    panel.ComboBoxOnlineTime_min = 7;
    OnConnectionStrategyChanged(panel);
    EXPECT_EQ(panel.MaskEditConnectingPeriod_x5m, c.periodAfter) << c.strategy << " " << c.period;
    EXPECT_EQ(panel.ComboBoxOnlineTime_min, c.onlineAfter) << c.strategy << " " << c.period;
  }
}

TEST(GprsCommonPanel, StrategyDecidesWhichControlsAreEnabled) {
  GprsCommonPanel panel;
  const struct {
    int strategy;
    bool period;
    bool online;
  } cases[] = {{kAlways, false, false}, {kPeriodic, true, true}, {kOnEvent, false, true}, {-1, true, true}};
  for (const auto& c : cases) {
    panel.ComboBoxGPRSConnectionStrategy = c.strategy;
    EXPECT_EQ(ConnectingPeriodEnabled(panel), c.period) << c.strategy;
    EXPECT_EQ(OnlineTimeEnabled(panel), c.online) << c.strategy;
  }
}

TEST(GprsCommonPanel, DefaultsButtonKeepsOtherUnsavedEdits) {
  ConfigurationDocument document;
  document.image[2152] = 40;
  document.image[2153] = 0x3F;
  document.image[2154] = 100;
  document.image[2155] = 0x1F;
  GprsCommonPanel panel;
  ImageToPanel(document.image, kNodeGprsCommon, panel);
  const ConfigurationImage before = document.image;

  panel.EditAPN = "my.apn";  // unsaved edits
  panel.MaskEditDNS2 = "8.8.4.4";
  panel.CheckBoxMaskGArm = true;
  panel.ComboBoxGPRSTranspWaitTime = 2;
  panel.ComboBoxGPRSConnectionStrategy = kOnEvent;
  panel.ComboBoxPingPeriod_min = 20;
  RestoreGprsDefaults(panel, document);

  EXPECT_EQ(document.image[2152], 0xFF);
  EXPECT_EQ(document.image[2153], 0x1B);
  EXPECT_EQ(document.image[2154], 0x03);
  EXPECT_EQ(document.image[2155], 0x03);
  EXPECT_EQ(panel.EditAPN, "my.apn");
  EXPECT_EQ(panel.MaskEditDNS2, "8.8.4.4");
  EXPECT_TRUE(panel.CheckBoxMaskGArm);
  EXPECT_EQ(panel.ComboBoxGPRSTranspWaitTime, 2);
  EXPECT_EQ(panel.ComboBoxGPRSConnectionStrategy, kAlways);
  EXPECT_EQ(panel.ComboBoxConnectingTryNum, 2);
  EXPECT_EQ(panel.ComboBoxPingPeriod_min, 2);
  EXPECT_EQ(panel.MaskEditBlockTimeAtConnFault_min, "15 Мин.");
  EXPECT_EQ(panel.MaskEditConnectingPeriod_x5m, "5 Мин.");
  // The edits went into the image too; nothing outside the section moved.
  EXPECT_EQ(std::memcmp(&document.image[2072], "my.apn\0", 7), 0);
  EXPECT_EQ(document.image[2150], 0x01);
  EXPECT_EQ(document.image[2196], 0x20);
  std::set<std::size_t> allowed = Span(2072, 2155);
  allowed.insert(2196);
  for (std::size_t offset : ChangedOffsets(before, document.image)) EXPECT_TRUE(allowed.count(offset)) << offset;
}

TEST(GprsCommonPanel, RoundTripKeepsTheImage) {
  // Always connected: the stored online time becomes 30, whatever the
  // factory put there; after that the round trip is stable.
  ConfigurationImage image = FactoryImage();
  GprsCommonPanel panel;
  ImageToPanel(image, kNodeGprsCommon, panel);
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(ChangedOffsets(FactoryImage(), image), std::set<std::size_t>{2155});
  EXPECT_EQ(image[2155], 30);
  const ConfigurationImage settled = image;
  ImageToPanel(image, kNodeGprsCommon, panel);
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image, settled);

  // Every field set, periodic strategy.
  image = FilledImage(0x5C);
  std::memcpy(&image[2072], "apn.example\0", 12);
  std::memcpy(&image[2105], "user\0", 5);
  std::memcpy(&image[2122], "secret\0", 7);
  const uint8_t fields[] = {0x45, 0x41, 0x11, 0x0E, 12, 0xF7, 7, 0xA5};
  std::memcpy(&image[2148], fields, sizeof fields);
  const ConfigurationImage before = image;
  ImageToPanel(image, kNodeGprsCommon, panel);
  EXPECT_EQ(panel.ComboBoxGPRSTranspWaitTime, 5);
  PanelToImage(panel, kNodeGprsCommon, image);
  EXPECT_EQ(image, before);
}

TEST(GprsCommonPanel, ListsEveryControlWithItsNodeList) {
  GprsCommonPanel panel;
  const Controls controls = ListControls(panel, kNodeGprsCommon);
  std::vector<std::string> names;
  for (const ControlRef& control : controls) names.push_back(control.name);
  const std::vector<std::string> expected = {
      "EditAPN", "EditGPRSUserName", "EditGPRSPassword", "MaskEditDNS1", "MaskEditDNS2",
      "CheckBoxMaskGInput1", "CheckBoxMaskGInput2", "CheckBoxMaskGInput3", "CheckBoxMaskGInput4",
      "CheckBoxMaskGInput5", "CheckBoxMaskGInput6", "CheckBoxMaskGInput7", "CheckBoxMaskGArm",
      "CheckBoxMaskGDisarm", "CheckBoxMaskGPwrBlcTermo", "CheckBoxMaskGTestSys", "CheckBoxMaskG_GPS",
      "ComboBoxGPRSConnectionStrategy", "MaskEditConnectingPeriod_x5m", "ComboBoxConnectingTryNum",
      "ComboBoxPingPeriod_min", "MaskEditBlockTimeAtConnFault_min", "ComboBoxOnlineTime_min",
      "ComboBoxGPRSTranspWaitTime"};
  EXPECT_EQ(names, expected);

  auto items = [&](const std::string& name) -> const Items& {
    for (const ControlRef& control : controls) {
      if (control.name == name) return *control.items;
    }
    ADD_FAILURE() << name;
    static const Items none;
    return none;
  };
  EXPECT_EQ(items("ComboBoxGPRSConnectionStrategy"),
            (Items{"Всегда подключен к серверу", "Подключаться периодически или по событию",
                   "Подключаться по событию"}));
  EXPECT_EQ(items("ComboBoxConnectingTryNum"), (Items{"1", "2", "3", "4", "5", "6", "7"}));
  ASSERT_EQ(items("ComboBoxPingPeriod_min").size(), 30u);
  EXPECT_EQ(items("ComboBoxPingPeriod_min").front(), "1 Мин.");
  EXPECT_EQ(items("ComboBoxPingPeriod_min").back(), "30 Мин.");
  ASSERT_EQ(items("ComboBoxOnlineTime_min").size(), 31u);
  EXPECT_EQ(items("ComboBoxOnlineTime_min").front(), "0 Мин.");
  EXPECT_EQ(items("ComboBoxOnlineTime_min").back(), "30 Мин.");
  EXPECT_EQ(items("ComboBoxGPRSTranspWaitTime").size(), 16u);
  EXPECT_EQ(std::get<TriState*>(controls[11].field), &panel.CheckBoxMaskGInput[6]);
}

}  // namespace
}  // namespace vkm
