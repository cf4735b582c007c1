#pragma once

// What the pages do beyond moving values: masks and grid geometry set up
// once, buttons that act on the model, and the enabling, masks and
// visibility that follow the values shown.

#include <QWidget>

#include "model/PanelSet.h"

namespace vkm {

class TForm1;

// Masks of the edits and the geometry and cell editors of the grids.
void SetUpPage(QWidget* page);
// Preset buttons, the GPRS defaults button, the system parameters cover,
// and the grids' double-clicks and row moves.
void ConnectPageButtons(TForm1& window, PanelSet& panels);
// Enabling, masks, hints and visibility that follow the values of `node`.
void ApplyDependentState(QWidget* page, int node, const PanelSet& panels);

// Section preparation of the controller, Arm In and scenario panels.
void PrepareControllerPanel(QWidget* page);
void ClearTouchActionDescription(QWidget* page);
void PrepareScenarioGrid(QWidget* page);

}  // namespace vkm
