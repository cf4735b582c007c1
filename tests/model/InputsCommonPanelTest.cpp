#include "model/InputsCommonPanel.h"

#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;

TEST(InputsCommonPanel, ListsTheEightPollingDelays) {
  InputsCommonPanel panel;
  const Controls controls = ListControls(panel, kNodeInputsCommon);
  ASSERT_EQ(controls.size(), 1u);
  EXPECT_EQ(controls[0].name, "ComboBoxNoScaningTimeAftReset");
  ASSERT_NE(controls[0].items, nullptr);
  const Items expected = {"0 Sec.",   "15 Sec.",  "30  Sec.", "45  Sec.",
                          "60  Sec.", "75  Sec.", "90  Sec.", "105  Sec."};
  EXPECT_EQ(*controls[0].items, expected);
}

TEST(InputsCommonPanel, DelayOccupiesBitsZeroToTwoOnly) {
  struct Case {
    uint8_t before;
    int index;
    uint8_t after;
  };
  const Case cases[] = {
      {0x00, 0, 0x00}, {0x00, 7, 0x07}, {0xF8, 5, 0xFD}, {0xFF, 0, 0xF8}, {0xA8, -1, 0xAF},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FilledImage(c.before);
    const ConfigurationImage untouched = image;
    InputsCommonPanel panel;
    panel.ComboBoxNoScaningTimeAftReset = c.index;
    PanelToImage(panel, kNodeInputsCommon, image);
    EXPECT_EQ(image[405], c.after) << c.index;
    const std::set<std::size_t> expected =
        c.after == c.before ? std::set<std::size_t>{} : std::set<std::size_t>{405};
    EXPECT_EQ(ChangedOffsets(untouched, image), expected) << c.index;
  }
}

TEST(InputsCommonPanel, ShowsTheLowThreeBits) {
  ConfigurationImage image = FactoryImage();
  image[405] = 0xFB;
  InputsCommonPanel panel;
  ImageToPanel(image, kNodeInputsCommon, panel);
  EXPECT_EQ(panel.ComboBoxNoScaningTimeAftReset, 3);
  PanelToImage(panel, kNodeInputsCommon, image);
  EXPECT_EQ(image[405], 0xFB);
}

TEST(InputsCommonPanel, FactoryRoundTripIsUnchanged) {
  ConfigurationImage image = FactoryImage();
  InputsCommonPanel panel;
  ImageToPanel(image, kNodeInputsCommon, panel);
  EXPECT_EQ(panel.ComboBoxNoScaningTimeAftReset, 0);
  PanelToImage(panel, kNodeInputsCommon, image);
  EXPECT_EQ(image, FactoryImage());
}

}  // namespace
}  // namespace vkm
