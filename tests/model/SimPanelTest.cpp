#include "model/SimPanel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;
using test::Span;

TEST(SimPanel, FactoryImageShowsEmptyFields) {
  ConfigurationImage image = FactoryImage();
  SimPanel panel;
  ImageToPanel(image, kNodeSim1, panel);
  EXPECT_EQ(panel.Label34, "SIM1");
  EXPECT_EQ(panel.MaskEditPIN, "");
  EXPECT_EQ(panel.EditBalansMinVal, "0");
  EXPECT_EQ(panel.EditReqPeriodH, "0");
}

TEST(SimPanel, StoresEachFieldByItsRule) {
  ConfigurationImage image{};
  SimPanel panel;
  panel.MaskEditPIN = "12  ";
  panel.MaskEditBalansReqCMD = " *100# ";
  panel.MaskEditBalansIdWord = " ab ";
  panel.EditBalansMinVal = " 1234 ";
  panel.EditReqPeriodH = "24";
  PanelToImage(panel, kNodeSim1, image);

  const uint8_t* record = &image[28];
  EXPECT_EQ(std::memcmp(record, "12\0\0\0\0\0\0\0", 9), 0);
  EXPECT_EQ(std::memcmp(record + 26, "*100#\0\0\0\0", 9), 0);
  EXPECT_EQ(std::memcmp(record + 35, "ab \0\0\0\0\0\0", 9), 0);  // trailing blank kept
  EXPECT_EQ(record[44], 1234 & 0xFF);
  EXPECT_EQ(record[45], 1234 >> 8);
  EXPECT_EQ(record[46], 24);
  EXPECT_EQ(panel.EditBalansMinVal, "1234");  // the trimmed text goes back into the edit
}

TEST(SimPanel, NumbersAreLimitedToTheirFields) {
  struct Case {
    const char* threshold;
    const char* period;
    const char* shownThreshold;
    const char* shownPeriod;
  };
  const Case cases[] = {
      {"70000", "300", "65535", "255"},
      {"-1", "-1", "65535", "255"},
      {"abc", "12h", "0", "0"},
      {"65535", "255", "65535", "255"},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    SimPanel panel;
    panel.EditBalansMinVal = c.threshold;
    panel.EditReqPeriodH = c.period;
    PanelToImage(panel, kNodeSim2, image);
    ImageToPanel(image, kNodeSim2, panel);
    EXPECT_EQ(panel.EditBalansMinVal, c.shownThreshold) << c.threshold;
    EXPECT_EQ(panel.EditReqPeriodH, c.shownPeriod) << c.period;
  }
}

TEST(SimPanel, StoringSim2WritesOnlyItsFields) {
  const ConfigurationImage before = FilledImage(0xAA);
  ConfigurationImage image = before;
  SimPanel panel;
  PanelToImage(panel, kNodeSim2, image);
  std::set<std::size_t> expected = Span(76, 84);
  for (std::size_t offset : Span(102, 122)) expected.insert(offset);
  EXPECT_EQ(ChangedOffsets(before, image), expected);
}

TEST(SimPanel, RoundTripKeepsTheImage) {
  ConfigurationImage image = FactoryImage();
  std::memcpy(&image[76], "1234", 4);
  std::memcpy(&image[102], "*102#", 5);
  std::memcpy(&image[111], "Bal ", 4);
  image[120] = 0x10;
  image[122] = 12;
  const ConfigurationImage before = image;
  SimPanel panel;
  ImageToPanel(image, kNodeSim2, panel);
  EXPECT_EQ(panel.MaskEditBalansIdWord, "Bal ");
  PanelToImage(panel, kNodeSim2, image);
  EXPECT_EQ(image, before);
}

TEST(SimPanel, OperatorPresetsFillBothEdits) {
  SimPanel panel;
  ApplyBalancePreset(panel, BalancePreset::Beeline);
  EXPECT_EQ(panel.MaskEditBalansReqCMD, "*102#");
  EXPECT_EQ(panel.MaskEditBalansIdWord, "Баланс ");
  ApplyBalancePreset(panel, BalancePreset::Megafon);
  EXPECT_EQ(panel.MaskEditBalansIdWord, "");
  ApplyBalancePreset(panel, BalancePreset::Tele2);
  EXPECT_EQ(panel.MaskEditBalansReqCMD, "*105#");
  EXPECT_EQ(panel.MaskEditBalansIdWord, "OCTATOK ");
}

}  // namespace
}  // namespace vkm
