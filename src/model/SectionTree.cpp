#include "model/SectionTree.h"

#include <array>

namespace vkm {

std::string NodeCaption(int node) {
  if (node >= kNodeConnection1 && node < kNodeConnection1 + 8) {
    return "Соединение " + std::to_string(node - kNodeConnection1 + 1);
  }
  if (node >= kNodeServer1 && node < kNodeServer1 + 3) return "Сервер " + std::to_string(node - kNodeServer1 + 1);
  if (node >= kNodeInput1 && node < kNodeInput1 + 7) return "Вход " + std::to_string(node - kNodeInput1 + 1);
  if (node >= kNodeOutput1 && node < kNodeOutput1 + 6) return "Выход " + std::to_string(node - kNodeOutput1 + 1);
  switch (node) {
    case kNodeController: return "GSM контроллер VKM410-G";
    case kNodeGsm: return "GSM сети";
    case kNodeSim1: return "SIM1";
    case kNodeSim2: return "SIM2";
    case kNodeConnectionsCommon: return "Общие параметры соединений";
    case kNodeGprsCommon: return "Общие параметры GPRS";
    case kNodeClock: return "Часы, планировщик задач";
    case kNodePower: return "Питание, температура";
    case kNodeRegistrator: return "Регистратор";
    case kNodeGps: return "GPS приемник";
    case kNodeArmIn: return "Вход [Arm In]";
    case kNodeInputsCommon: return "Входы";
    case kNodeOutputs: return "Выходы";
    case kNodeScenarios: return "Сценарии управления";
    case kNodeSystemParameters: return "Системные параметры";
    default: return std::string();
  }
}

int NodeLevel(int node) {
  if (node == kNodeController) return 0;
  const bool child = node == kNodeSim1 || node == kNodeSim2 ||
                     (node >= kNodeConnection1 && node < kNodeGprsCommon) ||
                     (node >= kNodeServer1 && node < kNodeClock) ||
                     (node >= kNodeInput1 && node < kNodeOutputs) ||
                     (node >= kNodeOutput1 && node <= kNodeScenarios);
  return child ? 2 : 1;
}

bool NodeHoldsValues(int node) {
  return node >= kNodeSim1 && node < kNodeCount && node != kNodeOutputs;
}

bool NodeStoredInFile(int node) {
  return NodeHoldsValues(node) && node != kNodeGps && node != kNodeSystemParameters;
}

}  // namespace vkm
