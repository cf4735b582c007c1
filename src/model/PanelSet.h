#pragma once

// One model of every section panel, and the conversions by section index:
// what the window does with its panels and the command-line tool with
// configuration files.

#include "model/ArmInPanel.h"
#include "model/ClockPanel.h"
#include "model/ConfigurationDocument.h"
#include "model/ConnectionPanel.h"
#include "model/ConnectionsCommonPanel.h"
#include "model/Controls.h"
#include "model/GprsCommonPanel.h"
#include "model/InputPanel.h"
#include "model/InputsCommonPanel.h"
#include "model/OutputPanel.h"
#include "model/PowerPanel.h"
#include "model/RegistratorPanel.h"
#include "model/ScenarioPanel.h"
#include "model/ServerPanel.h"
#include "model/SimPanel.h"
#include "model/SystemParametersPanel.h"

namespace vkm {

struct PanelSet {
  SimPanel sim;
  ConnectionsCommonPanel connectionsCommon;
  ConnectionPanel connection;
  GprsCommonPanel gprsCommon;
  ServerPanel server;
  ClockPanel clock;
  PowerPanel power;
  RegistratorPanel registrator;
  ArmInPanel armIn;
  InputsCommonPanel inputsCommon;
  InputPanel input;
  OutputPanel output;
  ScenarioPanel scenarios;
  SystemParametersPanel systemParameters;
};

// Both do nothing for the sections that hold no values (0, 1, 20, 30).
void PanelToImage(PanelSet& panels, int node, ConfigurationDocument& document);
void ImageToPanel(ConfigurationDocument& document, int node, PanelSet& panels, char decimalSeparator = '.');
// The controls of the section's panel; empty for the sections that hold no values.
Controls ListControls(PanelSet& panels, int node);

}  // namespace vkm
