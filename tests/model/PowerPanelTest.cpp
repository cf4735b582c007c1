#include "model/PowerPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;

const ControlRef& Find(const Controls& controls, const std::string& name) {
  const auto it = std::find_if(controls.begin(), controls.end(), [&](const ControlRef& c) { return c.name == name; });
  if (it == controls.end()) throw std::runtime_error("no control " + name);
  return *it;
}

// The text of the item a combo box shows.
std::string Shown(PowerPanel& panel, const std::string& name) {
  const Controls controls = ListControls(panel, kNodePower);
  const ControlRef& control = Find(controls, name);
  const int index = *std::get<int*>(control.field);
  return index < 0 ? std::string("(none)") : control.items->at(static_cast<std::size_t>(index));
}

TEST(PowerPanel, StartsWithTheWindowsInitialValues) {
  PowerPanel panel;
  EXPECT_EQ(panel.TrackBarDischargeWarn, 60);
  EXPECT_EQ(panel.TrackBarDischargeAlarm, 80);
  EXPECT_EQ(panel.Label4, "0%");
  EXPECT_EQ(panel.Label14, "0%");
  EXPECT_EQ(panel.TrackBarTemperatHiBorder, 0);
  EXPECT_EQ(panel.TrackBarTemperatLowBorder, 0);
  EXPECT_EQ(panel.LabelHiBorder, "--C");
  EXPECT_EQ(panel.LabelLowBorder, "--C");
}

TEST(PowerPanel, FactoryImageShowsTheFactorySettings) {
  ConfigurationImage image = FactoryImage();
  PowerPanel panel;
  ImageToPanel(image, kNodePower, panel);
  EXPECT_EQ(panel.Label23, "Питание, температура");
  EXPECT_EQ(Shown(panel, "ComboBoxPowerSignAverTime"), "4 Sec.");
  EXPECT_EQ(Shown(panel, "ComboBoxRecoveryTime"), "32 Min.");
  EXPECT_TRUE(panel.CheckBoxExtPowerFault);
  EXPECT_TRUE(panel.CheckBoxExtPowerRec);
  EXPECT_FALSE(panel.CheckBoxAsFaultSendGPSPos);
  EXPECT_EQ(panel.TrackBarDischargeWarn, 60);
  EXPECT_EQ(panel.Label4, "40%");
  EXPECT_EQ(panel.TrackBarDischargeAlarm, 80);
  EXPECT_EQ(panel.Label14, "20%");
  EXPECT_TRUE(panel.CheckBoxBatteryDischargeWarnEventEn);
  EXPECT_TRUE(panel.CheckBoxBatteryDischargeAlarmEventEn);
  EXPECT_FALSE(panel.CheckBoxAsDischargeSendGPSPos);
  EXPECT_TRUE(panel.CheckBoxTemperatureEvent);
  EXPECT_EQ(panel.TrackBarTemperatLowBorder, -25);
  EXPECT_EQ(panel.LabelLowBorder, "-25° C");
  EXPECT_EQ(panel.TrackBarTemperatHiBorder, 60);
  EXPECT_EQ(panel.LabelHiBorder, "60° C");
  EXPECT_EQ(Shown(panel, "ComboBoxLoBorderLevel"), "-20° C");
  EXPECT_EQ(Shown(panel, "ComboBoxLoBorderOut"), "Выход 1");
  EXPECT_EQ(Shown(panel, "ComboBoxLoBorderScn"), "нет реакции");
  EXPECT_EQ(Shown(panel, "ComboBoxHiBorderLevel"), "-15° C");
  EXPECT_EQ(Shown(panel, "ComboBoxHiBorderOut"), "Выход 1");
  EXPECT_EQ(Shown(panel, "ComboBoxHiBorderScn"), "нет реакции");
}

TEST(PowerPanel, ListsTheWidgetsItemsAndRanges) {
  PowerPanel panel;
  const Controls controls = ListControls(panel, kNodePower);
  const Items& levels = *Find(controls, "ComboBoxHiBorderLevel").items;
  ASSERT_EQ(levels.size(), 129u);
  EXPECT_EQ(levels.front(), "89° C");
  EXPECT_EQ(levels[89], "0° C");
  EXPECT_EQ(levels.back(), "-39° C");
  EXPECT_EQ(Find(controls, "ComboBoxLoBorderLevel").items, &levels);
  const Items& average = *Find(controls, "ComboBoxPowerSignAverTime").items;
  ASSERT_EQ(average.size(), 8u);
  EXPECT_EQ(average.front(), "2 Sec.");
  EXPECT_EQ(average.back(), "256 Sec.");
  EXPECT_EQ(Find(controls, "ComboBoxRecoveryTime").items->back(), "256 Min.");
  EXPECT_EQ(Find(controls, "ComboBoxLoBorderOut").items->size(), 6u);
  EXPECT_EQ(Find(controls, "ComboBoxHiBorderScn").items->size(), 17u);
  const ControlRef& warn = Find(controls, "TrackBarDischargeWarn");
  EXPECT_EQ(warn.minimum, 0);
  EXPECT_EQ(warn.maximum, 100);
  const ControlRef& low = Find(controls, "TrackBarTemperatLowBorder");
  EXPECT_EQ(low.minimum, -40);
  EXPECT_EQ(low.maximum, 90);
}

TEST(PowerPanel, FactoryImageRoundTripsUnchanged) {
  ConfigurationImage image = FactoryImage();
  PowerPanel panel;
  ImageToPanel(image, kNodePower, panel);
  PanelToImage(panel, kNodePower, image);
  EXPECT_EQ(image, FactoryImage());
}

TEST(PowerPanel, StoresEachFieldByItsRule) {
  ConfigurationImage image = FactoryImage();
  PowerPanel panel;
  ImageToPanel(image, kNodePower, panel);
  panel.ComboBoxPowerSignAverTime = 7;
  panel.ComboBoxRecoveryTime = 0;
  panel.CheckBoxExtPowerFault = false;
  panel.CheckBoxAsFaultSendGPSPos = true;
  panel.TrackBarDischargeWarn = 75;
  panel.TrackBarDischargeAlarm = 90;
  panel.CheckBoxBatteryDischargeAlarmEventEn = false;
  panel.CheckBoxAsDischargeSendGPSPos = true;
  panel.CheckBoxTemperatureEvent = false;
  panel.TrackBarTemperatLowBorder = -32;
  panel.TrackBarTemperatHiBorder = 82;
  panel.ComboBoxHiBorderLevel = 89;  // 0 degrees
  panel.ComboBoxLoBorderLevel = 128;  // -39 degrees
  panel.ComboBoxHiBorderOut = 5;
  panel.ComboBoxHiBorderScn = 16;
  panel.ComboBoxLoBorderOut = 2;
  panel.ComboBoxLoBorderScn = 1;
  PanelToImage(panel, kNodePower, image);

  EXPECT_EQ(image[2036], 0x87);  // averaging 7, fault off, interval 0, return on
  EXPECT_EQ(image[2037], 0x01);
  EXPECT_EQ(image[2040], 10);    // 100 - 90, not reported
  EXPECT_EQ(image[2041], 0x80 | 25);
  EXPECT_EQ(image[2042], 0x01);
  EXPECT_EQ(image[2048], 0x00);
  EXPECT_EQ(image[2049], 0xE0);  // -32
  EXPECT_EQ(image[2050], 82);
  EXPECT_EQ(image[2051], 0xD9);  // -39
  EXPECT_EQ(image[2052], 2 + 8 * 1);
  EXPECT_EQ(image[2053], 0x00);
  EXPECT_EQ(image[2054], 0x85);  // "Выход 6", "сценарий 14"
}

TEST(PowerPanel, NoSelectionStoresAllOnes) {
  ConfigurationImage image = FactoryImage();
  PowerPanel panel;  // every list starts without a selection
  PanelToImage(panel, kNodePower, image);
  EXPECT_EQ(image[2036] & 0x77, 0x77);
  EXPECT_EQ(image[2051], 90);
  EXPECT_EQ(image[2053], 90);
  EXPECT_EQ(image[2052], 0xFF);
  EXPECT_EQ(image[2054], 0xFF);
}

TEST(PowerPanel, StoredValuesWithoutAnItemShowNoSelection) {
  struct Case {
    uint8_t level;
    uint8_t reaction;
    int levelIndex;
    int output;
    int scenario;
  };
  const Case cases[] = {
      {89, 0x00, 0, 0, 0},
      {0xD9, 0x85, 128, 5, 16},
      {90, 0x06, -1, -1, 0},      // 90 degrees and output 7
      {0xD8, 0x88, -1, 0, -1},    // -40 degrees and reaction 17
      {0x80, 0xFF, -1, -1, -1},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    image[2051] = image[2053] = c.level;
    image[2052] = image[2054] = c.reaction;
    PowerPanel panel;
    ImageToPanel(image, kNodePower, panel);
    EXPECT_EQ(panel.ComboBoxLoBorderLevel, c.levelIndex) << int{c.level};
    EXPECT_EQ(panel.ComboBoxHiBorderLevel, c.levelIndex) << int{c.level};
    EXPECT_EQ(panel.ComboBoxLoBorderOut, c.output) << int{c.reaction};
    EXPECT_EQ(panel.ComboBoxHiBorderScn, c.scenario) << int{c.reaction};
  }
}

TEST(PowerPanel, StoringKeepsReservedBytesAndUnnamedBits) {
  const ConfigurationImage before = FilledImage(0xFF);
  ConfigurationImage image = before;
  PowerPanel panel;
  panel.ComboBoxPowerSignAverTime = 0;
  panel.ComboBoxRecoveryTime = 0;
  PanelToImage(panel, kNodePower, image);
  const std::set<std::size_t> changed = ChangedOffsets(before, image);
  for (std::size_t offset : {2038, 2039, 2043, 2044, 2045, 2046, 2047}) EXPECT_EQ(changed.count(offset), 0u) << offset;
  for (std::size_t offset : changed) {
    EXPECT_TRUE(offset >= 2036 && offset <= 2054) << offset;
  }
  EXPECT_EQ(image[2037], 0xFE);
  EXPECT_EQ(image[2042], 0xFE);
  EXPECT_EQ(image[2048], 0xFE);

  ConfigurationImage factory = FactoryImage();
  PanelToImage(panel, kNodePower, factory);
  EXPECT_EQ(factory[2045], 0x04);
}

TEST(PowerPanel, BatterySlidersKeepTheirOrder) {
  struct Case {
    const char* what;
    bool moveWarn;
    int warn, alarm, moved;
    int finalWarn, finalAlarm;
    const char* label4;
    const char* label14;
  };
  const Case cases[] = {
      {"first border past 90 %", true, 60, 80, 5, 10, 80, "90%", "20%"},
      {"second follows the first", true, 60, 8, 5, 10, 10, "90%", "90%"},
      {"first pushes the second", true, 20, 40, 70, 70, 70, "30%", "30%"},
      {"first within its limits", true, 60, 80, 75, 75, 80, "25%", "20%"},
      {"second pulls the first", false, 60, 80, 30, 30, 30, "70%", "70%"},
      {"second pulls the first to 90 %", false, 40, 80, 3, 10, 10, "90%", "90%"},
      {"second within its limits", false, 60, 80, 95, 60, 95, "40%", "5%"},
  };
  for (const Case& c : cases) {
    PowerPanel panel;
    panel.TrackBarDischargeWarn = c.warn;
    panel.TrackBarDischargeAlarm = c.alarm;
    panel.Label4 = std::to_string(100 - c.warn) + "%";
    panel.Label14 = std::to_string(100 - c.alarm) + "%";
    if (c.moveWarn) {
      panel.TrackBarDischargeWarn = c.moved;
      OnDischargeWarnChanged(panel);
    } else {
      panel.TrackBarDischargeAlarm = c.moved;
      OnDischargeAlarmChanged(panel);
    }
    EXPECT_EQ(panel.TrackBarDischargeWarn, c.finalWarn) << c.what;
    EXPECT_EQ(panel.TrackBarDischargeAlarm, c.finalAlarm) << c.what;
    EXPECT_EQ(panel.Label4, c.label4) << c.what;
    EXPECT_EQ(panel.Label14, c.label14) << c.what;
  }
}

TEST(PowerPanel, TemperatureSlidersKeepTwoDegreesApart) {
  struct Case {
    const char* what;
    bool moveHi;
    int low, hi, moved;
    int finalLow, finalHi;
  };
  const Case cases[] = {
      {"upper pushes the lower down", true, 9, 20, 10, 8, 10},
      {"lower clamped and pushes the upper", false, 20, 60, 85, 80, 82},
      {"lower clamped, upper already above", false, 20, 82, 85, 80, 82},
      {"upper clamped above", true, 0, 20, 90, 0, 82},
      {"upper clamped below pushes the lower", true, -31, 20, -40, -32, -30},
      {"lower pushes the upper up", false, 0, 10, 9, 9, 11},
      {"exactly two apart is kept", true, 8, 20, 10, 8, 10},
  };
  for (const Case& c : cases) {
    PowerPanel panel;
    panel.TrackBarTemperatLowBorder = c.low;
    panel.TrackBarTemperatHiBorder = c.hi;
    if (c.moveHi) {
      panel.TrackBarTemperatHiBorder = c.moved;
      OnTemperatHiChanged(panel);
    } else {
      panel.TrackBarTemperatLowBorder = c.moved;
      OnTemperatLowChanged(panel);
    }
    EXPECT_EQ(panel.TrackBarTemperatLowBorder, c.finalLow) << c.what;
    EXPECT_EQ(panel.TrackBarTemperatHiBorder, c.finalHi) << c.what;
    // The moved slider's label and any pushed slider's label show final positions.
    const std::string& movedLabel = c.moveHi ? panel.LabelHiBorder : panel.LabelLowBorder;
    EXPECT_EQ(movedLabel, std::to_string(c.moveHi ? c.finalHi : c.finalLow) + "° C") << c.what;
    if (c.finalLow != c.low) {
      EXPECT_EQ(panel.LabelLowBorder, std::to_string(c.finalLow) + "° C") << c.what;
    }
    if (c.finalHi != c.hi) {
      EXPECT_EQ(panel.LabelHiBorder, std::to_string(c.finalHi) + "° C") << c.what;
    }
  }
}

TEST(PowerPanel, LevelListsKeepTheUpperLevelAboveTheLower) {
  PowerPanel panel;
  panel.ComboBoxLoBorderLevel = 40;
  panel.ComboBoxHiBorderLevel = 50;  // lower in degrees than the low level
  OnHiBorderLevelChanged(panel);
  EXPECT_EQ(panel.ComboBoxLoBorderLevel, 50);
  panel.ComboBoxHiBorderLevel = 20;
  OnHiBorderLevelChanged(panel);
  EXPECT_EQ(panel.ComboBoxLoBorderLevel, 50);
  panel.ComboBoxLoBorderLevel = 10;
  OnLoBorderLevelChanged(panel);
  EXPECT_EQ(panel.ComboBoxHiBorderLevel, 10);
  panel.ComboBoxLoBorderLevel = 30;
  OnLoBorderLevelChanged(panel);
  EXPECT_EQ(panel.ComboBoxHiBorderLevel, 10);
}

TEST(PowerPanel, ShowingMendsBordersOutOfOrder) {
  ConfigurationImage image = FactoryImage();
  image[2041] = 0x80 | 95;  // first border above 90 %
  image[2040] = 0x80 | 93;  // second border above the first
  image[2049] = 30;         // lower border above the upper
  image[2050] = 20;
  image[2051] = 10;         // levels are shown as stored, even out of order
  image[2053] = 40;
  PowerPanel panel;
  ImageToPanel(image, kNodePower, panel);
  EXPECT_EQ(panel.TrackBarDischargeWarn, 10);
  EXPECT_EQ(panel.TrackBarDischargeAlarm, 10);
  EXPECT_EQ(panel.Label4, "90%");
  EXPECT_EQ(panel.Label14, "90%");
  EXPECT_EQ(panel.TrackBarTemperatLowBorder, 18);
  EXPECT_EQ(panel.TrackBarTemperatHiBorder, 20);
  EXPECT_EQ(panel.LabelLowBorder, "18° C");
  EXPECT_EQ(panel.LabelHiBorder, "20° C");
  EXPECT_EQ(panel.ComboBoxLoBorderLevel, 79);
  EXPECT_EQ(panel.ComboBoxHiBorderLevel, 49);

  PanelToImage(panel, kNodePower, image);
  EXPECT_EQ(image[2041], 0x80 | 90);
  EXPECT_EQ(image[2040], 0x80 | 90);
  EXPECT_EQ(image[2049], 18);
  EXPECT_EQ(image[2050], 20);
  EXPECT_EQ(image[2051], 10);
  EXPECT_EQ(image[2053], 40);
}

TEST(PowerPanel, ShowingRefreshesLabelsEvenWhenPositionsStay) {
  ConfigurationImage image = FactoryImage();
  image[2049] = 0;   // the slider's starting position
  image[2050] = 2;
  image[2041] = 0x80 | 40;
  image[2040] = 0x80 | 20;  // the battery sliders' starting positions
  PowerPanel panel;
  ImageToPanel(image, kNodePower, panel);
  EXPECT_EQ(panel.LabelLowBorder, "0° C");
  EXPECT_EQ(panel.LabelHiBorder, "2° C");
  EXPECT_EQ(panel.Label4, "40%");
  EXPECT_EQ(panel.Label14, "20%");
}

}  // namespace
}  // namespace vkm
