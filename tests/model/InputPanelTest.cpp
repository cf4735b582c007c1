#include "model/InputPanel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/ImageEncoding.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::FilledImage;

std::size_t RecordOffset(int input) { return 408 + 88 * static_cast<std::size_t>(input - 1); }

const Items* ItemsOf(Controls& controls, const std::string& name) {
  for (const ControlRef& control : controls) {
    if (control.name == name) return control.items;
  }
  return nullptr;
}

// A panel with a value in every control, none of them the factory one.
InputPanel BusyPanel() {
  InputPanel panel;
  panel.ComboBoxSensName = "ДВЕРЬ";
  panel.ComboBoxSensActSt = "OPEN";
  panel.ComboBoxSensPassSt = "CLOSE";
  panel.ComboBoxAverageTime = 9;
  panel.ComboBoxSensActLevel = 5;
  panel.CheckBox24HZone = true;
  panel.UpDownRecoveryTime = 42;
  panel.ComboBoxDelayTime = 63;
  panel.ComboBoxReleToAlarm = 2;
  panel.ComboBoxSensType = 1;
  panel.TrackBarLoBarrier = 100;
  panel.TrackBarHiBarrier = 4000;
  panel.CheckBoxNotArmingAsActive = true;
  panel.ComboBoxListenNum = 8;
  panel.ComboBoxAlarmTry = 3;
  panel.ComboBoxActArmDisMode = 2;
  panel.ComboBoxPassArmDisMode = 3;
  panel.CheckBoxActiveToGPS = true;
  panel.MaskEditMinVal = "-2,5";
  panel.MaskEditMaxVal = "12.75";
  panel.ComboBoxActRele = {1, 2, 3, 4, 5, 6};
  panel.ComboBoxPassRele = {16, 15, 14, 13, 12, 11};
  return panel;
}

TEST(InputPanel, FactoryImageShowsTheFactoryInput) {
  struct Case {
    int node;
    const char* heading;
    const char* name;
    const char* maximum;
  };
  const Case cases[] = {{23, "Вход 1", "ВХОД1", "3"}, {26, "Вход 4", "ВХОД4", "3"}, {29, "Вход 7", "ВХОД7", "9"}};
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    InputPanel panel;
    ImageToPanel(image, c.node, panel);
    EXPECT_EQ(panel.Label10, c.heading);
    EXPECT_EQ(panel.ComboBoxSensName, c.name);
    EXPECT_EQ(panel.ComboBoxSensActSt, "АКТИВЕН");
    EXPECT_EQ(panel.ComboBoxSensPassSt, "НЕАКТИВЕН");
    EXPECT_EQ(panel.ComboBoxAverageTime, 2);
    EXPECT_EQ(panel.ComboBoxSensActLevel, 2);
    EXPECT_FALSE(panel.CheckBox24HZone);
    EXPECT_EQ(panel.UpDownRecoveryTime, 0);
    EXPECT_EQ(panel.EditRecoveryTime, "0");
    EXPECT_EQ(panel.ComboBoxDelayTime, 0);
    EXPECT_EQ(panel.ComboBoxReleToAlarm, 1);
    EXPECT_EQ(panel.ComboBoxSensType, 1);
    EXPECT_EQ(panel.TrackBarLoBarrier, 1365);
    EXPECT_EQ(panel.TrackBarHiBarrier, 2730);
    EXPECT_EQ(panel.ComboBoxListenNum, 0);
    EXPECT_EQ(panel.ComboBoxAlarmTry, 0);
    EXPECT_EQ(panel.MaskEditMinVal, "0");
    EXPECT_EQ(panel.MaskEditMaxVal, c.maximum);
    EXPECT_EQ(panel.ComboBoxPassRele[5], 0);
  }
}

TEST(InputPanel, SensorTypeItemsDependOnTheInput) {
  struct Case {
    int node;
    uint8_t byte55;
    std::size_t itemCount;
    int shown;
  };
  const Case cases[] = {
      {23, 0x02, 2, 1}, {26, 0x04, 2, -1}, {26, 0x00, 2, 0}, {27, 0x04, 3, 2},
      {29, 0x04, 3, 2}, {29, 0x06, 3, -1}, {23, 0xF3, 2, 1},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    image[RecordOffset(c.node - 22) + 55] = c.byte55;
    InputPanel panel;
    ImageToPanel(image, c.node, panel);
    EXPECT_EQ(panel.ComboBoxSensType, c.shown) << c.node << " " << int{c.byte55};
    Controls controls = ListControls(panel, c.node);
    const Items* items = ItemsOf(controls, "ComboBoxSensType");
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->size(), c.itemCount) << c.node;
    EXPECT_EQ(&SensTypeItems(c.node), items);
  }
  EXPECT_EQ(SensTypeItems(29), (Items{"Запрещен", "Дискретный", "Аналоговый"}));
}

TEST(InputPanel, AnalogueTypeOnAnEarlyInputStoresAllOnesAfterShowing) {
  ConfigurationImage image = FactoryImage();
  const std::size_t byte55 = RecordOffset(2) + 55;
  image[byte55] = 0x05;  // type 2, bit 0 set
  InputPanel panel;
  ImageToPanel(image, 24, panel);
  EXPECT_EQ(panel.ComboBoxSensType, -1);
  PanelToImage(panel, 24, image);
  EXPECT_EQ(image[byte55], 0x0F);  // type bits 1..3 all ones, bit 0 kept
}

TEST(InputPanel, StoreWritesExactlyTheNamedBitsOfInputThree) {
  // Store the same panel over an all-zero and an all-ones image: a bit that
  // differs between the two results was kept, one that matches was written.
  InputPanel panel = BusyPanel();
  ConfigurationImage zeros = FilledImage(0x00);
  ConfigurationImage ones = FilledImage(0xFF);
  PanelToImage(panel, 25, zeros);
  PanelToImage(panel, 25, ones);

  std::array<uint8_t, kImageSize> expectedKept;
  expectedKept.fill(0xFF);
  for (std::size_t offset = 584; offset <= 671; ++offset) expectedKept[offset] = 0;
  for (std::size_t offset : {635, 640, 641, 649, 650, 651}) expectedKept[offset] = 0xFF;
  expectedKept[637] = 0xC0;  // recovery time bits 6..7
  expectedKept[639] = 0xF1;  // type bits 0, 4..7
  expectedKept[646] = 0x0B;  // bits 0, 1, 3
  expectedKept[647] = 0x03;  // bits 0..1
  expectedKept[648] = 0xEF;  // all but the GPS bit 4
  for (std::size_t offset = 0; offset < kImageSize; ++offset) {
    ASSERT_EQ(zeros[offset] ^ ones[offset], expectedKept[offset]) << offset;
  }
}

TEST(InputPanel, NoStoreReachesOtherRecords) {
  for (int node = 23; node <= 29; ++node) {
    const ConfigurationImage before = FilledImage(0x5A);
    ConfigurationImage image = before;
    InputPanel panel = BusyPanel();
    PanelToImage(panel, node, image);
    const std::set<std::size_t> changed = test::ChangedOffsets(before, image);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(*changed.begin(), RecordOffset(node - 22)) << node;
    EXPECT_LT(*changed.rbegin(), RecordOffset(node - 22) + 88) << node;
  }
  // Record 8 has no section.
  ConfigurationImage image = FactoryImage();
  for (int node = 23; node <= 29; ++node) {
    InputPanel panel = BusyPanel();
    PanelToImage(panel, node, image);
  }
  EXPECT_EQ(std::memcmp(&image[1024], &FactoryImage()[1024], 88), 0);
}

TEST(InputPanel, ByteSixtyThreeKeepsItsFactoryBit) {
  struct Case {
    int alarmTry;
    int act;
    int pass;
    uint8_t byte63;
  };
  const Case cases[] = {{0, 0, 0, 0x02}, {3, 3, 3, 0xFE}, {1, 2, 3, 0xE6}, {-1, 0, 0, 0x0E}};
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    InputPanel panel;
    ImageToPanel(image, 27, panel);
    panel.ComboBoxAlarmTry = c.alarmTry;
    panel.ComboBoxActArmDisMode = c.act;
    panel.ComboBoxPassArmDisMode = c.pass;
    PanelToImage(panel, 27, image);
    EXPECT_EQ(image[RecordOffset(5) + 63], c.byte63) << c.alarmTry << c.act << c.pass;
  }
}

TEST(InputPanel, BitFieldsLandInTheirBits) {
  ConfigurationImage image = FilledImage(0x00);
  InputPanel panel = BusyPanel();
  PanelToImage(panel, 23, image);
  const uint8_t* record = &image[RecordOffset(1)];
  EXPECT_EQ(record[52], 0x80 | (5 << 4) | 9);
  EXPECT_EQ(record[53], 42);
  EXPECT_EQ(record[54], (2 << 6) | 63);
  EXPECT_EQ(record[55], 1 << 1);
  EXPECT_EQ(GetU16(record + 58), 100);
  EXPECT_EQ(GetU16(record + 60), 4000);
  EXPECT_EQ(record[62], (8 << 4) | 0x04);
  EXPECT_EQ(record[63], (3 << 6) | (2 << 4) | (3 << 2));
  EXPECT_EQ(record[64], 0x10);
  const uint8_t reactions[] = {1, 2, 3, 4, 5, 6, 16, 15, 14, 13, 12, 11};
  EXPECT_EQ(std::memcmp(record + 76, reactions, 12), 0);

  InputPanel shown;
  ImageToPanel(image, 23, shown);
  EXPECT_EQ(shown.ComboBoxAverageTime, 9);
  EXPECT_EQ(shown.ComboBoxSensActLevel, 5);
  EXPECT_EQ(shown.ComboBoxDelayTime, 63);
  EXPECT_EQ(shown.ComboBoxReleToAlarm, 2);
  EXPECT_EQ(shown.ComboBoxListenNum, 8);
  EXPECT_EQ(shown.ComboBoxPassArmDisMode, 3);
  EXPECT_EQ(shown.EditRecoveryTime, "42");
  EXPECT_TRUE(shown.CheckBoxNotArmingAsActive);
  EXPECT_TRUE(shown.CheckBoxActiveToGPS);
}

TEST(InputPanel, ValuesWithoutItemsShowNoSelection) {
  ConfigurationImage image = FactoryImage();
  uint8_t* record = &image[RecordOffset(6)];
  record[52] = 0x70;  // level 7: only six levels
  record[54] = 0xC0;  // drive mode 3: only three
  record[62] = 0x90;  // connection 9: only eight
  record[76] = 17;
  InputPanel panel;
  ImageToPanel(image, 28, panel);
  EXPECT_EQ(panel.ComboBoxSensActLevel, -1);
  EXPECT_EQ(panel.ComboBoxReleToAlarm, -1);
  EXPECT_EQ(panel.ComboBoxListenNum, -1);
  EXPECT_EQ(panel.ComboBoxActRele[0], -1);
  PanelToImage(panel, 28, image);
  EXPECT_EQ(record[52], 0x70);
  EXPECT_EQ(record[54], 0xC0);
  EXPECT_EQ(record[62], 0xF0);
  EXPECT_EQ(record[76], 0xFF);
}

TEST(InputPanel, ScaleTextsStoreAsSingles) {
  struct Case {
    const char* minimum;
    const char* maximum;
    float storedMin;
    float storedMax;
  };
  const Case cases[] = {
      {"1,5", "1.5", 0.5f, 2.5f},
      {"0", "3", 0.0f, 3.0f},
      {" -2,25 V", "abc", -2.25f, 0.0f},
      {"", "", -1.0f, 1.0f},
      {"10", "10,0", 9.0f, 11.0f},
      {"0,1", "1e3", 0.1f, 1000.0f},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    InputPanel panel;
    ImageToPanel(image, 29, panel);
    panel.MaskEditMinVal = c.minimum;
    panel.MaskEditMaxVal = c.maximum;
    PanelToImage(panel, 29, image);
    EXPECT_EQ(GetFloat(&image[RecordOffset(7) + 68]), c.storedMin) << c.minimum;
    EXPECT_EQ(GetFloat(&image[RecordOffset(7) + 72]), c.storedMax) << c.maximum;
  }
}

TEST(InputPanel, ScaleShowsWithTheWindowsSeparator) {
  struct Case {
    float value;
    char separator;
    const char* text;
  };
  const Case cases[] = {
      {2.5f, ',', "2,5"}, {2.5f, '.', "2.5"}, {0.1f, ',', "0,1"}, {1234567.0f, ',', "1234567"}, {-3.0f, ',', "-3"},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    PutFloat(&image[RecordOffset(5) + 72], c.value);
    InputPanel panel;
    ImageToPanel(image, 27, panel, c.separator);
    EXPECT_EQ(panel.MaskEditMaxVal, c.text);
  }
}

TEST(InputPanel, NamesAreStoredUntrimmedAndShownUpToByteSixteen) {
  ConfigurationImage image = FilledImage(0x41);
  InputPanel panel;
  ImageToPanel(image, 25, panel);
  const std::size_t record = RecordOffset(3);
  EXPECT_EQ(image[record + 16], 0);
  EXPECT_EQ(image[record + 33], 0);
  EXPECT_EQ(image[record + 50], 0);
  EXPECT_EQ(panel.ComboBoxSensName, std::string(16, 'A'));
  EXPECT_EQ(panel.ComboBoxSensPassSt, std::string(16, 'A'));

  panel.ComboBoxSensName = " ОКНО ";
  panel.ComboBoxSensActSt = "ABCDEFGHIJKLMNOPQRS";  // longer than the field
  panel.ComboBoxSensPassSt = "";
  PanelToImage(panel, 25, image);
  const uint8_t name[17] = {' ', 0xCE, 0xCA, 0xCD, 0xCE, ' '};
  EXPECT_EQ(std::memcmp(&image[record], name, 17), 0);
  EXPECT_EQ(std::memcmp(&image[record + 17], "ABCDEFGHIJKLMNOP\0", 17), 0);
  EXPECT_EQ(std::memcmp(&image[record + 34], std::string(17, '\0').data(), 17), 0);
}

TEST(InputPanel, RecoveryTimeSpinAndEdit) {
  struct Case {
    const char* text;
    int position;
  };
  const Case cases[] = {{"12", 12}, {" 5", 5}, {"99", 63}, {"x", 0}, {"", 0}};
  for (const Case& c : cases) {
    InputPanel panel;
    panel.EditRecoveryTime = c.text;
    OnRecoveryTimeTextChanged(panel);
    EXPECT_EQ(panel.UpDownRecoveryTime, c.position) << c.text;
  }

  ConfigurationImage image = FactoryImage();
  image[RecordOffset(1) + 53] = 0xC5;
  InputPanel panel;
  EXPECT_EQ(panel.UpDownRecoveryTime, 1);
  EXPECT_EQ(panel.EditRecoveryTime, "1");
  ImageToPanel(image, 23, panel);
  EXPECT_EQ(panel.UpDownRecoveryTime, 5);
  EXPECT_EQ(panel.EditRecoveryTime, "5");
  panel.UpDownRecoveryTime = 63;
  PanelToImage(panel, 23, image);
  EXPECT_EQ(image[RecordOffset(1) + 53], 0xFF);
}

TEST(InputPanel, TrackBarsStayInTheConverterRange) {
  ConfigurationImage image = FactoryImage();
  PutU16(&image[RecordOffset(4) + 58], 0);
  PutU16(&image[RecordOffset(4) + 60], 5000);
  InputPanel panel;
  ImageToPanel(image, 26, panel);
  EXPECT_EQ(panel.TrackBarLoBarrier, 0);
  EXPECT_EQ(panel.TrackBarHiBarrier, 4095);
  PanelToImage(panel, 26, image);
  EXPECT_EQ(GetU16(&image[RecordOffset(4) + 60]), 4095);
}

TEST(InputPanel, ListsEveryControlWithItsItems) {
  InputPanel panel;
  Controls controls = ListControls(panel, 23);
  std::set<std::string> names;
  for (const ControlRef& control : controls) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    if (control.kind == ControlKind::ComboIndex) {
      EXPECT_NE(control.items, nullptr) << control.name;
    }
  }
  EXPECT_EQ(controls.size(), 22u + 12u);
  EXPECT_TRUE(names.count("ComboBoxActRele1"));
  EXPECT_TRUE(names.count("ComboBoxPassRele6"));

  const Items* delays = ItemsOf(controls, "ComboBoxDelayTime");
  ASSERT_NE(delays, nullptr);
  ASSERT_EQ(delays->size(), 64u);
  EXPECT_EQ(delays->front(), "0 Sec.");
  EXPECT_EQ((*delays)[1], "5 Sec.");
  EXPECT_EQ(delays->back(), "315 Sec.");

  const Items* listen = ItemsOf(controls, "ComboBoxListenNum");
  ASSERT_NE(listen, nullptr);
  EXPECT_EQ(*listen, (Items{" -", "1", "2", "3", "4", "5", "6", "7", "8"}));
  EXPECT_EQ(ItemsOf(controls, "ComboBoxAverageTime")->size(), 16u);
  EXPECT_EQ(ItemsOf(controls, "ComboBoxAverageTime")->back(), "15 Sec.");
  EXPECT_EQ(ItemsOf(controls, "ComboBoxSensActLevel")->size(), 6u);
  EXPECT_EQ(ItemsOf(controls, "ComboBoxSensActSt")->size(), 13u);
  EXPECT_EQ(ItemsOf(controls, "ComboBoxSensName")->front(), "КОМНАТА");
}

TEST(InputPanel, RoundTripKeepsTheImage) {
  ConfigurationImage image = FactoryImage();
  for (int node = 23; node <= 29; ++node) {
    InputPanel panel;
    ImageToPanel(image, node, panel, ',');
    PanelToImage(panel, node, image);
  }
  EXPECT_EQ(image, FactoryImage());

  // A record with every field in use, unnamed bits set.
  uint8_t* record = &image[RecordOffset(6)];
  record[51] = 0x33;
  record[52] = 0xD7;
  record[53] = 0xFF;
  record[54] = 0x85;
  record[55] = 0xF5;
  record[62] = 0x7F;
  record[63] = 0xB7;
  record[64] = 0xFF;
  PutFloat(record + 68, -0.125f);
  PutFloat(record + 72, 1234.5f);
  record[80] = 16;
  const ConfigurationImage before = image;
  InputPanel panel;
  ImageToPanel(image, 28, panel, ',');
  EXPECT_EQ(panel.MaskEditMinVal, "-0,125");
  PanelToImage(panel, 28, image);
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace vkm
