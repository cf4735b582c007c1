#include "vkm-sim/FrameParser.h"

#include <algorithm>
#include <string_view>

#include "model/ConfigurationDocument.h"

namespace vkm::sim {
namespace {

constexpr std::string_view kModeSwitch = "BINARY\r";

}  // namespace

std::vector<uint8_t> BuildFrame(uint8_t command, std::span<const uint8_t> payload) {
  std::vector<uint8_t> frame;
  frame.reserve(payload.size() + 5);
  frame.push_back(kFrameStart);
  frame.push_back(command);
  frame.push_back(static_cast<uint8_t>(payload.size() & 0xFF));
  frame.push_back(static_cast<uint8_t>((payload.size() >> 8) & 0xFF));
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.push_back(CheckByte(std::span<const uint8_t>(frame).subspan(1)));
  return frame;
}

void FrameParser::Push(std::span<const uint8_t> bytes, TimePoint now) {
  if (bytes.empty()) return;
  if (binary_ && !buffer_.empty() && lastByte_ && now - *lastByte_ > kStaleGap) buffer_.clear();
  lastByte_ = now;
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<Frame> FrameParser::Next() {
  if (!binary_ && !ConsumeModeSwitch()) return std::nullopt;
  return NextInBinary();
}

bool FrameParser::ConsumeModeSwitch() {
  const auto found = std::search(buffer_.begin(), buffer_.end(), kModeSwitch.begin(), kModeSwitch.end(),
                                 [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); });
  if (found == buffer_.end()) {
    // Keep only what could still become the start of the mode switch.
    const std::size_t keep = std::min(buffer_.size(), kModeSwitch.size() - 1);
    buffer_.erase(buffer_.begin(), buffer_.end() - static_cast<std::ptrdiff_t>(keep));
    return false;
  }
  buffer_.erase(buffer_.begin(), found + static_cast<std::ptrdiff_t>(kModeSwitch.size()));
  binary_ = true;
  return true;
}

std::optional<Frame> FrameParser::NextInBinary() {
  while (true) {
    const auto start = std::find(buffer_.begin(), buffer_.end(), kFrameStart);
    buffer_.erase(buffer_.begin(), start);
    if (buffer_.size() < 4) return std::nullopt;
    const std::size_t length = buffer_[2] | (static_cast<std::size_t>(buffer_[3]) << 8);
    if (length > kMaxPayload) {
      buffer_.erase(buffer_.begin());
      continue;
    }
    const std::size_t size = length + 5;
    if (buffer_.size() < size) return std::nullopt;
    const std::span<const uint8_t> covered(buffer_.data() + 1, length + 3);
    if (CheckByte(covered) != buffer_[size - 1]) {
      ++rejected_;
      buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(size));
      continue;
    }
    Frame frame;
    frame.command = buffer_[1];
    frame.payload.assign(buffer_.begin() + 4, buffer_.begin() + static_cast<std::ptrdiff_t>(size - 1));
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(size));
    return frame;
  }
}

}  // namespace vkm::sim
