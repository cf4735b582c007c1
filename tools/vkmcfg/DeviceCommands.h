#pragma once

// The verbs of vkmcfg that talk to a controller. Each runs one device
// action and returns the exit status: 0 when the action ended on its
// success path, 1 when it did not.

#include <ostream>
#include <string>
#include <vector>

#include "ConsoleFrontEnd.h"

namespace vkm {

struct DeviceOptions {
  ConsoleOptions console;
  std::string password;  // the administrative password the actions send
};

int IdentifyCommand(const DeviceOptions& options, std::ostream& out, std::ostream& err);
int ReadCommand(const DeviceOptions& options, const std::string& file, std::ostream& out, std::ostream& err);
int ProgramCommand(const DeviceOptions& options, const std::string& file, std::ostream& out, std::ostream& err);
int ReconfigureCommand(const DeviceOptions& options, const std::string& file, std::ostream& out,
                       std::ostream& err);
int CompareCommand(const DeviceOptions& options, const std::string& file, std::ostream& out, std::ostream& err);
int RestartCommand(const DeviceOptions& options, std::ostream& out, std::ostream& err);
int FactoryResetCommand(const DeviceOptions& options, std::ostream& out, std::ostream& err);
int SystemParametersCommand(const DeviceOptions& options, const std::vector<std::string>& assignments,
                            std::ostream& out, std::ostream& err);

}  // namespace vkm
