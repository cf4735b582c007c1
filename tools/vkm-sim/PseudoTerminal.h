#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vkm::sim {

// The controller's end of a pseudo-terminal: the master side, in raw mode,
// non-blocking. One descriptor of the slave side stays open for the life of
// the object, so that a configurator closing its port never hangs up the
// line under the simulator.
class PseudoTerminal {
 public:
  // Throws std::runtime_error when no terminal can be opened.
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // The path a configurator opens (e.g. /dev/pts/7).
  const std::string& SlavePath() const { return slavePath_; }

  enum class Wait { Readable, Woken, TimedOut };
  // Waits until the master has bytes to read, `wakeFd` becomes readable, or
  // the time-out passes.
  Wait WaitForInput(int wakeFd, std::chrono::milliseconds timeout) const;

  // Reads what is there (possibly nothing).
  std::size_t Read(std::span<uint8_t> buffer) const;
  // Writes all bytes unless the terminal stays full for `patience`; returns
  // the number written.
  std::size_t Write(std::span<const uint8_t> bytes, std::chrono::milliseconds patience) const;

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace vkm::sim
