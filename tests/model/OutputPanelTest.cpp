#include "model/OutputPanel.h"

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

using Lines = std::vector<std::string>;

constexpr std::size_t kOutput2 = 1164;

Lines StimulusOf(ConfigurationImage& image, int output) {
  OutputPanel panel;
  ImageToPanel(image, kNodeOutput1 + output - 1, panel);
  return panel.MemoRsOutsStimulus;
}

// Scheduler row r set to drive `output` with `reaction` at hour:minute on Monday.
void SetSchedulerRow(ConfigurationImage& image, int r, int output, uint8_t reaction, uint8_t hour, uint8_t minute) {
  uint8_t* row = &image[1908 + 16 * static_cast<std::size_t>(r - 1)];
  row[0] = 0x01;
  row[4] = 0x01;
  row[5] = hour;
  row[6] = minute;
  row[12] = 3 << 2;
  row[13] = static_cast<uint8_t>(output - 1);
  row[14] = reaction;
}

TEST(OutputPanel, FactoryImageShowsEachOutput) {
  ConfigurationImage image = FactoryImage();
  for (int n = 1; n <= 6; ++n) {
    OutputPanel panel;
    ImageToPanel(image, kNodeOutput1 + n - 1, panel);
    EXPECT_EQ(panel.Label6, "Выход " + std::to_string(n));
    EXPECT_EQ(panel.ComboBoxReleName, "ВЫХОД" + std::to_string(n));
    EXPECT_EQ(panel.ComboBoxReleNameAct, "ВКЛ");
    EXPECT_EQ(panel.ComboBoxReleNameDeact, "ВЫКЛ");
    EXPECT_EQ(panel.ComboBoxCommType, 0);
    EXPECT_TRUE(panel.CheckBoxReleEn);
    EXPECT_FALSE(panel.CheckBoxReleInversion);
    EXPECT_TRUE(panel.CheckBoxRemoteControlEn);
    EXPECT_EQ(panel.GroupBoxRsOutsStimulus,
              " События воздействующие на этот выход [Вкладка | Воздействие | Событие] ");
    EXPECT_TRUE(panel.MemoRsOutsStimulus.empty()) << n;
  }
}

TEST(OutputPanel, StoresTheFlagByteAndShowsItBack) {
  struct Case {
    int commType;
    bool enabled, inverted, remote;
    uint8_t stored;
    int shownCommType;
  };
  const Case cases[] = {
      {0, true, false, true, 0xA0, 0},
      {14, true, true, true, 0xEE, 14},
      {1, false, true, false, 0x41, 1},
      {-1, false, false, false, 0x1F, -1},  // no selection stores all ones
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FilledImage(0x55);
    OutputPanel panel;
    panel.ComboBoxCommType = c.commType;
    panel.CheckBoxReleEn = c.enabled;
    panel.CheckBoxReleInversion = c.inverted;
    panel.CheckBoxRemoteControlEn = c.remote;
    PanelToImage(panel, kNodeOutput1 + 1, image);
    EXPECT_EQ(image[kOutput2 + 51], c.stored) << c.commType;
    OutputPanel shown;
    ImageToPanel(image, kNodeOutput1 + 1, shown);
    EXPECT_EQ(shown.ComboBoxCommType, c.shownCommType);
    EXPECT_EQ(shown.CheckBoxReleEn, c.enabled);
    EXPECT_EQ(shown.CheckBoxReleInversion, c.inverted);
    EXPECT_EQ(shown.CheckBoxRemoteControlEn, c.remote);
  }
}

TEST(OutputPanel, SwitchingTypeWithoutItemShowsNoSelection) {
  ConfigurationImage image = FactoryImage();
  image[kOutput2 + 51] = 0xB0;  // type 16: there are only 15 items
  OutputPanel panel;
  ImageToPanel(image, kNodeOutput1 + 1, panel);
  EXPECT_EQ(panel.ComboBoxCommType, -1);
  PanelToImage(panel, kNodeOutput1 + 1, image);
  EXPECT_EQ(image[kOutput2 + 51], 0xBF);
}

TEST(OutputPanel, StoresNamesUntrimmedAndWritesOnlyItsRecord) {
  const ConfigurationImage before = FilledImage(0xAA);
  ConfigurationImage image = before;
  OutputPanel panel;
  panel.ComboBoxReleName = " ЛАМПА ";
  panel.ComboBoxReleNameAct = "ABCDEFGHIJKLMNOPQRS";  // cut to 16 characters
  panel.ComboBoxReleNameDeact = "";
  PanelToImage(panel, kNodeOutput1 + 1, image);

  EXPECT_EQ(ChangedOffsets(before, image), Span(kOutput2, kOutput2 + 51));
  const uint8_t name[17] = {' ', 0xCB, 0xC0, 0xCC, 0xCF, 0xC0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(&image[kOutput2], name, 17), 0);
  EXPECT_EQ(std::memcmp(&image[kOutput2 + 17], "ABCDEFGHIJKLMNOP\0", 17), 0);
  EXPECT_EQ(std::memcmp(&image[kOutput2 + 34], std::string(17, '\0').data(), 17), 0);
}

TEST(OutputPanel, ShowingTerminatesEachNameInTheImage) {
  ConfigurationImage image = FactoryImage();
  std::memset(&image[kOutput2], 'A', 51);  // no NUL in any of the three names
  OutputPanel panel;
  ImageToPanel(image, kNodeOutput1 + 1, panel);
  EXPECT_EQ(panel.ComboBoxReleName, std::string(16, 'A'));
  EXPECT_EQ(panel.ComboBoxReleNameAct, std::string(16, 'A'));
  EXPECT_EQ(panel.ComboBoxReleNameDeact, std::string(16, 'A'));
  EXPECT_EQ(image[kOutput2 + 16], 0);
  EXPECT_EQ(image[kOutput2 + 33], 0);
  EXPECT_EQ(image[kOutput2 + 50], 0);
  EXPECT_EQ(image[kOutput2 + 15], 'A');
}

TEST(OutputPanel, FactoryRoundTripKeepsTheImage) {
  ConfigurationImage image = FactoryImage();
  for (int node = kNodeOutput1; node < kNodeOutput1 + 6; ++node) {
    OutputPanel panel;
    ImageToPanel(image, node, panel);
    PanelToImage(panel, node, image);
  }
  EXPECT_EQ(image, FactoryImage());
}

TEST(OutputPanel, ListsControlsWithTheirItems) {
  OutputPanel panel;
  const Controls controls = ListControls(panel, kNodeOutput1);
  auto find = [&](const std::string& name) -> const ControlRef& {
    for (const ControlRef& c : controls) {
      if (c.name == name) return c;
    }
    ADD_FAILURE() << name;
    return controls.front();
  };
  const ControlRef& commType = find("ComboBoxCommType");
  ASSERT_NE(commType.items, nullptr);
  ASSERT_EQ(commType.items->size(), 15u);
  EXPECT_EQ(commType.items->front(), "уровень");
  EXPECT_EQ(commType.items->back(), "сценарий 14");
  ASSERT_NE(find("ComboBoxReleName").items, nullptr);
  EXPECT_EQ(find("ComboBoxReleName").items->at(1), "ОБОГРЕВАТЕЛЬ");
  ASSERT_NE(find("ComboBoxReleNameDeact").items, nullptr);
  EXPECT_EQ(find("ComboBoxReleNameDeact").items->back(), "OFF");
  EXPECT_EQ(find("MemoRsOutsStimulus").kind, ControlKind::Memo);
}

// --- The stimulus list -------------------------------------------------------

TEST(OutputPanelStimulus, SchedulerRowActsOnlyOnItsOutput) {
  ConfigurationImage image = FactoryImage();
  SetSchedulerRow(image, 5, 2, 1, 8, 5);
  EXPECT_EQ(StimulusOf(image, 2),
            Lines{"[Часы, планировщик задач]\t\tвключить\tВ 8:5 в указанные дни недели, строка № 5"});
  EXPECT_TRUE(StimulusOf(image, 1).empty());
}

TEST(OutputPanelStimulus, SchedulerRowsThatDoNotActAreLeftOut) {
  struct Case {
    const char* what;
    std::size_t offset;  // within the row
    uint8_t value;
  };
  const Case cases[] = {
      {"row disabled", 0, 0x00},
      {"only bit 7 of the weekdays", 4, 0x80},
      {"action: arm", 12, 1 << 2},
      {"action code 4", 12, 4 << 2},
      {"other output", 13, 0x02},
      {"no reaction", 14, 0},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    SetSchedulerRow(image, 1, 2, 3, 23, 59);
    ASSERT_EQ(StimulusOf(image, 2).size(), 1u);
    image[1908 + c.offset] = c.value;
    EXPECT_TRUE(StimulusOf(image, 2).empty()) << c.what;
  }
}

TEST(OutputPanelStimulus, SchedulerTimeUsesOnlyItsBits) {
  ConfigurationImage image = FactoryImage();
  SetSchedulerRow(image, 8, 6, 16, 0xE0 | 17, 0xC0 | 0);
  image[1908 + 7 * 16 + 13] = 0xF5;  // bits 4..7 of the output byte are not the output
  EXPECT_EQ(StimulusOf(image, 6),
            Lines{"[Часы, планировщик задач]\t\tсценарий 14\tВ 17:0 в указанные дни недели, строка № 8"});
}

TEST(OutputPanelStimulus, ListsEverySourceInOrder) {
  ConfigurationImage image = FactoryImage();
  // Input 1 deactivation and input 7 activation.
  image[408 + 82 + 1] = 2;
  image[936 + 76 + 1] = 4;
  // Arm In, in the record's own order: arming, disarming, countdown, ЗАЩИТА.
  image[2322 + 1] = 1;
  image[2328 + 1] = 2;
  image[2334 + 1] = 3;
  image[2340 + 1] = 16;
  // Temperature reactions on output 2: low "выключить" below 30, high "сценарий 2" above -15.
  image[2051] = 30;
  image[2052] = 1 + 8 * 2;
  image[2053] = 0xF1;
  image[2054] = 1 + 8 * 4;
  SetSchedulerRow(image, 3, 2, 2, 12, 30);

  const Lines expected = {
      "[Часы, планировщик задач]\t\tвыключить\tВ 12:30 в указанные дни недели, строка № 3",
      "[Питание, температура...]\t\tсценарий 2\tПри превышении температуры выше -15C",
      "[Питание, температура...]\t\tвыключить\tПри падении температуры ниже 30C",
      "Вход [Arm In]\t\t\tсценарий 1\tПри начале обратного отсчета",
      "Вход [Arm In]\t\t\tвключить\tПри переходе в режим ОХРАНА",
      "Вход [Arm In]\t\t\tвыключить\tПри переходе в режим НАБЛЮДЕНИЕ",
      "Вход [Arm In]\t\t\tсценарий 14\tПри переходе в режим ЗАЩИТА",
      "[Входы1]\t\t\t\tвыключить\tПри деактивизации входа 1",
      "[Входы7]\t\t\t\tсценарий 2\tПри активизации входа 7",
  };
  EXPECT_EQ(StimulusOf(image, 2), expected);
  EXPECT_TRUE(StimulusOf(image, 1).empty());
  EXPECT_TRUE(StimulusOf(image, 3).empty());
}

TEST(OutputPanelStimulus, InputActivationComesBeforeDeactivation) {
  ConfigurationImage image = FactoryImage();
  image[584 + 76 + 5] = 1;  // input 3, output 6
  image[584 + 82 + 5] = 2;
  image[1024 + 76 + 5] = 1;  // record 8 has no section and drives nothing here
  EXPECT_EQ(StimulusOf(image, 6), (Lines{"[Входы3]\t\t\t\tвключить\tПри активизации входа 3",
                                         "[Входы3]\t\t\t\tвыключить\tПри деактивизации входа 3"}));
}

TEST(OutputPanelStimulus, TemperatureNeedsItsOutputAndAReaction) {
  struct Case {
    uint8_t high;
    int output;
    std::size_t lines;
  };
  const Case cases[] = {
      {0x00, 1, 0},          // output 1, no reaction
      {0x08, 1, 1},          // output 1, "включить"
      {0x08, 2, 0},
      {0x05 + 0x80, 6, 1},   // output 6, "сценарий 14"
      {0x05 + 0x80, 5, 0},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    image[2054] = c.high;
    EXPECT_EQ(StimulusOf(image, c.output).size(), c.lines) << int{c.high} << " output " << c.output;
  }
}

TEST(OutputPanelStimulus, ReactionCodeWithoutItemIsNamedByNumber) {
  ConfigurationImage image = FactoryImage();
  image[2054] = static_cast<uint8_t>(0 + 8 * 20);
  image[2053] = 127;
  EXPECT_EQ(StimulusOf(image, 1), Lines{"[Питание, температура...]\t\t20\tПри превышении температуры выше 127C"});
}

TEST(OutputPanelStimulus, ListIsRebuiltOnEveryShow) {
  ConfigurationImage image = FactoryImage();
  SetSchedulerRow(image, 1, 2, 1, 1, 1);
  OutputPanel panel;
  ImageToPanel(image, kNodeOutput1 + 1, panel);
  ASSERT_EQ(panel.MemoRsOutsStimulus.size(), 1u);
  ImageToPanel(image, kNodeOutput1, panel);
  EXPECT_TRUE(panel.MemoRsOutsStimulus.empty());
}

}  // namespace
}  // namespace vkm
