#pragma once

#include <chrono>
#include <cstddef>

namespace vkm::sim {

// How long a controller on a 19200-baud line takes between the end of a
// request of `requestBytes` and the moment its reply of `replyBytes` is
// written: both frames' time on the line (10 bits a byte, about 0.52 ms)
// plus a millisecond of processing.
constexpr std::chrono::microseconds LineRateDelay(std::size_t requestBytes, std::size_t replyBytes) {
  return std::chrono::microseconds(static_cast<long long>((requestBytes + replyBytes) * 520 + 1000));
}

}  // namespace vkm::sim
