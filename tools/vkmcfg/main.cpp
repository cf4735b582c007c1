// vkmcfg: the VKM410 configurator's core on the command line. It shows,
// sets, checks and compares configuration files, and runs the device
// actions on a controller attached to a serial port.

#include <QCoreApplication>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "DeviceCommands.h"
#include "FileCommands.h"

namespace {

constexpr int kExitUsage = 2;

int Usage() {
  std::cerr << "usage:\n"
               "  vkmcfg new FILE\n"
               "  vkmcfg check FILE\n"
               "  vkmcfg show FILE [NODE...]\n"
               "  vkmcfg set FILE NODE NAME=VALUE [NAME=VALUE...]\n"
               "  vkmcfg diff FILE1 FILE2\n"
               "  vkmcfg --port PORT identify\n"
               "  vkmcfg --port PORT read FILE\n"
               "  vkmcfg --port PORT program FILE [--clear-modes]\n"
               "  vkmcfg --port PORT reconfigure FILE [--clear-modes]\n"
               "  vkmcfg --port PORT compare FILE\n"
               "  vkmcfg --port PORT restart\n"
               "  vkmcfg --port PORT factory-reset [--countdown SECONDS]\n"
               "  vkmcfg --port PORT sysparams [NAME=VALUE...]\n"
               "The administrative password comes from --password TEXT or VKM_PASSWORD.\n";
  return kExitUsage;
}

// Removes a flag from the arguments; true when it was there.
bool TakeFlag(std::vector<std::string>& args, const std::string& flag) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (*it == flag) {
      args.erase(it);
      return true;
    }
  }
  return false;
}

// Removes an option and its value; nothing when absent, an empty optional
// value marked by `missing` when the value is missing.
std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& option, bool& missing) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (*it != option) continue;
    if (it + 1 == args.end()) {
      missing = true;
      return std::nullopt;
    }
    std::string value = *(it + 1);
    args.erase(it, it + 2);
    return value;
  }
  return std::nullopt;
}

int FileVerb(const std::vector<std::string>& args) {
  const std::string& verb = args[0];
  const std::size_t operands = args.size() - 1;
  if (verb == "new" && operands == 1) return vkm::NewCommand(args[1], std::cout, std::cerr);
  if (verb == "check" && operands == 1) return vkm::CheckCommand(args[1], std::cout, std::cerr);
  if (verb == "show" && operands >= 1) {
    return vkm::ShowCommand(args[1], {args.begin() + 2, args.end()}, std::cout, std::cerr);
  }
  if (verb == "set" && operands >= 3) {
    return vkm::SetCommand(args[1], args[2], {args.begin() + 3, args.end()}, std::cout, std::cerr);
  }
  if (verb == "diff" && operands == 2) return vkm::DiffCommand(args[1], args[2], std::cout, std::cerr);
  return Usage();
}

int DeviceVerb(std::vector<std::string> args, vkm::DeviceOptions options) {
  bool missing = false;
  options.console.clearModeMemory = TakeFlag(args, "--clear-modes");
  const std::optional<std::string> countdown = TakeOption(args, "--countdown", missing);
  if (missing || args.empty()) return Usage();
  if (countdown) {
    char* end = nullptr;
    const long seconds = std::strtol(countdown->c_str(), &end, 10);
    if (*end != '\0' || seconds < 0 || seconds > 86400) return Usage();
    options.console.countdownSeconds = static_cast<int>(seconds);
  }
  const std::string& verb = args[0];
  const std::size_t operands = args.size() - 1;
  const bool clearModesAllowed = verb == "program" || verb == "reconfigure";
  if ((options.console.clearModeMemory && !clearModesAllowed) || (countdown && verb != "factory-reset")) {
    return Usage();
  }
  if (verb == "identify" && operands == 0) return vkm::IdentifyCommand(options, std::cout, std::cerr);
  if (verb == "read" && operands == 1) return vkm::ReadCommand(options, args[1], std::cout, std::cerr);
  if (verb == "program" && operands == 1) return vkm::ProgramCommand(options, args[1], std::cout, std::cerr);
  if (verb == "reconfigure" && operands == 1) {
    return vkm::ReconfigureCommand(options, args[1], std::cout, std::cerr);
  }
  if (verb == "compare" && operands == 1) return vkm::CompareCommand(options, args[1], std::cout, std::cerr);
  if (verb == "restart" && operands == 0) return vkm::RestartCommand(options, std::cout, std::cerr);
  if (verb == "factory-reset" && operands == 0) return vkm::FactoryResetCommand(options, std::cout, std::cerr);
  if (verb == "sysparams") {
    return vkm::SystemParametersCommand(options, {args.begin() + 1, args.end()}, std::cout, std::cerr);
  }
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool missing = false;
  const std::optional<std::string> port = TakeOption(args, "--port", missing);
  const std::optional<std::string> password = TakeOption(args, "--password", missing);
  if (missing || args.empty()) return Usage();
  if (!port) {
    if (password) return Usage();
    return FileVerb(args);
  }

  QCoreApplication application(argc, argv);
  std::signal(SIGINT, [](int) { vkm::gInterrupted = true; });
  vkm::DeviceOptions options;
  options.console.port = QString::fromStdString(*port);
  if (password) {
    options.password = *password;
  } else if (const char* fromEnvironment = std::getenv("VKM_PASSWORD")) {
    options.password = fromEnvironment;
  }
  return DeviceVerb(args, options);
}
