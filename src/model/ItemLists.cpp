#include "model/ItemLists.h"

namespace vkm {
Items NumberedItems(const std::string& prefix, int first, int last, const std::string& suffix) {
  Items items;
  for (int n = first; n <= last; ++n) items.push_back(prefix + std::to_string(n) + suffix);
  return items;
}

const Items& ScenarioNames() {
  static const Items items = NumberedItems("сценарий ", 1, 14, "");
  return items;
}

const Items& ReactionItems() {
  static const Items items = [] {
    Items list = {"нет реакции", "включить", "выключить"};
    list.insert(list.end(), ScenarioNames().begin(), ScenarioNames().end());
    return list;
  }();
  return items;
}

const Items& WaitTimeItems() {
  static const Items items = NumberedItems("", 1, 16, " Min.");
  return items;
}

const Items& OutputItems() {
  static const Items items = NumberedItems("Выход ", 1, 6, "");
  return items;
}

}  // namespace vkm
