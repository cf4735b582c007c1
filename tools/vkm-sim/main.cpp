// vkm-sim: the controller's side of the serial protocol on a pseudo-terminal.

#include <signal.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "model/FactoryImage.h"
#include "vkm-sim/Controller.h"
#include "vkm-sim/ImageFile.h"
#include "vkm-sim/LinePacing.h"
#include "vkm-sim/Options.h"
#include "vkm-sim/PseudoTerminal.h"

namespace {

using vkm::sim::Controller;
using vkm::sim::Options;
using vkm::sim::PseudoTerminal;
using Clock = std::chrono::steady_clock;

constexpr int kUsageError = 2;
// Often enough for the reset watch to end close to its time.
constexpr std::chrono::milliseconds kIdleTick{100};
constexpr std::chrono::milliseconds kWritePatience{1000};

int wakePipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(wakePipe[1], &byte, 1);
}

bool InstallStopSignals() {
  if (pipe(wakePipe) != 0) return false;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  if (sigaction(SIGINT, &action, nullptr) != 0 || sigaction(SIGTERM, &action, nullptr) != 0) return false;
  signal(SIGPIPE, SIG_IGN);
  return true;
}

// The controller's clock starts at the computer's local time.
vkm::sim::CalendarTime LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr || local.tm_year < 100 || local.tm_year > 199) return {};
  return {local.tm_year - 100, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
          std::min(local.tm_sec, 59)};
}

int UsageError(const std::string& message) {
  std::cerr << "vkm-sim: " << message << "\n\n" << vkm::sim::UsageText();
  return kUsageError;
}

bool MakeLink(const std::filesystem::path& link, const std::string& target) {
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, error))) {
    std::filesystem::remove(link, error);
  } else if (std::filesystem::exists(std::filesystem::symlink_status(link, error))) {
    std::cerr << "vkm-sim: " << link.string() << " exists and is not a symbolic link\n";
    return false;
  }
  std::filesystem::create_symlink(target, link, error);
  if (error) {
    std::cerr << "vkm-sim: cannot create the link " << link.string() << ": " << error.message() << "\n";
    return false;
  }
  return true;
}

void RemoveLink(const std::filesystem::path& link, const std::string& target) {
  std::error_code error;
  // Leave it alone if someone else has taken the name over meanwhile.
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, error)) &&
      std::filesystem::read_symlink(link, error) == target)
    std::filesystem::remove(link, error);
}

void Serve(const PseudoTerminal& terminal, Controller& controller, const Options& options) {
  std::array<uint8_t, 4096> buffer{};
  std::size_t rejected = 0;
  while (true) {
    const auto wait = terminal.WaitForInput(wakePipe[0], kIdleTick);
    if (wait == PseudoTerminal::Wait::Woken) return;
    if (wait == PseudoTerminal::Wait::TimedOut) {
      controller.Tick(Clock::now());
      continue;
    }
    const std::size_t n = terminal.Read(buffer);
    const auto exchanges = controller.Receive(std::span<const uint8_t>(buffer.data(), n), Clock::now());
    if (options.verbose && controller.RejectedFrames() != rejected) {
      std::cerr << "frame with a wrong check byte ignored (" << controller.RejectedFrames() - rejected << ")\n";
      rejected = controller.RejectedFrames();
    }
    for (const vkm::sim::Exchange& exchange : exchanges) {
      if (options.verbose) std::cerr << exchange.note << "\n";
      if (exchange.reply.empty()) continue;
      if (options.lineRate)
        std::this_thread::sleep_for(vkm::sim::LineRateDelay(exchange.requestSize, exchange.reply.size()));
      if (terminal.Write(exchange.reply, kWritePatience) != exchange.reply.size())
        std::cerr << "vkm-sim: reply to frame " << exchange.frameNumber << " could not be written whole\n";
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto options = vkm::sim::ParseOptions(args, error);
  if (!options) return UsageError(error);
  if (options->help) {
    std::cout << vkm::sim::UsageText();
    return 0;
  }

  options->setup.image = vkm::FactoryImage();
  if (options->image) {
    const auto image = vkm::sim::LoadImageFile(*options->image, error);
    if (!image) return UsageError(error);
    options->setup.image = *image;
  }
  options->setup.clock = LocalTimeNow();

  if (!InstallStopSignals()) {
    std::cerr << "vkm-sim: cannot install the signal handlers\n";
    return 1;
  }

  try {
    const PseudoTerminal terminal;
    if (options->link && !MakeLink(*options->link, terminal.SlavePath())) return kUsageError;

    std::cout << terminal.SlavePath() << std::endl;
    std::cerr << options->faults.Describe() << "\n";

    Controller controller(options->setup, options->faults, Clock::now());
    if (!controller.Password().empty()) std::cerr << "area 1 holds an administrative password\n";
    controller.SetNoticeSink([](const std::string& text) { std::cerr << "vkm-sim: " << text << "\n"; });
    Serve(terminal, controller, *options);

    if (options->link) RemoveLink(*options->link, terminal.SlavePath());
  } catch (const std::exception& failure) {
    std::cerr << "vkm-sim: " << failure.what() << "\n";
    return 1;
  }
  return 0;
}
