#pragma once

// Runs the virtual controller vkm-sim as a separate process on a
// pseudo-terminal, so that device tests exchange real bytes through a real
// serial port. The simulator always logs every request frame (--verbose) on
// its standard error, which goes to a file the tests can read.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigurationDocument.h"
#include "model/FactoryImage.h"

namespace vkm::test {

inline constexpr char kConfigurationHeader[] = "[VKMControllerConfiguration_v01.00]";

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes of a configuration file holding `image` as it is: header, image,
// check byte. Files the configurator saves never hold a password; this one
// may, so that a simulator can start with one.
inline std::string ConfigurationFileBytes(const ConfigurationImage& image) {
  std::string bytes(kConfigurationHeader);
  bytes.append(reinterpret_cast<const char*>(image.data()), image.size());
  bytes.push_back(static_cast<char>(CheckByte(image)));
  return bytes;
}

inline void WriteConfigurationFile(const std::filesystem::path& path, const ConfigurationImage& image) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::string bytes = ConfigurationFileBytes(image);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void PutPassword(ConfigurationImage& image, std::string_view password) {
  std::fill_n(image.begin() + kAdminPasswordOffset, kAdminPasswordSize, uint8_t{0});
  std::copy(password.begin(), password.end(), image.begin() + kAdminPasswordOffset);
}

// A valid image unlike the factory one in its first and last blocks, so that
// a transfer is seen to move real data.
inline ConfigurationImage MarkedImage() {
  ConfigurationImage image = FactoryImage();
  for (std::size_t i = 0; i < 16; ++i) {
    image[300 + i] = static_cast<uint8_t>(0xA0 + i);
    image[kImageSize - 1 - i] = static_cast<uint8_t>(0x30 + i);
  }
  return image;
}

inline ConfigurationImage WithPassword(ConfigurationImage image, std::string_view password) {
  PutPassword(image, password);
  return image;
}

// Not a configuration: the format byte is not the factory one.
inline ConfigurationImage InvalidImage() {
  ConfigurationImage image = FactoryImage();
  image[0] = 0x02;
  return image;
}

// One request frame as the simulator logged it.
struct LoggedFrame {
  int command = 0;
  int size = 0;      // bytes of the request frame
  std::string note;  // what the simulator did, up to the size of its reply
};

class SimulatorProcess {
 public:
  // Starts vkm-sim with `args` (and --verbose), its standard error going to
  // `logFile`, and waits for the terminal path it prints first.
  SimulatorProcess(const std::vector<std::string>& args, std::filesystem::path logFile) : logFile_(std::move(logFile)) {
    std::vector<std::string> all = {VKM_SIM_PATH, "--verbose"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) return;
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
      // A test process that dies must not leave a simulator behind.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(127);
      dup2(out[1], STDOUT_FILENO);
      const int err = open(logFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (err >= 0) dup2(err, STDERR_FILENO);
      close(out[0]);
      close(out[1]);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    if (pid_ > 0) port_ = FirstLine(out[0]);
    close(out[0]);
  }

  ~SimulatorProcess() { Stop(); }
  SimulatorProcess(const SimulatorProcess&) = delete;
  SimulatorProcess& operator=(const SimulatorProcess&) = delete;

  // The terminal to open; empty when the simulator did not start.
  const std::string& Port() const { return port_; }

  // Ends the simulator with SIGTERM; its exit status (-1 when it did not
  // exit normally or had already been stopped).
  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Log() const { return ReadWholeFile(logFile_); }

  // Every request frame the simulator has recognised, in order.
  std::vector<LoggedFrame> Frames() const {
    static const std::regex kLine(R"(^#\d+ cmd (\d+) \((\d+) bytes\): (.*?)(?: -> \d+ bytes.*)?$)");
    std::vector<LoggedFrame> frames;
    std::istringstream log(Log());
    std::smatch match;
    for (std::string line; std::getline(log, line);) {
      if (std::regex_match(line, match, kLine)) {
        frames.push_back({std::stoi(match[1]), std::stoi(match[2]), match[3]});
      }
    }
    return frames;
  }

  std::vector<int> Commands() const {
    std::vector<int> commands;
    for (const LoggedFrame& frame : Frames()) commands.push_back(frame.command);
    return commands;
  }

  int CountFrames(int command) const {
    const std::vector<int> commands = Commands();
    return static_cast<int>(std::count(commands.begin(), commands.end(), command));
  }

 private:
  // Generous: it only matters when something is broken.
  static constexpr int kStartPatienceMs = 10000;

  static std::string FirstLine(int fd) {
    std::string line;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartPatienceMs);
    while (std::chrono::steady_clock::now() < giveUp) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char c = 0;
      if (read(fd, &c, 1) != 1) return {};
      if (c == '\n') return line;
      line += c;
    }
    return {};
  }

  std::filesystem::path logFile_;
  pid_t pid_ = -1;
  std::string port_;
};

// A fresh directory per test and the simulators the test starts, all
// stopped at its end.
class SimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vkm-device-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }

  void TearDown() override {
    simulators_.clear();
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
  }

  std::filesystem::path Path(const std::string& name) const { return dir_ / name; }

  // A started simulator, or nullptr (with a failure naming the reason).
  SimulatorProcess* StartSimulator(const std::vector<std::string>& args) {
    const auto log = Path("vkm-sim-" + std::to_string(simulators_.size()) + ".log");
    auto simulator = std::make_unique<SimulatorProcess>(args, log);
    if (simulator->Port().empty()) {
      ADD_FAILURE() << "vkm-sim did not start: " << ReadWholeFile(log);
      return nullptr;
    }
    simulators_.push_back(std::move(simulator));
    return simulators_.back().get();
  }

  // A configuration file holding `image` as it is, for --image.
  std::string ImageFile(const std::string& name, const ConfigurationImage& image) {
    const auto path = Path(name);
    WriteConfigurationFile(path, image);
    return path.string();
  }

  std::filesystem::path dir_;

 private:
  std::vector<std::unique_ptr<SimulatorProcess>> simulators_;
};

}  // namespace vkm::test
