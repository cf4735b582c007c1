#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <set>
#include <vector>

#include "model/ConfigurationDocument.h"
#include "model/Controls.h"

namespace vkm::test {

// Offsets at which two images differ.
inline std::set<std::size_t> ChangedOffsets(const ConfigurationImage& before, const ConfigurationImage& after) {
  std::set<std::size_t> changed;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) changed.insert(i);
  }
  return changed;
}

// An image with every byte set to `value`, to show which bytes a store writes.
inline ConfigurationImage FilledImage(uint8_t value) {
  ConfigurationImage image;
  image.fill(value);
  return image;
}

// Offsets first..last, inclusive.
inline std::set<std::size_t> Span(std::size_t first, std::size_t last) {
  std::set<std::size_t> offsets;
  for (std::size_t i = first; i <= last; ++i) offsets.insert(i);
  return offsets;
}

// The control of that name in a panel's list.
inline const ControlRef& FindControl(const Controls& controls, const std::string& name) {
  const auto it = std::find_if(controls.begin(), controls.end(), [&](const ControlRef& c) { return c.name == name; });
  if (it == controls.end()) throw std::runtime_error("no control " + name);
  return *it;
}

}  // namespace vkm::test
