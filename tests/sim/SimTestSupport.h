#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/FactoryImage.h"
#include "vkm-sim/Controller.h"

namespace vkm::sim::test {

using Bytes = std::vector<uint8_t>;

inline Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Written out here, apart from the simulator's own, so that a fault in one
// does not hide in the other.
inline uint8_t Check(const Bytes& bytes, std::size_t first, std::size_t last) {
  unsigned x = 0;
  for (std::size_t i = first; i <= last; ++i) x ^= bytes[i];
  return static_cast<uint8_t>((0x100 - x) & 0xFF);
}

inline Bytes Request(uint8_t command, const Bytes& payload = {}) {
  Bytes frame = {0x05, command, static_cast<uint8_t>(payload.size() & 0xFF), static_cast<uint8_t>(payload.size() >> 8)};
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.push_back(Check(frame, 1, frame.size() - 1));
  return frame;
}

inline Bytes Le(uint32_t value, std::size_t width) {
  Bytes bytes;
  for (std::size_t i = 0; i < width; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  return bytes;
}

inline Bytes BlockHeader(uint32_t address, uint16_t count) { return Cat(Le(address, 4), Le(count, 2)); }
inline Bytes ReadRequest(uint8_t command, uint32_t address, uint16_t count) {
  return Request(command, Cat(BlockHeader(address, count), {0, 0}));
}
inline Bytes WriteRequest(uint8_t command, uint32_t address, const Bytes& data) {
  return Request(command, Cat(BlockHeader(address, static_cast<uint16_t>(data.size())), data));
}

// The payload of a reply frame, after checking its start byte, command,
// length field and check byte.
inline Bytes PayloadOf(const Bytes& reply, uint8_t command, std::size_t length) {
  EXPECT_EQ(reply.size(), length + 5);
  if (reply.size() != length + 5) return {};
  EXPECT_EQ(reply[0], 0x05);
  EXPECT_EQ(reply[1], command);
  EXPECT_EQ(reply[2] | reply[3] << 8, static_cast<int>(length));
  EXPECT_EQ(reply.back(), Check(reply, 1, reply.size() - 2)) << "check byte";
  return Bytes(reply.begin() + 4, reply.end() - 1);
}

inline uint32_t GetLe(const Bytes& bytes, std::size_t offset, std::size_t width) {
  uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;) value = value << 8 | bytes[offset + i];
  return value;
}

// A controller driven on a clock of the test's own.
class ControllerFixture : public ::testing::Test {
 protected:
  using TimePoint = Controller::TimePoint;

  ControllerFixture() { setup.image = FactoryImage(); }

  void Start(FaultPlan faults = {}) {
    controller = std::make_unique<Controller>(setup, std::move(faults), now);
    controller->SetNoticeSink([this](const std::string& text) { notices.push_back(text); });
    EXPECT_TRUE(controller->Receive(Text("BINARY\r"), now).empty());
  }

  std::vector<Exchange> Send(const Bytes& bytes) { return controller->Receive(bytes, now); }

  // One request, one exchange; its reply (empty when none).
  Bytes Ask(const Bytes& request) {
    const auto exchanges = Send(request);
    EXPECT_EQ(exchanges.size(), 1u);
    return exchanges.empty() ? Bytes{} : exchanges.front().reply;
  }

  uint8_t ResultOf(uint8_t command, const Bytes& payload = {}) {
    const Bytes answer = PayloadOf(Ask(Request(command, payload)), command, 1);
    return answer.empty() ? 0xFF : answer[0];
  }

  // Result code of a block acknowledgement (13 bytes), checking its echo.
  uint8_t AckResult(const Bytes& reply, uint8_t command, uint32_t address, uint16_t count) {
    const Bytes header = PayloadOf(reply, command, 8);
    if (header.size() != 8) return 0xFF;
    EXPECT_EQ(GetLe(header, 0, 4), address);
    EXPECT_EQ(GetLe(header, 4, 2), count);
    EXPECT_EQ(header[7], 0);
    return header[6];
  }

  void Wait(std::chrono::milliseconds span) { now += span; }

  void SetPasswordField(std::string_view field) {
    std::fill_n(setup.image.begin() + kAdminPasswordOffset, kAdminPasswordSize, uint8_t{0});
    std::copy(field.begin(), field.end(), setup.image.begin() + kAdminPasswordOffset);
  }

  ControllerSetup setup;
  TimePoint now = TimePoint{} + std::chrono::hours(5);
  std::unique_ptr<Controller> controller;
  std::vector<std::string> notices;
};

}  // namespace vkm::sim::test
