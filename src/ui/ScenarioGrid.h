#pragma once

// The table of the output control scenarios. Its heading row carries the
// signal diagram of the scenario in the current row.

#include <QTableWidget>

// Global scope: the panel form names the class as it is.
class ScenarioGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit ScenarioGrid(QWidget* parent = nullptr);

  // The geometry the section sets each time it is shown: column 0 110 wide,
  // the heading row 28 high, the first scenario's first column current.
  void PrepareForSection();
  // The cells of a data row (0-based), for the diagram.
  QStringList RowTexts(int row) const;
};
