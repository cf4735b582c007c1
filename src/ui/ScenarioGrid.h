#pragma once

// The table of the output control scenarios. Its heading row carries the
// signal diagram of the scenario in the current row.

#include <QTableWidget>

// Global scope: the panel form names the class as it is.
class ScenarioGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit ScenarioGrid(QWidget* parent = nullptr);
};
