#include "ui/ScenarioDiagram.h"

#include <gtest/gtest.h>

namespace vkm {
namespace {

// Column 0 is 110 wide, the others 46, each with a one-pixel grid line.
DiagramGeometry Unscrolled() {
  DiagramGeometry geometry;
  double x = 110;
  geometry.rightEdge.push_back(x);
  for (int column = 1; column < 20; ++column) geometry.rightEdge.push_back(x += 47);
  return geometry;
}

QStringList Row(const char* cycle, const char* level, std::initializer_list<const char*> durations) {
  QStringList cells = {QString::fromUtf8("Сценарий № 1"), QString::fromUtf8(cycle), "", QString::fromUtf8(level)};
  for (const char* duration : durations) cells << duration;
  while (cells.size() < 20) cells << "";
  return cells;
}

TEST(ScenarioDiagram, NothingForAScenarioWithoutPulses) {
  EXPECT_TRUE(ScenarioDiagram(Row("ЦИКЛ", "ВЫС", {}), Unscrolled()).empty());
  EXPECT_TRUE(ScenarioDiagram(Row("", "НИЗ", {"0", "5"}), Unscrolled()).empty());
}

TEST(ScenarioDiagram, SingleSequenceEndsAtTheOppositeLevel) {
  const auto lines = ScenarioDiagram(Row("", "ВЫС", {"10", "20"}), Unscrolled());
  const double start = 110 + 3 * 47;
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].line, QLineF(start, 6, start + 47, 6));             // high for one column
  EXPECT_EQ(lines[1].line, QLineF(start + 47, 6, start + 47, 22));       // falling edge
  EXPECT_EQ(lines[2].line, QLineF(start + 47, 22, start + 94, 22));      // low for one column
  EXPECT_EQ(lines[3].line, QLineF(start + 94, 22, start + 94, 6));       // rising edge after it
  for (const DiagramLine& line : lines) {
    EXPECT_EQ(line.colour, QColor(Qt::blue));
    EXPECT_EQ(line.width, 2);
  }
}

TEST(ScenarioDiagram, CycleHasNoLastEdgeAndAnArrowBack) {
  const auto lines = ScenarioDiagram(Row("ЦИКЛ", "ВЫС", {"10", "20"}), Unscrolled());
  const double start = 110 + 3 * 47;
  ASSERT_EQ(lines.size(), 3u + 4u);
  EXPECT_EQ(lines[2].line, QLineF(start + 47, 22, start + 94, 22));
  EXPECT_EQ(lines[3].line, QLineF(start + 94, 14, start, 14));
  EXPECT_EQ(lines[3].colour, QColor(128, 0, 0));
  EXPECT_EQ(lines[3].width, 1);
  EXPECT_EQ(lines[4].line, QLineF(start, 14, start + 12, 17));
  EXPECT_EQ(lines[6].line, QLineF(start + 12, 11, start, 14));
}

TEST(ScenarioDiagram, ScrolledPulsesMustAllBeThere) {
  DiagramGeometry scrolled = Unscrolled();
  // Columns 1..5 scrolled away behind column 0; column 6 follows it.
  scrolled.firstVisible = 6;
  for (int column = 1; column <= 5; ++column) scrolled.rightEdge[static_cast<std::size_t>(column)] = 110;
  for (int column = 6; column < 20; ++column) {
    scrolled.rightEdge[static_cast<std::size_t>(column)] = 110 + 47.0 * (column - 5);
  }
  EXPECT_TRUE(ScenarioDiagram(Row("", "ВЫС", {"0", "5", "5"}), scrolled).empty());

  // Two hidden pulses: the first shown has the starting level again; no arrow head.
  const auto lines = ScenarioDiagram(Row("ЦИКЛ", "НИЗ", {"5", "5", "5"}), scrolled);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].line, QLineF(110, 22, 157, 22));
  EXPECT_EQ(lines.back().line, QLineF(157, 14, 110, 14));
}

}  // namespace
}  // namespace vkm
