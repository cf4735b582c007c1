#pragma once

// Runs the real vkmcfg program, as a shell would, and captures what it says.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vkm::test {

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Its output goes through files in `scratch`; `environment` (NAME=VALUE ...)
// is set for the run, and the password variable is never inherited.
inline RunResult RunVkmcfg(const std::vector<std::string>& args, const std::filesystem::path& scratch,
                           const std::string& environment = "") {
  const std::filesystem::path out = scratch / "vkmcfg.stdout";
  const std::filesystem::path err = scratch / "vkmcfg.stderr";
  std::string command = "env -u VKM_PASSWORD " + environment + " " + ShellQuote(VKMCFG_PATH);
  for (const std::string& arg : args) command += " " + ShellQuote(arg);
  command += " >" + ShellQuote(out.string()) + " 2>" + ShellQuote(err.string());
  const int raw = std::system(command.c_str());
  const auto read = [](const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(out), read(err)};
}

}  // namespace vkm::test
