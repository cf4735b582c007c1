#pragma once

// The signal form of one scenario, drawn in the heading row of the scenario
// grid: one column per pulse whatever its duration, high and low levels
// alternating, and a dark red arrow back to the start for a cycle.

#include <QColor>
#include <QLineF>
#include <QStringList>
#include <vector>

namespace vkm {

struct DiagramLine {
  QLineF line;
  QColor colour;
  int width;
};

// Where the grid's columns stand on screen.
struct DiagramGeometry {
  // x of each column's right edge (grid line included) in the heading row,
  // for columns 0..19; a column scrolled away behind the fixed column 0 has
  // column 0's right edge. `firstVisible` is the first of columns 1..19 not
  // scrolled away.
  std::vector<double> rightEdge;
  int firstVisible = 1;
  double headingHeight = 28;
};

// `cells` are the 20 cells of the scenario's row.
std::vector<DiagramLine> ScenarioDiagram(const QStringList& cells, const DiagramGeometry& geometry);

}  // namespace vkm
