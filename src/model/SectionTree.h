#pragma once

// The 39 sections of the configuration, by their absolute index in the
// section tree (depth first, root = 0).

#include <string>

namespace vkm {

constexpr int kNodeCount = 39;

enum Node : int {
  kNodeController = 0,
  kNodeGsm = 1,
  kNodeSim1 = 2,
  kNodeSim2 = 3,
  kNodeConnectionsCommon = 4,
  kNodeConnection1 = 5,   // .. 12
  kNodeGprsCommon = 13,
  kNodeServer1 = 14,      // .. 16
  kNodeClock = 17,
  kNodePower = 18,
  kNodeRegistrator = 19,
  kNodeGps = 20,
  kNodeArmIn = 21,
  kNodeInputsCommon = 22,
  kNodeInput1 = 23,       // .. 29
  kNodeOutputs = 30,
  kNodeOutput1 = 31,      // .. 36
  kNodeScenarios = 37,
  kNodeSystemParameters = 38,
};

// The caption of a section in the tree. The root's caption is the
// controller's name, "GSM контроллер VKM410-G".
std::string NodeCaption(int node);
// Depth in the tree: 0 for the root, 1 or 2 for the others.
int NodeLevel(int node);
// True for the sections whose panel is written back when left and filled
// when entered (2..29, 31..38).
bool NodeHoldsValues(int node);
// True for the sections whose values a configuration file holds: those that
// hold values, less the live GPS section and the system parameters.
bool NodeStoredInFile(int node);

}  // namespace vkm
