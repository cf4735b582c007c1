#include "model/PanelSet.h"

#include "model/SectionTree.h"

namespace vkm {
namespace {

bool Within(int node, int first, int count) { return node >= first && node < first + count; }

// Calls visit(panel) with the panel of a section stored in the image;
// returns false for the other sections.
template <class Visit>
bool VisitImagePanel(PanelSet& panels, int node, Visit&& visit) {
  if (Within(node, kNodeSim1, 2)) return visit(panels.sim), true;
  if (node == kNodeConnectionsCommon) return visit(panels.connectionsCommon), true;
  if (Within(node, kNodeConnection1, 8)) return visit(panels.connection), true;
  if (node == kNodeGprsCommon) return visit(panels.gprsCommon), true;
  if (Within(node, kNodeServer1, 3)) return visit(panels.server), true;
  if (node == kNodeClock) return visit(panels.clock), true;
  if (node == kNodePower) return visit(panels.power), true;
  if (node == kNodeRegistrator) return visit(panels.registrator), true;
  if (node == kNodeArmIn) return visit(panels.armIn), true;
  if (node == kNodeInputsCommon) return visit(panels.inputsCommon), true;
  if (node == kNodeScenarios) return visit(panels.scenarios), true;
  if (Within(node, kNodeOutput1, 6)) return visit(panels.output), true;
  return false;
}

}  // namespace

void PanelToImage(PanelSet& panels, int node, ConfigurationDocument& document) {
  if (node == kNodeSystemParameters) {
    PanelToImage(panels.systemParameters, document.systemParameters);
  } else if (Within(node, kNodeInput1, 7)) {
    PanelToImage(panels.input, node, document.image);
  } else {
    VisitImagePanel(panels, node, [&](auto& panel) { PanelToImage(panel, node, document.image); });
  }
}

void ImageToPanel(ConfigurationDocument& document, int node, PanelSet& panels, char decimalSeparator) {
  if (node == kNodeSystemParameters) {
    ImageToPanel(document.systemParameters, panels.systemParameters);
  } else if (Within(node, kNodeInput1, 7)) {
    ImageToPanel(document.image, node, panels.input, decimalSeparator);
  } else {
    VisitImagePanel(panels, node, [&](auto& panel) { ImageToPanel(document.image, node, panel); });
  }
}

Controls ListControls(PanelSet& panels, int node) {
  if (node == kNodeSystemParameters) return ListControls(panels.systemParameters);
  if (Within(node, kNodeInput1, 7)) return ListControls(panels.input, node);
  Controls controls;
  VisitImagePanel(panels, node, [&](auto& panel) { controls = ListControls(panel, node); });
  return controls;
}

}  // namespace vkm
