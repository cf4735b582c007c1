#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vkm::sim {

constexpr uint8_t kFrameStart = 0x05;
// No frame in this protocol is longer than 300 bytes.
constexpr std::size_t kMaxPayload = 295;

struct Frame {
  uint8_t command = 0;
  std::vector<uint8_t> payload;

  std::size_t Size() const { return payload.size() + 5; }
};

// Start byte, command, little-endian length, payload, check byte.
std::vector<uint8_t> BuildFrame(uint8_t command, std::span<const uint8_t> payload);

// Splits the incoming byte stream into request frames. Until the mode switch
// text has been seen the controller is in text mode and ignores everything
// else; afterwards it looks for frames, skips bytes that cannot start one and
// drops frames whose check byte is wrong.
class FrameParser {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  // An unfinished frame is abandoned when the line stays quiet this long, so
  // that a stray start byte cannot swallow the next real request.
  static constexpr std::chrono::milliseconds kStaleGap{500};

  void Push(std::span<const uint8_t> bytes, TimePoint now);
  std::optional<Frame> Next();

  // Back to waiting for the mode switch (the controller restarted).
  void EnterTextMode() { binary_ = false; }
  bool InBinaryMode() const { return binary_; }

  // Complete frames dropped for a wrong check byte, since construction.
  std::size_t RejectedFrames() const { return rejected_; }

 private:
  bool ConsumeModeSwitch();
  std::optional<Frame> NextInBinary();

  std::vector<uint8_t> buffer_;
  bool binary_ = false;
  std::size_t rejected_ = 0;
  std::optional<TimePoint> lastByte_;
};

}  // namespace vkm::sim
