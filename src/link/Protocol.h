#pragma once

// The controller's binary protocol: frames of 0x05, command, 16-bit payload
// length, payload and check byte; command codes; memory areas.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vkm {

constexpr uint8_t kFrameStart = 0x05;
constexpr int kFrameOverhead = 5;      // start, command, length (2), check byte
constexpr int kMaxBlockSize = 256;     // data bytes in one area block
constexpr int kBlockHeaderSize = 8;    // address (4), count (2), result, spare
constexpr int kCommandReplySize = 6;   // start, command, length (2), result, check
constexpr int kBlockAckSize = kFrameOverhead + kBlockHeaderSize;
constexpr int kMaxRecordSize = 295;
inline constexpr char kBinaryModeSwitch[] = "BINARY\r";

enum Command : uint8_t {
  kCommandIdentity = 5,
  kCommandState = 12,
  kCommandSetData = 13,
  kCommandKeyReader = 14,
  kCommandApplyConfiguration = 15,
  kCommandRestart = 16,
  kCommandPassword = 17,
  kCommandControl = 20,
  kCommandGps = 21,
};

enum AreaId : int {
  kAreaConfiguration = 1,     // 3520 bytes
  kAreaPostProgram = 4,       // 10 bytes, the mode memory
  kAreaSystemParameters = 5,  // 24 bytes
};

// Result codes of the controller's acknowledgements.
enum AckResult : uint8_t { kAckDone = 0, kAckFlashFault = 1, kAckPasswordRequired = 2 };

// The write command of an area (its read command is one more), or nothing
// for an area id outside 1..7.
std::optional<uint8_t> AreaWriteCommand(int areaId);

// A request frame: start byte, command, length, payload, check byte.
std::vector<uint8_t> BuildFrame(uint8_t command, const uint8_t* payload, std::size_t length);

}  // namespace vkm
