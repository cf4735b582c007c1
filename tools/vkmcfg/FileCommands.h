#pragma once

// The verbs of vkmcfg that work on configuration files. Each returns the
// program's exit status.

#include <ostream>
#include <string>
#include <vector>

namespace vkm {

// Writes the factory configuration.
int NewCommand(const std::string& file, std::ostream& out, std::ostream& err);
// Loads the file and prints the loader's result code and message.
int CheckCommand(const std::string& file, std::ostream& out, std::ostream& err);
// Prints the controls of the given sections (all that a file holds when none
// are given) as one JSON object.
int ShowCommand(const std::string& file, const std::vector<std::string>& nodes, std::ostream& out,
                std::ostream& err);
// Sets controls of one section, NAME=VALUE each, and saves the file.
int SetCommand(const std::string& file, const std::string& node, const std::vector<std::string>& assignments,
               std::ostream& out, std::ostream& err);
// Prints every shown value, then every other image byte, that differs.
int DiffCommand(const std::string& file1, const std::string& file2, std::ostream& out, std::ostream& err);

}  // namespace vkm
