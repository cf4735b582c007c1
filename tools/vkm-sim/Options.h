#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "vkm-sim/Controller.h"
#include "vkm-sim/FaultPlan.h"

namespace vkm::sim {

struct Options {
  ControllerSetup setup;  // area 1 is filled in by the caller (--image or factory)
  std::optional<std::filesystem::path> link;
  std::optional<std::filesystem::path> image;
  FaultPlan faults;
  bool lineRate = false;
  bool verbose = false;
  bool help = false;
};

// The arguments after the program name. On a bad argument returns nothing
// and puts the reason into `error`.
std::optional<Options> ParseOptions(std::span<const std::string> args, std::string& error);

std::string UsageText();

}  // namespace vkm::sim
