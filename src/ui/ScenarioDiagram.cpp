#include "ui/ScenarioDiagram.h"

namespace vkm {
namespace {

constexpr int kFirstDuration = 4;
constexpr int kLastDuration = 19;
constexpr double kLevelInset = 6;
const QColor kPulseColour = Qt::blue;
const QColor kCycleColour(128, 0, 0);

int Duration(const QStringList& cells, int column) {
  if (column > kLastDuration) return 0;
  // Leading digits, as the scenario's store reads them.
  const QString text = cells.value(column).trimmed();
  qsizetype digits = 0;
  while (digits < text.size() && text[digits].isDigit()) ++digits;
  return text.left(digits).toInt();
}

}  // namespace

std::vector<DiagramLine> ScenarioDiagram(const QStringList& cells, const DiagramGeometry& geometry) {
  std::vector<DiagramLine> lines;
  const bool cyclic = cells.value(1) == QString::fromUtf8("ЦИКЛ");
  const double high = kLevelInset;
  const double low = geometry.headingHeight - kLevelInset;

  // Pulses scrolled away on the left must all be there, and they decide the
  // level of the first one shown.
  const int firstColumn = std::max(kFirstDuration, geometry.firstVisible);
  bool highLevel = cells.value(3) == QString::fromUtf8("ВЫС");
  for (int column = kFirstDuration; column < firstColumn; ++column) {
    if (Duration(cells, column) == 0) return lines;
    highLevel = !highLevel;
  }

  // The diagram starts right of the last of columns 0..3 that is shown.
  const double startX = geometry.rightEdge.at(static_cast<std::size_t>(firstColumn - 1));
  double x = startX;
  bool drawn = false;
  for (int column = firstColumn; column <= kLastDuration && Duration(cells, column) != 0; ++column) {
    const double level = highLevel ? high : low;
    const double nextX = geometry.rightEdge.at(static_cast<std::size_t>(column));
    lines.push_back({QLineF(x, level, nextX, level), kPulseColour, 2});
    x = nextX;
    drawn = true;
    highLevel = !highLevel;
    const bool more = Duration(cells, column + 1) != 0;
    // The edge to the next pulse; after the last one a sequence that is not
    // repeated leaves the output at the opposite level.
    if (more || !cyclic) lines.push_back({QLineF(x, level, x, highLevel ? high : low), kPulseColour, 2});
  }

  if (drawn && cyclic) {
    const double middle = geometry.headingHeight / 2;
    lines.push_back({QLineF(x, middle, startX, middle), kCycleColour, 1});
    if (geometry.firstVisible <= kFirstDuration) {
      lines.push_back({QLineF(startX, middle, startX + 12, middle + 3), kCycleColour, 1});
      lines.push_back({QLineF(startX + 12, middle + 3, startX + 12, middle - 3), kCycleColour, 1});
      lines.push_back({QLineF(startX + 12, middle - 3, startX, middle), kCycleColour, 1});
    }
  }
  return lines;
}

}  // namespace vkm
