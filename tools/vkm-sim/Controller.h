#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/ConfigurationDocument.h"
#include "vkm-sim/Calendar.h"
#include "vkm-sim/FaultPlan.h"
#include "vkm-sim/FrameParser.h"

namespace vkm::sim {

constexpr std::size_t kIdentitySize = 88;
constexpr std::size_t kStateSize = 36;
constexpr std::size_t kKeyReaderSize = 12;
constexpr std::size_t kGpsSize = 28;
constexpr std::size_t kMaxBlock = 256;

// Command codes other than the memory transfers.
enum Command : uint8_t {
  kIdentify = 5,
  kState = 12,
  kSetClock = 13,
  kKeyReader = 14,
  kApplyConfiguration = 15,
  kRestart = 16,
  kPassword = 17,
  kControl = 20,
  kGps = 21,
};

// Result codes of acknowledgements.
enum Result : uint8_t { kDone = 0, kFlashFault = 1, kPasswordNeeded = 2, kRefused = 3 };

// Everything that makes one simulated controller differ from another.
struct ControllerSetup {
  ConfigurationImage image{};       // area 1
  std::string deviceName = "VKM410";  // code page 1251, at most 9 bytes
  std::string modification = "G";     // code page 1251, at most 9 bytes
  uint16_t firmware = 0x0100;
  std::string imei = "356938035643809";  // digits, at most 15
  CalendarTime clock{26, 1, 15, 12, 0, 0};  // the controller's clock when it starts
  std::chrono::milliseconds resetDelay = std::chrono::seconds(1800);
};

// One request frame that was recognised, and the controller's answer.
struct Exchange {
  uint64_t frameNumber = 0;  // from 1, counting every valid frame
  uint8_t command = 0;
  std::size_t requestSize = 0;
  std::vector<uint8_t> reply;  // empty: nothing is sent
  std::string note;            // one line for the log
};

// The controller's side of the protocol, without any input or output: bytes
// go in, reply frames come out, and time is whatever the caller says it is.
class Controller {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  // Identity requests must follow one another at most this far apart for a
  // reset watch to go on.
  static constexpr std::chrono::seconds kIdentityGap{5};

  Controller(const ControllerSetup& setup, FaultPlan faults, TimePoint now);

  std::vector<Exchange> Receive(std::span<const uint8_t> bytes, TimePoint now);
  // Lets time pass without input, so that the reset watch can end on time.
  void Tick(TimePoint now);

  // Messages worth telling whoever runs the simulator (the password cleared
  // by the reset watch, the watch cancelled).
  void SetNoticeSink(std::function<void(const std::string&)> sink) { notice_ = std::move(sink); }

  // Area memory by area id; empty for areas this controller refuses.
  std::span<const uint8_t> Area(int id) const;
  // The administrative password as stored in area 1 (code page 1251).
  std::string Password() const;
  bool Authorised() const { return authorised_; }
  bool InBinaryMode() const { return parser_.InBinaryMode(); }
  bool ResetWatchRunning() const { return watch_.has_value(); }
  std::size_t RejectedFrames() const { return parser_.RejectedFrames(); }

  std::array<uint8_t, kIdentitySize> IdentityRecord() const;
  std::array<uint8_t, kStateSize> StateRecord(TimePoint now) const;
  std::array<uint8_t, kKeyReaderSize> KeyReaderRecord() const;
  std::array<uint8_t, kGpsSize> GpsRecord(TimePoint now) const;

 private:
  struct Handled {
    std::vector<uint8_t> reply;
    ReplyShape shape = ReplyShape::Result;
    std::string note;
    bool restart = false;
  };
  struct ResetWatch {
    TimePoint start;
    TimePoint lastIdentity;
  };

  Exchange Serve(const Frame& frame, TimePoint now);
  Handled Execute(const Frame& frame, std::optional<uint8_t> imposed, TimePoint now);
  Handled BlockTransfer(const Frame& frame, int area, bool read, std::optional<uint8_t> imposed);
  Handled HandlePassword(const Frame& frame, std::optional<uint8_t> imposed, TimePoint now);
  Handled HandleControl(const Frame& frame, std::optional<uint8_t> imposed);
  Handled HandleSetClock(const Frame& frame, std::optional<uint8_t> imposed, TimePoint now);
  Handled HandleRestart(const Frame& frame, std::optional<uint8_t> imposed);

  std::span<uint8_t> Memory(int id);
  bool AccessAllowed() const { return authorised_ || Password().empty(); }
  int64_t ClockSeconds(TimePoint now) const;
  void Notify(const std::string& text) const;

  FrameParser parser_;
  FaultPlan faults_;
  uint64_t frames_ = 0;
  std::array<uint64_t, 256> framesPerCommand_{};

  ConfigurationImage configuration_{};
  PostProgramBlock modeMemory_{};
  SystemParameterBlock systemParameters_{};

  std::string deviceName_;
  std::string modification_;
  uint16_t firmware_;
  std::string imei_;

  int64_t clockBase_ = 0;  // seconds since 2000 at clockSetAt_
  TimePoint clockSetAt_;

  bool authorised_ = false;
  std::chrono::milliseconds resetDelay_;
  std::optional<ResetWatch> watch_;

  uint8_t securityMode_ = 0;
  uint8_t inputs_ = 0;
  uint8_t outputs_ = 0;

  std::function<void(const std::string&)> notice_;
};

}  // namespace vkm::sim
