#include "model/ClockPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;
using test::Span;

constexpr std::size_t kRow1 = 1908;

const ControlRef& Find(const Controls& controls, const std::string& name) {
  const auto it = std::find_if(controls.begin(), controls.end(), [&](const ControlRef& c) { return c.name == name; });
  if (it == controls.end()) throw std::runtime_error("no control " + name);
  return *it;
}

std::vector<uint8_t> Bytes(const ConfigurationImage& image, std::size_t first, std::size_t count) {
  return {image.begin() + static_cast<std::ptrdiff_t>(first),
          image.begin() + static_cast<std::ptrdiff_t>(first + count)};
}

// Chooses an action the way the user does: the reaction follows the rule of the row.
void ChooseAction(ClockPanel& panel, int row, int action) {
  panel.StringGrid3.SetIndex(row, kSchedulerActionColumn, action);
  OnSchedulerActionChanged(panel, row);
}

TEST(ClockPanel, FactoryImageShowsMoscowAndAnIdleScheduler) {
  ConfigurationImage image = FactoryImage();
  ClockPanel panel;
  ImageToPanel(image, kNodeClock, panel);
  Controls controls = ListControls(panel, kNodeClock);
  EXPECT_EQ(panel.Label5, "Часы, планировщик задач");
  ASSERT_EQ(panel.ComboBoxTimeZone, 16);
  EXPECT_EQ(Find(controls, "ComboBoxTimeZone").items->at(16), "(GMT+4:00) Москва, Санкт-Петербург, Тула");
  EXPECT_FALSE(panel.CheckBoxDSTEnable);
  for (int row = 1; row <= 8; ++row) {
    EXPECT_EQ(panel.StringGrid3.Text(row, kSchedulerNumberColumn), " " + std::to_string(row));
    EXPECT_EQ(panel.StringGrid3.Text(row, kSchedulerTimeColumn), "00:00");
    EXPECT_EQ(panel.StringGrid3.Index(row, kSchedulerActionColumn), 0);
    EXPECT_FALSE(SchedulerReactionVisible(panel, row));
  }
}

TEST(ClockPanel, ListsItsControlsWithTheWidgetsItems) {
  ClockPanel panel;
  Controls controls = ListControls(panel, kNodeClock);
  const Items& zones = *Find(controls, "ComboBoxTimeZone").items;
  ASSERT_EQ(zones.size(), 26u);
  EXPECT_EQ(zones[0], "(GMT-12:00)");
  EXPECT_EQ(zones[11], "(GMT-1:00)");
  EXPECT_EQ(zones[12], "(GMT) Время по Гринвичу: Дублин, Лондон");
  EXPECT_EQ(zones[13], "(GMT+1:00)");
  EXPECT_EQ(zones[14], "(GMT+2:00) Афины, Бейрут, Киев, Минск");
  EXPECT_EQ(zones[19], "(GMT+7:00) Омск, Новосибирск, Алма-Ата");
  EXPECT_EQ(zones[23], "(GMT+11:00) Владивосток");
  EXPECT_EQ(zones[25], "(GMT+13:00)");
  EXPECT_EQ(Find(controls, "CheckBoxInfoIn7").kind, ControlKind::CheckBox);
  EXPECT_EQ(Find(controls, "CheckBoxInfoR6").kind, ControlKind::CheckBox);
  EXPECT_THROW(Find(controls, "CheckBoxInfoR7"), std::runtime_error);

  const Grid& grid = *std::get<Grid*>(Find(controls, "StringGrid3").field);
  ASSERT_EQ(grid.ColumnCount(), 14);
  ASSERT_EQ(grid.RowCount(), 8);
  const Items& actions = *grid.Column(kSchedulerActionColumn).items;
  ASSERT_EQ(actions.size(), 9u);
  EXPECT_EQ(actions[0], "Нет действия");
  EXPECT_EQ(actions[1], "Перейти в реж. Охрана");
  EXPECT_EQ(actions[2], "Перейти в реж. Наблюдение");
  EXPECT_EQ(actions[3], "Управление Выходом 1");
  EXPECT_EQ(actions[8], "Управление Выходом 6");
  EXPECT_EQ(grid.Column(kSchedulerReactionColumn).items->size(), 17u);
  EXPECT_EQ(grid.Column(kSchedulerTimeColumn).kind, CellKind::Text);
  for (int column : {1, 3, 9, 10, 11}) EXPECT_EQ(grid.Column(column).kind, CellKind::Check) << column;
}

TEST(ClockPanel, TimeZoneIsStoredAsSignedHours) {
  struct Case {
    int index;
    uint8_t stored;
  };
  const Case cases[] = {{12, 0x00}, {0, 0xF4}, {25, 13}, {16, 4}, {11, 0xFF}, {-1, 0xF3}};
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    ClockPanel panel;
    panel.ComboBoxTimeZone = c.index;
    PanelToImage(panel, kNodeClock, image);
    EXPECT_EQ(image[1900], c.stored) << c.index;
  }
}

TEST(ClockPanel, TimeZoneOutsideTheListShowsNoSelection) {
  struct Case {
    uint8_t stored;
    int index;
  };
  const Case cases[] = {{0xF4, 0}, {13, 25}, {14, -1}, {0xF3, -1}, {0x80, -1}, {0x7F, -1}};
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    image[1900] = c.stored;
    ClockPanel panel;
    panel.ComboBoxTimeZone = 5;
    ImageToPanel(image, kNodeClock, panel);
    EXPECT_EQ(panel.ComboBoxTimeZone, c.index) << int{c.stored};
  }
  // No selection stores as index -1 less 12.
  ConfigurationImage image = FactoryImage();
  image[1900] = 100;
  ClockPanel panel;
  ImageToPanel(image, kNodeClock, panel);
  PanelToImage(panel, kNodeClock, image);
  EXPECT_EQ(image[1900], 0xF3);
}

TEST(ClockPanel, SchedulerRowIsStoredByteForByte) {
  ConfigurationImage image{};
  ClockPanel panel;
  Grid& grid = panel.StringGrid3;
  grid.SetChecked(1, kSchedulerEnabledColumn, true);
  grid.SetChecked(1, kSchedulerMondayColumn, true);
  grid.SetChecked(1, kSchedulerMondayColumn + 4, true);  // Friday
  grid.SetText(1, kSchedulerTimeColumn, "07:30");
  grid.SetChecked(1, kSchedulerInfoColumn, true);
  ChooseAction(panel, 1, 4);  // "Управление Выходом 2"
  grid.SetIndex(1, kSchedulerReactionColumn, 3);  // "сценарий 1"
  PanelToImage(panel, kNodeClock, image);
  const std::vector<uint8_t> expected = {0x01, 0x00, 0x00, 0x00, 0x11, 0x07, 0x1E, 0x00,
                                         0x00, 0x00, 0x00, 0x00, 0x0E, 0x01, 0x03, 0x00};
  EXPECT_EQ(Bytes(image, kRow1, 16), expected);

  // Arming instead: the reaction goes back to its first item, byte 14 is left alone.
  ChooseAction(panel, 1, 1);
  EXPECT_EQ(grid.Index(1, kSchedulerReactionColumn), 0);
  PanelToImage(panel, kNodeClock, image);
  EXPECT_EQ(image[kRow1 + 12], 0x06);
  EXPECT_EQ(image[kRow1 + 13], 0x00);
  EXPECT_EQ(image[kRow1 + 14], 0x03);
}

TEST(ClockPanel, ReactionOfANonOutputActionGoesToByte13) {
  ConfigurationImage image = FilledImage(0xAA);
  ClockPanel panel;
  panel.StringGrid3.SetIndex(2, kSchedulerActionColumn, 2);
  panel.StringGrid3.SetIndex(2, kSchedulerReactionColumn, 5);  // kept when set after the action
  PanelToImage(panel, kNodeClock, image);
  const std::size_t row2 = kRow1 + 16;
  EXPECT_EQ(image[row2 + 12], 0x08);  // code 2, test and info clear
  EXPECT_EQ(image[row2 + 13], 5);
  EXPECT_EQ(image[row2 + 14], 0xAA);
}

TEST(ClockPanel, TimeTextKeepsOnlyTheFieldsLowBits) {
  struct Case {
    const char* text;
    unsigned hour;
    unsigned minute;
  };
  const Case cases[] = {
      {"23:59", 23, 59}, {"35:00", 3, 0}, {"12:99", 12, 99 & 0x3F}, {"--:--", 0, 0}, {"", 0, 0}, {"ab:07", 0, 7},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FilledImage(0xFF);
    ClockPanel panel;
    panel.StringGrid3.SetText(3, kSchedulerTimeColumn, c.text);
    PanelToImage(panel, kNodeClock, image);
    const std::size_t row3 = kRow1 + 32;
    EXPECT_EQ(image[row3 + 5], 0xE0 | c.hour) << c.text;     // bits 5..7 kept
    EXPECT_EQ(image[row3 + 6], 0xC0 | c.minute) << c.text;   // bits 6..7 kept
  }
}

TEST(ClockPanel, RowShowsEveryActionCode) {
  struct Case {
    uint8_t byte12, byte13, byte14;
    int action, reaction;
    bool test, info;
  };
  const Case cases[] = {
      {0x00, 0x00, 0x09, 0, 0, false, false},
      {0x07, 0x10, 0x09, 1, 16, true, true},    // arm; a hidden reaction is still shown from byte 13
      {0x09, 0x11, 0x09, 2, -1, true, false},   // byte 13 beyond the list
      {0x0E, 0xF1, 0x03, 4, 3, false, true},    // output 2; the high nibble of byte 13 is ignored
      {0x0C, 0x05, 0x10, 8, 16, false, false},  // output 6
      {0x0C, 0x06, 0x02, -1, 2, false, false},  // output number 7 has no item
      {0x10, 0x05, 0x05, 0, 0, false, false},   // action code 4: first items
      {0xFF, 0x05, 0x05, 0, 0, true, true},     // action code 63
  };
  for (const Case& c : cases) {
    ConfigurationImage image{};
    image[kRow1 + 12] = c.byte12;
    image[kRow1 + 13] = c.byte13;
    image[kRow1 + 14] = c.byte14;
    ClockPanel panel;
    panel.StringGrid3.SetIndex(1, kSchedulerActionColumn, 7);
    panel.StringGrid3.SetIndex(1, kSchedulerReactionColumn, 7);
    ImageToPanel(image, kNodeClock, panel);
    const Grid& grid = panel.StringGrid3;
    EXPECT_EQ(grid.Index(1, kSchedulerActionColumn), c.action) << int{c.byte12};
    EXPECT_EQ(grid.Index(1, kSchedulerReactionColumn), c.reaction) << int{c.byte12};
    EXPECT_EQ(grid.Checked(1, kSchedulerTestColumn), c.test) << int{c.byte12};
    EXPECT_EQ(grid.Checked(1, kSchedulerInfoColumn), c.info) << int{c.byte12};
  }
}

TEST(ClockPanel, UnknownActionCodeIsStoredAsNoAction) {
  ConfigurationImage image{};
  image[kRow1 + 12] = 0x10;  // action code 4
  image[kRow1 + 13] = 0x05;
  image[kRow1 + 14] = 0x07;
  ClockPanel panel;
  ImageToPanel(image, kNodeClock, panel);
  PanelToImage(panel, kNodeClock, image);
  EXPECT_EQ(image[kRow1 + 12], 0x00);
  EXPECT_EQ(image[kRow1 + 13], 0x00);
  EXPECT_EQ(image[kRow1 + 14], 0x07);
}

TEST(ClockPanel, RowShowsEnabledTimeAndWeekdays) {
  ConfigurationImage image{};
  const std::size_t row8 = kRow1 + 7 * 16;
  image[row8 + 0] = 0x01;
  image[row8 + 4] = 0xC2;  // Tuesday and Sunday; bit 7 is not a day
  image[row8 + 5] = 0xE9;  // hour 9 in bits 0..4
  image[row8 + 6] = 0xC5;  // minute 5 in bits 0..5
  ClockPanel panel;
  ImageToPanel(image, kNodeClock, panel);
  const Grid& grid = panel.StringGrid3;
  EXPECT_TRUE(grid.Checked(8, kSchedulerEnabledColumn));
  EXPECT_EQ(grid.Text(8, kSchedulerTimeColumn), "09:05");
  const bool days[7] = {false, true, false, false, false, false, true};
  for (int day = 0; day < 7; ++day) EXPECT_EQ(grid.Checked(8, kSchedulerMondayColumn + day), days[day]) << day;
}

TEST(ClockPanel, StoringWritesOnlyTheNamedBits) {
  const ConfigurationImage before = FilledImage(0xFF);
  ConfigurationImage image = before;
  ClockPanel panel;
  for (int row = 1; row <= 8; ++row) {
    ChooseAction(panel, row, 3);  // output action: bits 4..7 of byte 13 are kept
    panel.StringGrid3.SetIndex(row, kSchedulerReactionColumn, 0);
    panel.StringGrid3.SetText(row, kSchedulerTimeColumn, "00:00");
  }
  panel.ComboBoxTimeZone = 12;
  PanelToImage(panel, kNodeClock, image);

  std::set<std::size_t> expected = {1900, 1901, 1904, 1905, 1906};
  for (int row = 0; row < 8; ++row) {
    const std::size_t r = kRow1 + 16 * static_cast<std::size_t>(row);
    for (std::size_t offset : {0, 4, 5, 6, 12, 13, 14}) expected.insert(r + offset);
  }
  EXPECT_EQ(ChangedOffsets(before, image), expected);
  EXPECT_EQ(image[1901], 0xFE);  // bits 1..7 kept
  EXPECT_EQ(image[1904], 0x00);  // bit 7 written as 0
  EXPECT_EQ(image[1905], 0x00);
  EXPECT_EQ(image[1906], 0x00);  // bits 6..7 written as 0
  EXPECT_EQ(image[kRow1 + 0], 0x00);
  EXPECT_EQ(image[kRow1 + 4], 0x80);
  EXPECT_EQ(image[kRow1 + 5], 0xE0);
  EXPECT_EQ(image[kRow1 + 6], 0xC0);
  EXPECT_EQ(image[kRow1 + 12], 0x0C);
  EXPECT_EQ(image[kRow1 + 13], 0xF0);
  EXPECT_EQ(image[kRow1 + 14], 0x00);
}

TEST(ClockPanel, InformationMessageBoxes) {
  ConfigurationImage image = FactoryImage();
  ClockPanel panel;
  panel.CheckBoxDSTEnable = true;
  panel.CheckBoxInfoIn[0] = panel.CheckBoxInfoIn[6] = true;
  panel.CheckBoxInfoR[1] = panel.CheckBoxInfoR[5] = true;
  PanelToImage(panel, kNodeClock, image);
  EXPECT_EQ(image[1901], 0x01);
  EXPECT_EQ(image[1904], 0x41);
  EXPECT_EQ(image[1905], 0x00);
  EXPECT_EQ(image[1906], 0x22);

  ClockPanel shown;
  ImageToPanel(image, kNodeClock, shown);
  EXPECT_TRUE(shown.CheckBoxDSTEnable);
  EXPECT_EQ(shown.CheckBoxInfoIn, panel.CheckBoxInfoIn);
  EXPECT_EQ(shown.CheckBoxInfoR, panel.CheckBoxInfoR);
}

TEST(ClockPanel, ActionChangeHidesAndResetsTheReaction) {
  ClockPanel panel;
  ChooseAction(panel, 4, 5);  // "Управление Выходом 3"
  EXPECT_TRUE(SchedulerReactionVisible(panel, 4));
  panel.StringGrid3.SetIndex(4, kSchedulerReactionColumn, 9);
  ChooseAction(panel, 4, 8);
  EXPECT_EQ(panel.StringGrid3.Index(4, kSchedulerReactionColumn), 9);  // output to output keeps it
  ChooseAction(panel, 4, 0);
  EXPECT_FALSE(SchedulerReactionVisible(panel, 4));
  EXPECT_EQ(panel.StringGrid3.Index(4, kSchedulerReactionColumn), 0);
  EXPECT_EQ(panel.StringGrid3.Index(3, kSchedulerActionColumn), 0);  // other rows untouched
}

TEST(ClockPanel, RoundTripKeepsTheImage) {
  ConfigurationImage image = FactoryImage();
  image[1900] = 0xFD;  // -3
  image[1901] = 0x01;
  image[1904] = 0x7F;
  image[1906] = 0x3F;
  const uint8_t row1[16] = {0x01, 0, 0, 0, 0x11, 0x07, 0x1E, 0, 0, 0, 0, 0, 0x0E, 0x01, 0x03, 0};
  const uint8_t row5[16] = {0x00, 0, 0, 0, 0x7F, 0x17, 0x3B, 0, 0, 0, 0, 0, 0x05, 0x0B, 0x00, 0};
  std::copy(std::begin(row1), std::end(row1), image.begin() + kRow1);
  std::copy(std::begin(row5), std::end(row5), image.begin() + kRow1 + 64);
  for (const ConfigurationImage& start : {FactoryImage(), image}) {
    ConfigurationImage copy = start;
    ClockPanel panel;
    ImageToPanel(copy, kNodeClock, panel);
    PanelToImage(panel, kNodeClock, copy);
    EXPECT_EQ(copy, start);
  }
}

}  // namespace
}  // namespace vkm
