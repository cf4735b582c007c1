#pragma once

// Item lists that several panels share. Lists that belong to one panel live
// with that panel's model.

#include <string>

#include "model/Controls.h"

namespace vkm {

// prefix + n + suffix for n = first .. last, e.g. "5 Sec.", "Выход 3".
Items NumberedItems(const std::string& prefix, int first, int last, const std::string& suffix);

// The 17 reactions of an output to an event: "нет реакции", "включить",
// "выключить", "сценарий 1" .. "сценарий 14" (code = index).
const Items& ReactionItems();
// "1 Min." .. "16 Min.": how long a report waits for delivery.
const Items& WaitTimeItems();
// "Выход 1" .. "Выход 6".
const Items& OutputItems();
// "сценарий 1" .. "сценарий 14".
const Items& ScenarioNames();

}  // namespace vkm
