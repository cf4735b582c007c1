// The three grids: the scheduler's reaction lists that follow the row's
// action, the scenario table's toggles and editing rules, and the touch-key
// rows that move with their check boxes.

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <cstring>

#include "EditorWindowFixture.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm::test {
namespace {

using GridsTest = EditorWindowTest;

constexpr int kActionColumn = 12;
constexpr int kReactionColumn = 13;

QStringList ItemsOf(const QComboBox& box) {
  QStringList texts;
  for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
  return texts;
}

TEST_F(GridsTest, SchedulerReactionListIsShownOnlyForAnOutputAction) {
  TForm1& window = Open();
  window.SelectNode(kNodeClock);
  auto& grid = Control<QTableWidget>(kNodeClock, "StringGrid3");
  ASSERT_EQ(grid.rowCount(), 8);

  const QStringList actions = {U("Нет действия"),         U("Перейти в реж. Охрана"),  U("Перейти в реж. Наблюдение"),
                               U("Управление Выходом 1"), U("Управление Выходом 2"), U("Управление Выходом 3"),
                               U("Управление Выходом 4"), U("Управление Выходом 5"), U("Управление Выходом 6")};
  QStringList reactions = {U("нет реакции"), U("включить"), U("выключить")};
  for (int s = 1; s <= 14; ++s) reactions << U("сценарий ") + QString::number(s);
  for (int row = 0; row < 8; ++row) {
    EXPECT_EQ(ItemsOf(CellControl<QComboBox>(grid, row, kActionColumn)), actions) << row;
    EXPECT_EQ(ItemsOf(CellControl<QComboBox>(grid, row, kReactionColumn)), reactions) << row;
    // The factory scheduler has no actions.
    EXPECT_FALSE(CellControl<QComboBox>(grid, row, kReactionColumn).isVisible()) << row;
  }

  const int row = 2;
  auto& action = CellControl<QComboBox>(grid, row, kActionColumn);
  auto& reaction = CellControl<QComboBox>(grid, row, kReactionColumn);
  for (int chosen = 0; chosen < actions.size(); ++chosen) {
    action.setCurrentIndex(5);  // "Управление Выходом 3"
    EXPECT_TRUE(reaction.isVisible());
    reaction.setCurrentIndex(2);
    action.setCurrentIndex(chosen);
    QApplication::processEvents();
    const bool output = chosen >= 3;
    EXPECT_EQ(reaction.isVisible(), output) << actions[chosen].toStdString();
    EXPECT_EQ(reaction.currentIndex(), output ? 2 : 0) << actions[chosen].toStdString();
    EXPECT_FALSE(CellControl<QComboBox>(grid, row + 1, kReactionColumn).isVisible());
  }

  // Shown again, the section keeps each list's visibility with its action.
  action.setCurrentIndex(8);
  CellControl<QComboBox>(grid, 5, kActionColumn).setCurrentIndex(1);
  window.SelectNode(kNodeController);
  window.SelectNode(kNodeClock);
  QApplication::processEvents();
  for (int r = 0; r < 8; ++r) {
    EXPECT_EQ(CellControl<QComboBox>(grid, r, kReactionColumn).isVisible(), r == row) << r;
  }
}

TEST_F(GridsTest, ScenarioCellsToggleAndTheCountFollowsTheCycleMark) {
  TForm1& window = Open();
  // Scenario 14 without any pulse: an empty row.
  const std::size_t scenario = kScenarioRecords.Offset(14);
  std::memset(&window.Document().image[scenario + 2], 0, kScenarioRecords.size - 2);
  window.SelectNode(kNodeScenarios);
  auto& grid = Control<QTableWidget>(kNodeScenarios, "StringGrid2");
  const int row = 13;
  ASSERT_EQ(CellText(grid, row, 0), U("Сценарий № 14"));

  struct Step {
    int column;
    const char* cycle;
    const char* count;
    const char* level;
  };
  const Step steps[] = {
      {3, "", "", "ВЫС"},    {3, "", "", "НИЗ"},      {3, "", "", "ВЫС"},     {1, "ЦИКЛ", "0", "ВЫС"},
      {1, "", "", "ВЫС"},    {1, "ЦИКЛ", "0", "ВЫС"}, {4, "ЦИКЛ", "0", "ВЫС"}, {0, "ЦИКЛ", "0", "ВЫС"},
  };
  for (const Step& step : steps) {
    DoubleClickCell(grid, row, step.column);
    EXPECT_EQ(CellText(grid, row, 1), U(step.cycle)) << "after column " << step.column;
    EXPECT_EQ(CellText(grid, row, 2), U(step.count)) << "after column " << step.column;
    EXPECT_EQ(CellText(grid, row, 3), U(step.level)) << "after column " << step.column;
  }

  // The toggled cells never open an editor; the count only on a cyclic row.
  EXPECT_FALSE(EditCell(grid, row, 0, "7"));
  EXPECT_FALSE(EditCell(grid, row, 1, "7"));
  EXPECT_FALSE(EditCell(grid, row, 3, "7"));
  ASSERT_TRUE(EditCell(grid, row, 4, "15"));
  ASSERT_TRUE(EditCell(grid, row, 2, "5"));
  EXPECT_EQ(CellText(grid, row, 1), U("ЦИКЛ"));
  EXPECT_EQ(CellText(grid, row, 2), "5");

  // A count of 1 is no cycle at all.
  ASSERT_TRUE(EditCell(grid, row, 2, "1"));
  EXPECT_EQ(CellText(grid, row, 1), "");
  EXPECT_EQ(CellText(grid, row, 2), "");
  EXPECT_FALSE(EditCell(grid, row, 2, "3"));

  window.SelectNode(kNodeController);
  const uint8_t* stored = &window.Document().image[scenario];
  const uint8_t expected[] = {0x01, 0x00, 0x0F, 0x80, 0x00, 0x00};
  EXPECT_EQ(std::memcmp(stored, expected, sizeof expected), 0);
}

// Key k (1-based) as stored: code k, 0, ..., 0, k; name "Key k"; check
// boxes from `flags`.
void PutKey(ConfigurationImage& image, int k, uint8_t flags) {
  uint8_t* record = &image[kTouchKeyRecords.Offset(k)];
  record[0] = static_cast<uint8_t>(k);
  record[7] = static_cast<uint8_t>(k);
  const std::string name = "Key " + std::to_string(k);
  std::memcpy(record + 8, name.data(), name.size());
  record[25] = flags;
}

QString KeyCode(int k) {
  const QString outer = QStringLiteral("%1").arg(k, 2, 10, QChar('0'));
  return outer + QString(12, '0') + outer;
}

TEST_F(GridsTest, MovingAKeyRowCarriesItsCellsAndCheckBoxesAndRenumbers) {
  struct Case {
    int from;  // rows, 1-based
    int to;
    std::vector<int> keysInRows;  // rows 1.. after the move; 0 = free row
  };
  const Case cases[] = {
      {5, 2, {1, 5, 2, 3, 4, 6}},
      {2, 5, {1, 3, 4, 5, 2, 6}},
      {6, 1, {6, 1, 2, 3, 4, 5}},
  };
  // Check boxes " О" and " Н" of key k.
  const auto flagsOf = [](int k) { return static_cast<uint8_t>(k % 4); };
  for (const Case& c : cases) {
    TForm1& window = Open();
    for (int k = 1; k <= 6; ++k) PutKey(window.Document().image, k, flagsOf(k));
    window.SelectNode(kNodeArmIn);
    auto& grid = Control<QTableWidget>(kNodeArmIn, "StringGrid1");
    QHeaderView* handle = grid.verticalHeader();
    ASSERT_TRUE(handle->sectionsMovable());
    ASSERT_EQ(CellText(grid, 0, 0), " 1");

    // Dragging a row by its header moves the section.
    handle->moveSection(c.from - 1, c.to - 1);

    for (int row = 0; row < 32; ++row) {
      EXPECT_EQ(CellText(grid, row, 0), QString::number(row + 1)) << row;
      EXPECT_EQ(handle->visualIndex(row), row);
    }
    for (int row = 0; row < static_cast<int>(c.keysInRows.size()); ++row) {
      const int k = c.keysInRows[static_cast<std::size_t>(row)];
      EXPECT_EQ(CellText(grid, row, 1), KeyCode(k)) << c.from << "->" << c.to << " row " << row + 1;
      EXPECT_EQ(CellText(grid, row, 2), "Key " + QString::number(k)) << c.from << "->" << c.to << " row " << row + 1;
      EXPECT_EQ(CellControl<QCheckBox>(grid, row, 3).isChecked(), (flagsOf(k) & 1) != 0) << "row " << row + 1;
      EXPECT_EQ(CellControl<QCheckBox>(grid, row, 4).isChecked(), (flagsOf(k) & 2) != 0) << "row " << row + 1;
    }

    window.SelectNode(kNodeController);
    for (int row = 1; row <= static_cast<int>(c.keysInRows.size()); ++row) {
      const int k = c.keysInRows[static_cast<std::size_t>(row - 1)];
      const uint8_t* record = &window.Document().image[kTouchKeyRecords.Offset(row)];
      EXPECT_EQ(record[0], k) << "record " << row;
      EXPECT_EQ(record[7], k) << "record " << row;
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(record + 8)), "Key " + std::to_string(k)) << row;
      EXPECT_EQ(record[25], flagsOf(k)) << "record " << row;
    }
  }
}

}  // namespace
}  // namespace vkm::test
