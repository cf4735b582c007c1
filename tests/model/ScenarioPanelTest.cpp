#include "model/ScenarioPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/ImageEncoding.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;
using test::Span;

using Words = std::vector<uint16_t>;
using Cells = std::vector<std::string>;

std::size_t RecordOffset(int s) { return 1424 + 34 * static_cast<std::size_t>(s - 1); }

Words ReadWords(const ConfigurationImage& image, int s, std::size_t count) {
  Words words;
  for (std::size_t w = 0; w < count; ++w) words.push_back(GetU16(&image[RecordOffset(s) + 2 * w]));
  return words;
}

void PutWords(ConfigurationImage& image, int s, const Words& words) {
  for (std::size_t w = 0; w < words.size(); ++w) PutU16(&image[RecordOffset(s) + 2 * w], words[w]);
}

// Sets columns 1.. of a row; the rest of the row is empty.
void SetRow(ScenarioPanel& panel, int row, const Cells& cells) {
  for (int column = 1; column < kScenarioGridColumns; ++column) {
    const std::size_t i = static_cast<std::size_t>(column - 1);
    panel.StringGrid2.SetText(row, column, i < cells.size() ? cells[i] : std::string());
  }
}

Cells RowOf(const ScenarioPanel& panel, int row) {
  Cells cells;
  for (int column = 0; column < kScenarioGridColumns; ++column) cells.push_back(panel.StringGrid2.Text(row, column));
  while (!cells.empty() && cells.back().empty()) cells.pop_back();
  return cells;
}

TEST(ScenarioPanel, StoresEachRowForm) {
  struct Case {
    const char* what;
    Cells cells;  // columns 1..
    Words words;  // expected words 0..
  };
  const Case cases[] = {
      {"cyclic: the end word is flipped", {"ЦИКЛ", "3", "ВЫС", "5", "5"}, {0x0003, 0x8005, 0x0005, 0x0000}},
      {"not cyclic", {"", "", "ВЫС", "5", "5"}, {0x0001, 0x8005, 0x0005, 0x8000}},
      {"no durations", {"", "", "НИЗ"}, {0x0001, 0x0000}},
      {"cyclic starting low", {"ЦИКЛ", "0", "НИЗ", "1", "2"}, {0x0000, 0x0001, 0x8002, 0x8000}},
      {"odd step count", {"", "", "НИЗ", "3", "4", "5"}, {0x0001, 0x0003, 0x8004, 0x0005, 0x8000}},
      {"duration above 15 bits keeps its low bits", {"", "", "ВЫС", "40000"}, {0x0001, 0x8000 | 7232, 0x0000}},
      {"count that is not a number is endless", {"ЦИКЛ", "abc", "ВЫС", "7"}, {0x0000, 0x8007, 0x8000}},
      {"count keeps its low 16 bits", {"ЦИКЛ", "65537", "ВЫС", "7"}, {0x0001, 0x8007, 0x8000}},
      {"an empty cell ends the scenario", {"", "", "ВЫС", "9", "", "7"}, {0x0001, 0x8009, 0x0000}},
      {"a zero cell ends the scenario", {"", "", "ВЫС", "9", "0", "7"}, {0x0001, 0x8009, 0x0000}},
      {"a level other than ВЫС is low", {"", "", "", " 12x"}, {0x0001, 0x000C, 0x8000}},
  };
  for (const Case& c : cases) {
    const ConfigurationImage before = FilledImage(0xEE);
    ConfigurationImage image = before;
    ScenarioPanel panel;
    SetRow(panel, 4, c.cells);
    PanelToImage(panel, kNodeScenarios, image);
    EXPECT_EQ(ReadWords(image, 4, c.words.size()), c.words) << c.what;
    // The words after the end word keep what they held.
    const std::size_t written = 2 * c.words.size();
    EXPECT_EQ(ReadWords(image, 4, 17)[c.words.size()], 0xEEEE) << c.what;
    std::set<std::size_t> changed;
    for (std::size_t offset : ChangedOffsets(before, image)) {
      if (offset >= RecordOffset(4) && offset < RecordOffset(5)) changed.insert(offset);
    }
    for (std::size_t offset : changed) EXPECT_LT(offset - RecordOffset(4), written) << c.what;
  }
}

TEST(ScenarioPanel, SixteenStepsWriteNoEndWord) {
  for (const char* cycle : {"ЦИКЛ", ""}) {
    const ConfigurationImage before = FilledImage(0xEE);
    ConfigurationImage image = before;
    ScenarioPanel panel;
    Cells cells = {cycle, "7", "ВЫС"};
    for (int k = 1; k <= 16; ++k) cells.push_back(std::to_string(k));
    SetRow(panel, 14, cells);
    PanelToImage(panel, kNodeScenarios, image);

    Words expected = {static_cast<uint16_t>(std::string(cycle).empty() ? 1 : 7)};
    for (uint16_t k = 1; k <= 16; ++k) expected.push_back(static_cast<uint16_t>(k | ((k % 2) != 0 ? 0x8000 : 0)));
    EXPECT_EQ(ReadWords(image, 14, 17), expected) << cycle;
    EXPECT_EQ(image[1900], 0xEE);  // the byte after the last record
  }
}

TEST(ScenarioPanel, StoresAllFourteenRows) {
  ConfigurationImage image = FilledImage(0xEE);
  ScenarioPanel panel;
  for (int s = 1; s <= 14; ++s) SetRow(panel, s, {"", "", "ВЫС", std::to_string(s)});
  PanelToImage(panel, kNodeScenarios, image);
  for (int s = 1; s <= 14; ++s) {
    EXPECT_EQ(ReadWords(image, s, 3), (Words{0x0001, static_cast<uint16_t>(0x8000 | s), 0x0000})) << s;
  }
  EXPECT_EQ(image[1423], 0xEE);
}

TEST(ScenarioPanel, ShowsFactoryScenarios) {
  ConfigurationImage image = FactoryImage();
  ScenarioPanel panel;
  ImageToPanel(image, kNodeScenarios, panel);
  EXPECT_EQ(panel.Label79, "Сценарии управления");
  EXPECT_EQ(RowOf(panel, 1), (Cells{"Сценарий № 1", "ЦИКЛ", "0", "ВЫС", "1", "1"}));
  EXPECT_EQ(RowOf(panel, 3), (Cells{"Сценарий № 3", "ЦИКЛ", "0", "ВЫС", "5", "5", "10", "10"}));
  EXPECT_EQ(RowOf(panel, 4), (Cells{"Сценарий № 4", "", "", "ВЫС", "2", "2", "2"}));
  EXPECT_EQ(RowOf(panel, 5), (Cells{"Сценарий № 5", "", "", "НИЗ", "1", "1", "2"}));
  EXPECT_EQ(RowOf(panel, 7), (Cells{"Сценарий № 7", "", "", "ВЫС", "5"}));
  // 0001 8001 0000 8000: one step; the stray word after the end is not shown.
  EXPECT_EQ(RowOf(panel, 14), (Cells{"Сценарий № 14", "", "", "ВЫС", "1"}));
}

TEST(ScenarioPanel, ShowsStoredWords) {
  struct Case {
    const char* what;
    Words words;
    Cells cells;  // columns 0..
  };
  const Case cases[] = {
      {"no steps", {0x0001, 0x8000, 0x0005}, {"Сценарий № 2"}},
      {"large count", {0xFFFF, 0x7FFF, 0x8001}, {"Сценарий № 2", "ЦИКЛ", "65535", "НИЗ", "32767", "1"}},
      {"levels are taken from the first step only", {0x0001, 0x8003, 0x8004}, {"Сценарий № 2", "", "", "ВЫС", "3", "4"}},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    PutWords(image, 2, Words(17, 0));
    PutWords(image, 2, c.words);
    ScenarioPanel panel;
    SetRow(panel, 2, Cells(19, "stale"));
    ImageToPanel(image, kNodeScenarios, panel);
    EXPECT_EQ(RowOf(panel, 2), c.cells) << c.what;
  }
}

TEST(ScenarioPanel, SixteenStoredStepsShowAll) {
  ConfigurationImage image = FactoryImage();
  Words words = {0x0001};
  for (uint16_t k = 1; k <= 16; ++k) words.push_back(static_cast<uint16_t>(k | ((k % 2) == 0 ? 0x8000 : 0)));
  PutWords(image, 14, words);
  ScenarioPanel panel;
  ImageToPanel(image, kNodeScenarios, panel);
  EXPECT_EQ(panel.StringGrid2.Text(14, 3), "НИЗ");
  EXPECT_EQ(panel.StringGrid2.Text(14, 4), "1");
  EXPECT_EQ(panel.StringGrid2.Text(14, 19), "16");
}

TEST(ScenarioPanel, EmptyRowShowsNoLevelAfterStore) {
  ConfigurationImage image = FactoryImage();
  ScenarioPanel panel;
  ImageToPanel(image, kNodeScenarios, panel);
  SetRow(panel, 6, {"", "", "НИЗ"});
  PanelToImage(panel, kNodeScenarios, image);
  ImageToPanel(image, kNodeScenarios, panel);
  EXPECT_EQ(RowOf(panel, 6), Cells{"Сценарий № 6"});
}

TEST(ScenarioPanel, StrayWordAfterTheEndStaysThroughAStore) {
  ConfigurationImage image = FactoryImage();
  PutWords(image, 9, {0x0001, 0x8001, 0x0000, 0x8000, 0x1234});
  const ConfigurationImage before = image;
  ScenarioPanel panel;
  ImageToPanel(image, kNodeScenarios, panel);
  PanelToImage(panel, kNodeScenarios, image);
  EXPECT_EQ(image, before);
}

TEST(ScenarioPanel, FactoryRoundTripKeepsTheImage) {
  ConfigurationImage image = FactoryImage();
  ScenarioPanel panel;
  ImageToPanel(image, kNodeScenarios, panel);
  PanelToImage(panel, kNodeScenarios, image);
  EXPECT_EQ(image, FactoryImage());
  EXPECT_TRUE(ChangedOffsets(FactoryImage(), image).empty());
}

TEST(ScenarioPanel, DoubleClickToggles) {
  struct Case {
    int column;
    Cells before;  // columns 1..3
    Cells after;
  };
  const Case cases[] = {
      {1, {"", "", "ВЫС"}, {"ЦИКЛ", "0", "ВЫС"}},
      {1, {"ЦИКЛ", "5", "ВЫС"}, {"", "", "ВЫС"}},
      {3, {"ЦИКЛ", "5", ""}, {"ЦИКЛ", "5", "ВЫС"}},
      {3, {"", "", "ВЫС"}, {"", "", "НИЗ"}},
      {3, {"", "", "НИЗ"}, {"", "", "ВЫС"}},
      {2, {"ЦИКЛ", "5", "НИЗ"}, {"ЦИКЛ", "5", "НИЗ"}},
      {4, {"", "", "НИЗ"}, {"", "", "НИЗ"}},
  };
  for (const Case& c : cases) {
    ScenarioPanel panel;
    SetRow(panel, 3, c.before);
    panel.StringGrid2.SetText(3, 4, "10");
    ToggleScenarioCell(panel, 3, c.column);
    Cells after = c.after;
    after.push_back("10");
    EXPECT_EQ((Cells{panel.StringGrid2.Text(3, 1), panel.StringGrid2.Text(3, 2), panel.StringGrid2.Text(3, 3),
                     panel.StringGrid2.Text(3, 4)}),
              after)
        << "column " << c.column << " from '" << c.before[0] << "' '" << c.before[2] << "'";
    EXPECT_EQ(RowOf(panel, 2), Cells{});  // other rows untouched
  }
}

TEST(ScenarioPanel, EditedTextDropsAPointlessCycle) {
  struct Case {
    const char* cycle;
    const char* count;
    bool kept;
  };
  const Case cases[] = {
      {"ЦИКЛ", "1", false},
      {"ЦИКЛ", "01", false},
      {"ЦИКЛ", "5", true},
      {"ЦИКЛ", "0", true},
      {"ЦИКЛ", "", true},
      {"", "3", false},
  };
  for (const Case& c : cases) {
    ScenarioPanel panel;
    SetRow(panel, 7, {c.cycle, c.count, "ВЫС", "20"});
    OnScenarioTextEdited(panel, 7);
    const Cells expected = c.kept ? Cells{c.cycle, c.count} : Cells{"", ""};
    EXPECT_EQ((Cells{panel.StringGrid2.Text(7, 1), panel.StringGrid2.Text(7, 2)}), expected)
        << "'" << c.cycle << "' '" << c.count << "'";
    EXPECT_EQ(panel.StringGrid2.Text(7, 3), "ВЫС");
    EXPECT_EQ(panel.StringGrid2.Text(7, 4), "20");
  }
}

TEST(ScenarioPanel, EditableCells) {
  ScenarioPanel panel;
  SetRow(panel, 1, {"ЦИКЛ", "0", "ВЫС"});
  SetRow(panel, 2, {"", "", "ВЫС"});
  struct Case {
    int row, column;
    bool editable;
  };
  const Case cases[] = {
      {1, 0, false}, {1, 1, false}, {1, 2, true},  {1, 3, false}, {1, 4, true},
      {1, 19, true}, {2, 1, false}, {2, 2, false}, {2, 3, false}, {2, 10, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScenarioCellEditable(panel, c.row, c.column), c.editable) << c.row << "," << c.column;
  }
}

TEST(ScenarioPanel, ListsTheGridAndTheNote) {
  ScenarioPanel panel;
  const Controls controls = ListControls(panel, kNodeScenarios);
  ASSERT_EQ(controls.size(), 2u);
  EXPECT_EQ(controls[1].name, "StringGrid2");
  EXPECT_EQ(controls[1].kind, ControlKind::Grid);
  EXPECT_EQ(panel.StringGrid2.ColumnCount(), 20);
  EXPECT_EQ(panel.StringGrid2.RowCount(), 14);
  ASSERT_EQ(ScenarioNoteLines().size(), 4u);
  EXPECT_EQ(ScenarioNoteLines()[3], "Время импульса указывается с шагом 100 мС. (10 = 1 сек., 600 = 1 мин., 18000 = 30 мин.)");
}

}  // namespace
}  // namespace vkm
