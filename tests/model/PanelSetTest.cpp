#include "model/PanelSet.h"

#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

TEST(PanelSet, EnteringAndLeavingEachSectionKeepsTheFactoryImage) {
  for (int node = 0; node < kNodeCount; ++node) {
    ConfigurationDocument document;
    PanelSet panels;
    panels.connectionsCommon.CheckBoxSysPassword = true;
    ImageToPanel(document, node, panels);
    PanelToImage(panels, node, document);
    const std::set<std::size_t> changed = test::ChangedOffsets(FactoryImage(), document.image);
    if (node == kNodeGprsCommon) {
      // "Always connected" stores the longest online time whatever is shown.
      EXPECT_EQ(changed, std::set<std::size_t>{2155});
      EXPECT_EQ(document.image[2155], 30);
    } else {
      EXPECT_TRUE(changed.empty()) << "section " << node << " changed " << changed.size() << " bytes";
    }
    EXPECT_EQ(document.systemParameters, SystemParameterBlock{}) << node;
  }
}

TEST(PanelSet, SectionsWithoutValuesHaveNoControlsAndTouchNothing) {
  for (int node : {kNodeController, kNodeGsm, kNodeGps, kNodeOutputs}) {
    ConfigurationDocument document;
    document.image = test::FilledImage(0x77);
    const ConfigurationDocument before = document;
    PanelSet panels;
    ImageToPanel(document, node, panels);
    PanelToImage(panels, node, document);
    EXPECT_EQ(document, before) << node;
    EXPECT_TRUE(ListControls(panels, node).empty()) << node;
  }
}

TEST(PanelSet, SharedPanelsSelectTheirRecordByNode) {
  ConfigurationDocument document;
  PanelSet panels;
  ImageToPanel(document, kNodeInput1 + 6, panels);
  EXPECT_EQ(panels.input.Label10, "Вход 7");
  EXPECT_EQ(panels.input.ComboBoxSensName, "ВХОД7");
  ImageToPanel(document, kNodeOutput1 + 2, panels);
  EXPECT_EQ(panels.output.ComboBoxReleName, "ВЫХОД3");

  panels.connection.MaskEditPhone = "+79161234567";
  PanelToImage(panels, kNodeConnection1 + 7, document);
  EXPECT_EQ(document.image[373], '+');
  EXPECT_EQ(document.image[156], 0);

  panels.systemParameters.EditCALVAL = "100";
  PanelToImage(panels, kNodeSystemParameters, document);
  EXPECT_EQ(document.systemParameters[0], 100);
}

TEST(PanelSet, EveryControlNameIsUniqueWithinItsSection) {
  PanelSet panels;
  for (int node = 0; node < kNodeCount; ++node) {
    std::set<std::string> names;
    for (const ControlRef& control : ListControls(panels, node)) {
      EXPECT_TRUE(names.insert(control.name).second) << node << " " << control.name;
    }
  }
}

}  // namespace
}  // namespace vkm
