// Runs the real vkm-sim and talks to it over its pseudo-terminal with plain
// POSIX calls, as a configurator's serial port would.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SimTestSupport.h"

namespace vkm::sim::test {
namespace {

// Generous limits that only matter when something is broken; they are not
// what the tests measure.
constexpr int kPatienceMs = 10000;

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vkm-sim-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads until `count` bytes have come, the other end closes, or the
// patience runs out.
Bytes ReadBytes(int fd, std::size_t count) {
  Bytes bytes;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
  while (bytes.size() < count && std::chrono::steady_clock::now() < giveUp) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    uint8_t buffer[512];
    const ssize_t n = read(fd, buffer, std::min(sizeof buffer, count - bytes.size()));
    if (n <= 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return bytes;
}

class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args, const std::filesystem::path& errorFile) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      const int err = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(err, STDERR_FILENO);
      close(out[0]);
      close(out[1]);
      std::vector<std::string> all = {VKM_SIM_PATH};
      all.insert(all.end(), args.begin(), args.end());
      std::vector<char*> argv;
      for (std::string& arg : all) argv.push_back(arg.data());
      argv.push_back(nullptr);
      execv(VKM_SIM_PATH, argv.data());
      _exit(127);
    }
    close(out[1]);
    stdout_ = out[0];
  }

  ~SimProcess() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) close(stdout_);
  }

  bool Started() const { return pid_ > 0 && stdout_ >= 0; }

  // The first line of standard output, without its line feed.
  std::string FirstLine() {
    std::string line;
    while (true) {
      const Bytes byte = ReadBytes(stdout_, 1);
      if (byte.empty() || byte[0] == '\n') return line;
      line += static_cast<char>(byte[0]);
    }
  }

  std::string RestOfOutput() {
    std::string text;
    while (true) {
      const Bytes byte = ReadBytes(stdout_, 1);
      if (byte.empty()) return text;
      text += static_cast<char>(byte[0]);
    }
  }

  // Exit status, or -1 when it did not exit normally.
  int Stop(int signal) {
    kill(pid_, signal);
    return Wait();
  }

  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  bool exited_ = false;
};

int OpenPort(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return fd;
  termios settings{};
  tcgetattr(fd, &settings);
  cfmakeraw(&settings);
  cfsetispeed(&settings, B19200);
  cfsetospeed(&settings, B19200);
  tcsetattr(fd, TCSANOW, &settings);
  return fd;
}

bool WriteAll(int fd, const Bytes& bytes) { return write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()); }

TEST(SimulatorProcessTest, AnswersOverItsTerminalAcrossReopeningAndStopsCleanly) {
  TempDir dir;
  ASSERT_FALSE(dir.Path().empty());
  const auto link = dir.Path() / "port";
  SimProcess sim({"--link", link.string(), "--device-name", "TEST1", "--firmware", "0207", "--fault",
                  "echo-command@cmd:12:1"},
                 dir.Path() / "stderr");
  ASSERT_TRUE(sim.Started());
  const std::string path = sim.FirstLine();
  ASSERT_FALSE(path.empty()) << ReadFile(dir.Path() / "stderr");
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), path);

  int port = OpenPort(link.string());
  ASSERT_GE(port, 0);
  ASSERT_TRUE(WriteAll(port, Cat(Text("BINARY\r"), {0x05, 0x05, 0x00, 0x00, 0xFB})));
  const Bytes record = PayloadOf(ReadBytes(port, 93), 5, 88);
  ASSERT_EQ(record.size(), 88u);
  EXPECT_EQ(Bytes(record.begin(), record.begin() + 9), Cat(Text("TEST1"), Bytes(4, 0)));
  EXPECT_EQ(GetLe(record, 20, 2), 0x0207u);
  close(port);

  // The configurator opens its port anew for every operation.
  for (int round = 0; round < 3; ++round) {
    port = OpenPort(path);
    ASSERT_GE(port, 0);
    ASSERT_TRUE(WriteAll(port, Cat(Text("BINARY\r"), Request(12))));
    const Bytes reply = ReadBytes(port, 41);
    if (round == 0) {
      ASSERT_EQ(reply.size(), 41u);
      EXPECT_EQ(reply[1], 13) << "the planned fault";
    } else {
      EXPECT_EQ(PayloadOf(reply, 12, 36).size(), 36u) << "round " << round;
    }
    close(port);
  }

  EXPECT_EQ(sim.Stop(SIGTERM), 0) << ReadFile(dir.Path() / "stderr");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link))) << "link removed";
  EXPECT_NE(ReadFile(dir.Path() / "stderr").find("echo-command on frame 1 with command 12"), std::string::npos);
}

TEST(SimulatorProcessTest, BadArgumentsEndWithStatusTwoAndAUsageText) {
  TempDir dir;
  ASSERT_FALSE(dir.Path().empty());
  std::ofstream(dir.Path() / "short.cnt") << "[VKMControllerConfiguration_v01.00]";
  const std::vector<std::vector<std::string>> cases = {
      {"--fault", "sometimes"},
      {"--bogus"},
      {"--image", (dir.Path() / "short.cnt").string()},
      {"--image", (dir.Path() / "missing.cnt").string()},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    SimProcess sim(args, dir.Path() / "stderr");
    ASSERT_TRUE(sim.Started());
    EXPECT_EQ(sim.RestOfOutput(), "") << "no terminal is offered";
    EXPECT_EQ(sim.Wait(), 2);
    EXPECT_NE(ReadFile(dir.Path() / "stderr").find("usage: vkm-sim"), std::string::npos);
  }
}

}  // namespace
}  // namespace vkm::sim::test
