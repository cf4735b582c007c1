#include "model/SystemParametersPanel.h"

#include <gtest/gtest.h>

#include "model/ImageEncoding.h"

namespace vkm {
namespace {

SystemParameterBlock Filled(uint8_t value) {
  SystemParameterBlock block;
  block.fill(value);
  return block;
}

TEST(SystemParametersPanel, StoresTheCalibrationWord) {
  struct Case {
    const char* text;
    int direction;
    uint32_t before;
    uint32_t after;
  };
  const Case cases[] = {
      {"200000", 1, 0x00000000, 0x0003FFFF},  // above the field: all ones
      {"200000", 0, 0x00000000, 0x0001FFFF},
      {"131072", 0, 0x00000000, 0x0001FFFF},
      {"131071", 0, 0x00000000, 0x0001FFFF},
      {"-1", 0, 0xFFFE0000, 0xFFFDFFFF},      // low 17 bits of -1; bits 18..31 kept
      {"-131072", 1, 0x0001FFFF, 0x00020000},
      {"", 1, 0x12345678, 0x12360000},
      {"abc", 0, 0x0001FFFF, 0x00000000},
      {" 3600 ", 0, 0xFFFFFFFF, 0xFFFC0E10},
      {"7", -1, 0x00000000, 0x00020007},      // no direction chosen stores the bit set
  };
  for (const Case& c : cases) {
    SystemParameterBlock block{};
    PutU32(&block[0], c.before);
    SystemParametersPanel panel;
    panel.EditCALVAL = c.text;
    panel.ComboBoxCALDIR = c.direction;
    PanelToImage(panel, block);
    EXPECT_EQ(GetU32(&block[0]), c.after) << "'" << c.text << "' " << c.direction;
  }
}

TEST(SystemParametersPanel, WritesTrimmedTextBack) {
  SystemParameterBlock block{};
  SystemParametersPanel panel;
  panel.EditCALVAL = "  42 ";
  panel.ComboBoxCALDIR = 0;
  PanelToImage(panel, block);
  EXPECT_EQ(panel.EditCALVAL, "42");
  EXPECT_EQ(block[0], 42);
}

TEST(SystemParametersPanel, FlagBytesKeepTheirOtherBits) {
  struct Case {
    uint8_t fill;
    bool firmwareUpdate, crcOff;
    uint8_t byte4, byte5, byte6;
  };
  const Case cases[] = {
      {0xFF, false, false, 0xFE, 0xFE, 0xFE},
      {0xFF, true, true, 0xFE, 0xFF, 0xFF},
      {0x00, true, false, 0x00, 0x01, 0x00},
      {0x01, false, true, 0x00, 0x00, 0x01},
  };
  for (const Case& c : cases) {
    SystemParameterBlock block = Filled(c.fill);
    SystemParametersPanel panel;
    panel.EditCALVAL = "1";
    panel.ComboBoxCALDIR = 0;
    panel.CheckBoxFWUpdateEnable = c.firmwareUpdate;
    panel.CheckBoxCRCCheckDisable = c.crcOff;
    PanelToImage(panel, block);
    EXPECT_EQ(block[4], c.byte4) << int{c.fill};
    EXPECT_EQ(block[5], c.byte5) << int{c.fill};
    EXPECT_EQ(block[6], c.byte6) << int{c.fill};
    for (std::size_t i = 7; i < block.size(); ++i) EXPECT_EQ(block[i], c.fill) << i;
  }
}

TEST(SystemParametersPanel, ShowsTheBlock) {
  SystemParameterBlock block{};
  PutU32(&block[0], 0xFFFE1234);  // bit 17 set, bits 0..16 = 0x01234
  block[5] = 0xFE;
  block[6] = 0x01;
  SystemParametersPanel panel;
  ImageToPanel(block, panel);
  EXPECT_EQ(panel.Label86, "Системные параметры");
  EXPECT_EQ(panel.EditCALVAL, "4660");
  EXPECT_EQ(panel.ComboBoxCALDIR, 1);
  EXPECT_FALSE(panel.CheckBoxFWUpdateEnable);
  EXPECT_TRUE(panel.CheckBoxCRCCheckDisable);

  PutU32(&block[0], 0x0001FFFF);
  ImageToPanel(block, panel);
  EXPECT_EQ(panel.EditCALVAL, "131071");
  EXPECT_EQ(panel.ComboBoxCALDIR, 0);
}

TEST(SystemParametersPanel, RoundTripChangesOnlyByte4Bit0) {
  SystemParameterBlock block;
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(0x5B + 37 * i);
  block[4] |= 0x01;
  SystemParameterBlock expected = block;
  expected[4] &= 0xFE;
  SystemParametersPanel panel;
  ImageToPanel(block, panel);
  PanelToImage(panel, block);
  EXPECT_EQ(block, expected);
}

TEST(SystemParametersPanel, FactoryBlockShowsZero) {
  const SystemParameterBlock block{};
  SystemParametersPanel panel;
  ImageToPanel(block, panel);
  EXPECT_EQ(panel.EditCALVAL, "0");
  EXPECT_EQ(panel.ComboBoxCALDIR, 0);
  const Controls controls = ListControls(panel);
  ASSERT_EQ(controls.size(), 5u);
  EXPECT_EQ(controls[2].name, "ComboBoxCALDIR");
  ASSERT_NE(controls[2].items, nullptr);
  EXPECT_EQ(*controls[2].items, (Items{"добавить 1 секунду", "вычесть 1 секунду"}));
}

}  // namespace
}  // namespace vkm
