#include "model/ArmInPanel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::FilledImage;

constexpr std::size_t kRecord1 = 2303;
constexpr std::size_t kKeys = 2496;

std::size_t KeyOffset(int key) { return kKeys + 32 * static_cast<std::size_t>(key - 1); }

TEST(ArmInPanel, NewPanelIsAsTheWindowCreatesIt) {
  ArmInPanel panel;
  EXPECT_EQ(panel.UpDownDelayARM, 0);
  EXPECT_EQ(panel.EditDelayARM, "0");
  ASSERT_EQ(panel.StringGrid1.RowCount(), 32);
  ASSERT_EQ(panel.StringGrid1.ColumnCount(), 5);
  EXPECT_EQ(panel.StringGrid1.Text(1, 0), " 1");
  EXPECT_EQ(panel.StringGrid1.Text(32, 0), " 32");
  EXPECT_EQ(panel.StringGrid1.Column(3).kind, CellKind::Check);
  EXPECT_EQ(panel.StringGrid1.Column(4).kind, CellKind::Check);
}

TEST(ArmInPanel, FactoryImageShowsNoKeysAndNoReactions) {
  ConfigurationImage image = FactoryImage();
  ArmInPanel panel;
  panel.StringGrid1.SetText(7, kKeyColumnName, "stale");
  panel.StringGrid1.SetChecked(7, kKeyColumnO, true);
  ImageToPanel(image, kNodeArmIn, panel);
  EXPECT_EQ(panel.Label21, "Вход [Arm In]");
  EXPECT_EQ(panel.EditDelayARM, "0");
  EXPECT_EQ(panel.ComboBoxArmInMode, 0);
  EXPECT_EQ(panel.ComboBoxCDtoRele[5], 0);
  for (int row = 1; row <= 32; ++row) {
    EXPECT_EQ(panel.StringGrid1.Text(row, kKeyColumnCode), std::string(16, ' ')) << row;
    EXPECT_EQ(panel.StringGrid1.Text(row, kKeyColumnName), "") << row;
    EXPECT_FALSE(panel.StringGrid1.Checked(row, kKeyColumnO)) << row;
    EXPECT_FALSE(panel.StringGrid1.Checked(row, kKeyColumnN)) << row;
    EXPECT_EQ(panel.StringGrid1.Text(row, kKeyColumnNumber), " " + std::to_string(row));
  }
}

TEST(ArmInPanel, StoresRecordOneFields) {
  ConfigurationImage image = FilledImage(0xF8);
  ArmInPanel panel;
  panel.UpDownDelayARM = 45;
  panel.EditDelayARM = "99";  // the spin button's position is what is stored
  panel.ComboBoxArmInMode = 2;
  panel.ComboBoxArmToRele = {1, 2, 3, 4, 5, 16};
  panel.ComboBoxDisarmToRele = {0, 0, 0, 0, 0, 1};
  panel.ComboBoxCDtoRele = {-1, 2, 0, 0, 0, 0};
  panel.CheckBoxSendGPSPosAsArmed = true;
  panel.CheckBoxSendGPSPosAsCntDown = true;
  PanelToImage(panel, kNodeArmIn, image);

  const uint8_t* record = &image[kRecord1];
  const uint8_t expected[] = {45, 2, 1, 2, 3, 4, 5, 16, 0, 0, 0, 0, 0, 1, 0xFF, 2, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(record + 17, expected, sizeof expected), 0);
  EXPECT_EQ(record[47], 0xF8 | 0x05);  // bits 3..7 keep their value
  EXPECT_EQ(record[37], 0xF8);          // the ЗАЩИТА reactions have no control
}

TEST(ArmInPanel, ValuesWithoutItemsShowNoSelectionAndStoreAllOnes) {
  ConfigurationImage image = FactoryImage();
  image[kRecord1 + 18] = 3;
  image[kRecord1 + 25] = 17;
  ArmInPanel panel;
  ImageToPanel(image, kNodeArmIn, panel);
  EXPECT_EQ(panel.ComboBoxArmInMode, -1);
  EXPECT_EQ(panel.ComboBoxDisarmToRele[0], -1);
  PanelToImage(panel, kNodeArmIn, image);
  EXPECT_EQ(image[kRecord1 + 18], 0xFF);
  EXPECT_EQ(image[kRecord1 + 25], 0xFF);
}

TEST(ArmInPanel, DelayShowsInBothTheSpinButtonAndItsEdit) {
  struct Case {
    uint8_t stored;
    int position;
    const char* text;
  };
  const Case cases[] = {{0, 0, "0"}, {45, 45, "45"}, {240, 240, "240"}, {250, 240, "240"}};
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    image[kRecord1 + 17] = c.stored;
    ArmInPanel panel;
    ImageToPanel(image, kNodeArmIn, panel);
    EXPECT_EQ(panel.UpDownDelayARM, c.position) << int{c.stored};
    EXPECT_EQ(panel.EditDelayARM, c.text) << int{c.stored};
  }
}

TEST(ArmInPanel, DelayEditMovesTheSpinButton) {
  struct Case {
    const char* text;
    int position;
  };
  const Case cases[] = {{"15", 15}, {" 7 s", 7}, {"abc", 0}, {"", 0}, {"300", 240}, {"240", 240}};
  for (const Case& c : cases) {
    ArmInPanel panel;
    panel.UpDownDelayARM = 99;
    panel.EditDelayARM = c.text;
    OnDelayArmTextChanged(panel);
    EXPECT_EQ(panel.UpDownDelayARM, c.position) << c.text;
  }
}

TEST(ArmInPanel, KeyCodeTextsStoreMostSignificantByteFirst) {
  struct Case {
    const char* text;
    std::array<uint8_t, 8> bytes;
  };
  const Case cases[] = {
      {"01A2B3C4D5E6F708", {0x01, 0xA2, 0xB3, 0xC4, 0xD5, 0xE6, 0xF7, 0x08}},
      {" 01a2b3c4d5e6f708  ", {0x01, 0xA2, 0xB3, 0xC4, 0xD5, 0xE6, 0xF7, 0x08}},
      {"F123456789ABCDEF", {0xF1, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}},
      {"8000000000000001", {0x80, 0, 0, 0, 0, 0, 0, 0x01}},
      {"FFFFFFFFFFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"1", {0, 0, 0, 0, 0, 0, 0, 0x01}},
      {"                ", {}},
      {"", {}},
      {"12G4", {}},
      {"12 34", {}},
      {"0x12", {}},
      {"-1", {}},
      {"1FFFFFFFFFFFFFFFF", {}},  // more than 64 bits
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FilledImage(0x5A);
    ArmInPanel panel;
    panel.StringGrid1.SetText(3, kKeyColumnCode, c.text);
    PanelToImage(panel, kNodeArmIn, image);
    EXPECT_EQ(std::memcmp(&image[KeyOffset(3)], c.bytes.data(), 8), 0) << c.text;
  }
}

TEST(ArmInPanel, StoredKeysShowAsSixteenUpperCaseDigits) {
  const char* codes[] = {"01A2B3C4D5E6F708", "F123456789ABCDEF", "0000000000000001", "FFFFFFFFFFFFFFFF"};
  for (const char* code : codes) {
    ConfigurationImage image = FactoryImage();
    ArmInPanel panel;
    panel.StringGrid1.SetText(32, kKeyColumnCode, code);
    PanelToImage(panel, kNodeArmIn, image);
    ArmInPanel shown;
    ImageToPanel(image, kNodeArmIn, shown);
    EXPECT_EQ(shown.StringGrid1.Text(32, kKeyColumnCode), code);
  }
}

TEST(ArmInPanel, StoresNameAndBoxesOfAKeyRow) {
  struct Case {
    bool o;
    bool n;
    uint8_t byte25;
  };
  const Case cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 2}, {true, true, 3}};
  for (const Case& c : cases) {
    ConfigurationImage image = FilledImage(0xFF);
    ArmInPanel panel;
    panel.StringGrid1.SetText(2, kKeyColumnCode, "0000000000000002");
    panel.StringGrid1.SetText(2, kKeyColumnName, " Иван ");
    panel.StringGrid1.SetChecked(2, kKeyColumnO, c.o);
    panel.StringGrid1.SetChecked(2, kKeyColumnN, c.n);
    PanelToImage(panel, kNodeArmIn, image);
    const uint8_t* record = &image[KeyOffset(2)];
    // The name keeps its blanks; code page 1251, NUL to the end of 17 bytes.
    const uint8_t name[17] = {' ', 0xC8, 0xE2, 0xE0, 0xED, ' '};
    EXPECT_EQ(std::memcmp(record + 8, name, 17), 0);
    EXPECT_EQ(record[25], c.byte25);
    EXPECT_EQ(record[26], 0xFF);  // reserved tail untouched
  }
}

TEST(ArmInPanel, ShowingAKeyEndsItsNameAtByte24) {
  ConfigurationImage image = FactoryImage();
  uint8_t* record = &image[KeyOffset(5)];
  record[7] = 0x42;
  std::memset(record + 8, 'A', 17);
  record[25] = 0xFE;
  ArmInPanel panel;
  ImageToPanel(image, kNodeArmIn, panel);
  EXPECT_EQ(panel.StringGrid1.Text(5, kKeyColumnCode), "0000000000000042");
  EXPECT_EQ(panel.StringGrid1.Text(5, kKeyColumnName), std::string(16, 'A'));
  EXPECT_EQ(record[24], 0);
  EXPECT_FALSE(panel.StringGrid1.Checked(5, kKeyColumnO));
  EXPECT_TRUE(panel.StringGrid1.Checked(5, kKeyColumnN));
}

TEST(ArmInPanel, ZeroKeyWithANameShowsAndStoresAnEmptyRow) {
  ConfigurationImage image = FactoryImage();
  uint8_t* record = &image[KeyOffset(9)];
  std::memcpy(record + 8, "Petr", 4);
  record[25] = 3;
  ArmInPanel panel;
  panel.StringGrid1.SetText(9, kKeyColumnName, "stale");
  panel.StringGrid1.SetChecked(9, kKeyColumnN, true);
  ImageToPanel(image, kNodeArmIn, panel);
  EXPECT_EQ(panel.StringGrid1.Text(9, kKeyColumnCode), std::string(16, ' '));
  EXPECT_EQ(panel.StringGrid1.Text(9, kKeyColumnName), "");
  EXPECT_FALSE(panel.StringGrid1.Checked(9, kKeyColumnO));
  EXPECT_FALSE(panel.StringGrid1.Checked(9, kKeyColumnN));

  PanelToImage(panel, kNodeArmIn, image);
  EXPECT_EQ(image, FactoryImage());
}

TEST(ArmInPanel, StoreWritesOnlyRecordOneFieldsAndKeyBytes) {
  // Storing over an all-zero and an all-ones image: a bit that differs between
  // the two results was kept, one that matches was written.
  ArmInPanel panel;
  panel.UpDownDelayARM = 10;
  panel.StringGrid1.SetText(1, kKeyColumnCode, "0102030405060708");
  ConfigurationImage zeros = FilledImage(0x00);
  ConfigurationImage ones = FilledImage(0xFF);
  PanelToImage(panel, kNodeArmIn, zeros);
  PanelToImage(panel, kNodeArmIn, ones);

  std::array<uint8_t, kImageSize> expectedKept;
  expectedKept.fill(0xFF);
  for (std::size_t offset = kRecord1 + 17; offset <= kRecord1 + 36; ++offset) expectedKept[offset] = 0;
  expectedKept[kRecord1 + 47] = 0xF8;
  for (int key = 1; key <= 32; ++key) {
    for (std::size_t i = 0; i <= 25; ++i) expectedKept[KeyOffset(key) + i] = 0;
  }
  for (std::size_t offset = 0; offset < kImageSize; ++offset) {
    ASSERT_EQ(zeros[offset] ^ ones[offset], expectedKept[offset]) << offset;
  }
}

TEST(ArmInPanel, ImageRoundTripIsUnchanged) {
  ConfigurationImage image = FactoryImage();
  uint8_t* record = &image[kRecord1];
  record[17] = 120;
  record[18] = 2;
  record[20] = 7;
  record[36] = 16;
  record[47] = 0xFA;  // unnamed high bits set
  const uint8_t key[8] = {0xF1, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  std::memcpy(&image[KeyOffset(1)], key, 8);
  std::memcpy(&image[KeyOffset(1) + 8], "\xC8\xE2\xE0\xED", 4);
  image[KeyOffset(1) + 25] = 2;
  image[KeyOffset(1) + 30] = 0x77;  // reserved
  std::memcpy(&image[KeyOffset(32)], key, 8);
  const ConfigurationImage before = image;

  ArmInPanel panel;
  ImageToPanel(image, kNodeArmIn, panel);
  EXPECT_EQ(panel.StringGrid1.Text(1, kKeyColumnName), "Иван");
  PanelToImage(panel, kNodeArmIn, image);
  EXPECT_EQ(image, before);

  ConfigurationImage factory = FactoryImage();
  ImageToPanel(factory, kNodeArmIn, panel);
  PanelToImage(panel, kNodeArmIn, factory);
  EXPECT_EQ(factory, FactoryImage());
}

TEST(ArmInPanel, MovedKeyRowTakesItsCellsAndRenumbers) {
  struct Case {
    int from;
    int to;
    std::vector<int> order;  // original row now at rows 1..6
  };
  const Case cases[] = {
      {5, 2, {1, 5, 2, 3, 4, 6}},
      {2, 5, {1, 3, 4, 5, 2, 6}},
      {3, 3, {1, 2, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    ArmInPanel panel;
    for (int row = 1; row <= 32; ++row) panel.StringGrid1.SetText(row, kKeyColumnCode, "K" + std::to_string(row));
    panel.StringGrid1.SetChecked(c.from, kKeyColumnO, true);
    panel.StringGrid1.SetChecked(c.from, kKeyColumnN, true);
    MoveTouchKeyRow(panel, c.from, c.to);
    for (int row = 1; row <= 6; ++row) {
      const int original = c.order[static_cast<std::size_t>(row - 1)];
      EXPECT_EQ(panel.StringGrid1.Text(row, kKeyColumnCode), "K" + std::to_string(original)) << c.from << "->" << c.to;
      EXPECT_EQ(panel.StringGrid1.Checked(row, kKeyColumnO), original == c.from) << row;
      EXPECT_EQ(panel.StringGrid1.Checked(row, kKeyColumnN), original == c.from) << row;
    }
    for (int row = 1; row <= 32; ++row) EXPECT_EQ(panel.StringGrid1.Text(row, kKeyColumnNumber), std::to_string(row));
  }
}

TEST(ArmInPanel, MoveOutsideTheTableChangesNothing) {
  ArmInPanel panel;
  for (int row = 1; row <= 32; ++row) panel.StringGrid1.SetText(row, kKeyColumnCode, "K" + std::to_string(row));
  MoveTouchKeyRow(panel, 0, 3);
  MoveTouchKeyRow(panel, 3, 33);
  for (int row = 1; row <= 32; ++row) {
    EXPECT_EQ(panel.StringGrid1.Text(row, kKeyColumnCode), "K" + std::to_string(row));
    EXPECT_EQ(panel.StringGrid1.Text(row, kKeyColumnNumber), " " + std::to_string(row));
  }
}

TEST(ArmInPanel, ListsEveryControlOnceWithItsItems) {
  ArmInPanel panel;
  const Controls controls = ListControls(panel, kNodeArmIn);
  std::set<std::string> names;
  for (const ControlRef& control : controls) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    if (control.kind == ControlKind::ComboIndex) {
      ASSERT_NE(control.items, nullptr) << control.name;
    }
  }
  for (const char* name : {"Label21", "EditDelayARM", "UpDownDelayARM", "ComboBoxArmToRele1", "ComboBoxDisarmToRele6",
                           "ComboBoxCDtoRele3", "CheckBoxSendGPSPosAsCntDown", "StringGrid1"}) {
    EXPECT_TRUE(names.count(name)) << name;
  }
  EXPECT_EQ(controls.size(), 4u + 18u + 3u + 1u);
  for (const ControlRef& control : controls) {
    if (control.name == "ComboBoxArmInMode") {
      EXPECT_EQ(*control.items, (Items{"Смена режима ОХРАНА/НАБЛЮДЕНИЕ импульсом",
                                       "Замыкание входа - ОХРАНА, размыкание - НАБЛЮДЕНИЕ",
                                       "Смена режима ОХРАНА/НАБЛЮДЕНИЕ - TouchMemory"}));
    }
    if (control.name == "ComboBoxCDtoRele1") {
      EXPECT_EQ(control.items->size(), 17u);
    }
    if (control.name == "UpDownDelayARM") {
      EXPECT_EQ(control.maximum, 240);
    }
  }
}

}  // namespace
}  // namespace vkm
