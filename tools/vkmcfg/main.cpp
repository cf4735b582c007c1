// vkmcfg: shows, sets, checks and compares configuration files of the
// VKM410 controller from the command line.

#include <iostream>
#include <string>
#include <vector>

#include "FileCommands.h"

namespace {

constexpr int kExitUsage = 2;

int Usage() {
  std::cerr << "usage:\n"
               "  vkmcfg new FILE\n"
               "  vkmcfg check FILE\n"
               "  vkmcfg show FILE [NODE...]\n"
               "  vkmcfg set FILE NODE NAME=VALUE [NAME=VALUE...]\n"
               "  vkmcfg diff FILE1 FILE2\n";
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
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
