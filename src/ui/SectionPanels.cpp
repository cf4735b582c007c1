#include "ui/SectionPanels.h"

#include "model/SectionTree.h"

namespace vkm {
namespace {

struct SectionPanel {
  int first;
  int last;
  const char* panel;
  const char* heading;
};

constexpr SectionPanel kSectionPanels[] = {
    {kNodeController, kNodeController, "Panel10", "Label30"},
    {kNodeGsm, kNodeGsm, "PanelSIMMain", ""},
    {kNodeSim1, kNodeSim2, "PanelSIM", "Label34"},
    {kNodeConnectionsCommon, kNodeConnectionsCommon, "Panel1", "Label15"},
    {kNodeConnection1, kNodeConnection1 + 7, "Panel5", "Label74"},
    {kNodeGprsCommon, kNodeGprsCommon, "PanelGPRSSharedPAr", ""},
    {kNodeServer1, kNodeServer1 + 2, "PanelServersPar", ""},
    {kNodeClock, kNodeClock, "Panel2", "Label5"},
    {kNodePower, kNodePower, "Panel3", "Label23"},
    {kNodeRegistrator, kNodeRegistrator, "PanelRegistrator", ""},
    {kNodeGps, kNodeGps, "PanelNavigation", ""},
    {kNodeArmIn, kNodeArmIn, "PanelArmIn", "Label21"},
    {kNodeInputsCommon, kNodeInputsCommon, "Panel7", ""},
    {kNodeInput1, kNodeInput1 + 6, "Panel6", "Label10"},
    {kNodeOutputs, kNodeOutputs, "Panel8", "Label1"},
    {kNodeOutput1, kNodeOutput1 + 5, "Panel9", "Label6"},
    {kNodeScenarios, kNodeScenarios, "Panel12", "Label79"},
    {kNodeSystemParameters, kNodeSystemParameters, "Panel11", "Label86"},
};

const SectionPanel* Find(int node) {
  for (const SectionPanel& entry : kSectionPanels) {
    if (node >= entry.first && node <= entry.last) return &entry;
  }
  return nullptr;
}

}  // namespace

QString PanelOfNode(int node) {
  const SectionPanel* entry = Find(node);
  return entry ? QString::fromLatin1(entry->panel) : QString();
}

QString HeadingLabelOfNode(int node) {
  const SectionPanel* entry = Find(node);
  return entry ? QString::fromLatin1(entry->heading) : QString();
}

}  // namespace vkm
