#include "model/RegistratorPanel.h"

#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/ImageEncoding.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;
using test::Span;

TEST(RegistratorPanel, FactoryImageShowsBothGroups) {
  ConfigurationImage image = FactoryImage();
  RegistratorPanel panel;
  ImageToPanel(image, kNodeRegistrator, panel);
  EXPECT_FALSE(panel.CheckBoxBBOnOff);
  EXPECT_FALSE(panel.CheckBoxAutoUploadGPSviaGPRS);
  EXPECT_EQ(panel.MaskEditGPSAndTime_Sec, "0 Сек.");
  EXPECT_EQ(panel.MaskEditGPSAndDist_M, "0 М.");
  EXPECT_EQ(panel.MaskEditGPSAndSpeed_Km_H, "0 Км.-ч.");
  EXPECT_EQ(panel.MaskEditGPSOrTime_Sec, "3600 Сек.");
  EXPECT_EQ(panel.MaskEditGPSOrDist_M, "100 М.");
  EXPECT_EQ(panel.MaskEditGPSOrSpeed_Km_H, "60 Км.-ч.");
  EXPECT_EQ(ListControls(panel, kNodeRegistrator).size(), 8u);
}

TEST(RegistratorPanel, EditsAreReadUpToTheUnit) {
  struct Case {
    const char* text;
    uint16_t stored;
  };
  const Case cases[] = {
      {"3600 Сек.", 3600}, {"  15 М.", 15}, {"15", 15}, {"", 0}, {" Сек.", 0},
      {"abc", 0},          {"65535 Сек.", 65535}, {"65536 Сек.", 65535}, {"99999", 65535},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    RegistratorPanel panel;
    panel.MaskEditGPSAndTime_Sec = c.text;
    panel.MaskEditGPSOrSpeed_Km_H = c.text;
    PanelToImage(panel, kNodeRegistrator, image);
    EXPECT_EQ(GetU16(&image[2290]), c.stored) << c.text;
    EXPECT_EQ(GetU16(&image[2300]), c.stored) << c.text;
  }
}

TEST(RegistratorPanel, EachEditHasItsOwnField) {
  ConfigurationImage image{};
  RegistratorPanel panel;
  panel.CheckBoxAutoUploadGPSviaGPRS = true;
  panel.MaskEditGPSAndTime_Sec = "1 Сек.";
  panel.MaskEditGPSAndDist_M = "2 М.";
  panel.MaskEditGPSAndSpeed_Km_H = "3 Км.-ч.";
  panel.MaskEditGPSOrTime_Sec = "260 Сек.";
  panel.MaskEditGPSOrDist_M = "5 М.";
  panel.MaskEditGPSOrSpeed_Km_H = "999 Км.-ч.";
  PanelToImage(panel, kNodeRegistrator, image);
  const uint8_t expected[14] = {0x02, 0x00, 1, 0, 2, 0, 3, 0, 0x04, 0x01, 5, 0, 0xE7, 0x03};
  for (std::size_t i = 0; i < 14; ++i) EXPECT_EQ(image[2288 + i], expected[i]) << i;
}

TEST(RegistratorPanel, StoringWritesOnlyItsBytes) {
  const ConfigurationImage before = FilledImage(0xAA);
  ConfigurationImage image = before;
  RegistratorPanel panel;
  panel.CheckBoxBBOnOff = true;  // bit 0 set, bit 1 cleared
  PanelToImage(panel, kNodeRegistrator, image);
  std::set<std::size_t> expected = {2288};
  for (std::size_t offset : Span(2290, 2301)) expected.insert(offset);
  EXPECT_EQ(ChangedOffsets(before, image), expected);
  EXPECT_EQ(image[2288], 0xA9);  // bits 2..7 kept
}

TEST(RegistratorPanel, RoundTripKeepsTheImage) {
  ConfigurationImage image = FactoryImage();
  image[2288] = 0xFF;
  PutU16(&image[2290], 65535);
  PutU16(&image[2294], 999);
  for (const ConfigurationImage& start : {FactoryImage(), image}) {
    ConfigurationImage copy = start;
    RegistratorPanel panel;
    ImageToPanel(copy, kNodeRegistrator, panel);
    PanelToImage(panel, kNodeRegistrator, copy);
    EXPECT_EQ(copy, start);
  }
}

}  // namespace
}  // namespace vkm
