#include "ui/ScenarioGrid.h"

ScenarioGrid::ScenarioGrid(QWidget* parent) : QTableWidget(parent) {}
