#include "ui/ScenarioGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

#include "ui/ScenarioDiagram.h"

namespace {

constexpr int kFirstColumnWidth = 110;
constexpr int kColumnWidth = 46;
constexpr int kHeadingHeight = 28;
constexpr int kRowHeight = 16;

// The heading row, with the diagram drawn over the duration headings.
class ScenarioHeader : public QHeaderView {
 public:
  explicit ScenarioHeader(ScenarioGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QHeaderView::paintEvent(event);
    if (grid_->currentRow() < 0) return;
    vkm::DiagramGeometry geometry;
    geometry.headingHeight = height();
    geometry.firstVisible = -1;
    for (int column = 0; column < count(); ++column) {
      const int left = sectionViewportPosition(column);
      const double right = left + sectionSize(column) + 1;  // with the grid line
      geometry.rightEdge.push_back(std::max(right, 0.0));
      if (column > 0 && geometry.firstVisible < 0 && left >= 0) geometry.firstVisible = column;
    }
    if (geometry.rightEdge.size() < 20 || geometry.firstVisible < 0) return;
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const vkm::DiagramLine& line : vkm::ScenarioDiagram(grid_->RowTexts(grid_->currentRow()), geometry)) {
      painter.setPen(QPen(line.colour, line.width, Qt::SolidLine));
      painter.drawLine(line.line);
    }
  }

 private:
  ScenarioGrid* grid_;
};

}  // namespace

ScenarioGrid::ScenarioGrid(QWidget* parent) : QTableWidget(parent) {
  auto* header = new ScenarioHeader(this);
  setHorizontalHeader(header);
  header->setDefaultSectionSize(kColumnWidth);
  const auto redraw = [header] { header->viewport()->update(); };
  connect(this, &QTableWidget::currentCellChanged, this, redraw);
  connect(this, &QTableWidget::cellChanged, this, redraw);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, redraw);
}

void ScenarioGrid::PrepareForSection() {
  setColumnWidth(0, kFirstColumnWidth);
  horizontalHeader()->setFixedHeight(kHeadingHeight);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  setCurrentCell(0, 1);
}

QStringList ScenarioGrid::RowTexts(int row) const {
  QStringList texts;
  for (int column = 0; column < columnCount(); ++column) {
    const QTableWidgetItem* cell = item(row, column);
    texts << (cell ? cell->text() : QString());
  }
  return texts;
}
