#include "link/Protocol.h"

#include <array>
#include <span>

#include "model/ConfigurationDocument.h"

namespace vkm {

std::optional<uint8_t> AreaWriteCommand(int areaId) {
  static constexpr std::array<uint8_t, 7> kWriteCommands = {6, 1, 3, 8, 18, 22, 10};
  if (areaId < 1 || areaId > 7) return std::nullopt;
  return kWriteCommands[static_cast<std::size_t>(areaId - 1)];
}

std::vector<uint8_t> BuildFrame(uint8_t command, const uint8_t* payload, std::size_t length) {
  std::vector<uint8_t> frame;
  frame.reserve(length + kFrameOverhead);
  frame.push_back(kFrameStart);
  frame.push_back(command);
  frame.push_back(static_cast<uint8_t>(length));
  frame.push_back(static_cast<uint8_t>(length >> 8));
  frame.insert(frame.end(), payload, payload + length);
  frame.push_back(CheckByte(std::span<const uint8_t>(frame).subspan(1)));
  return frame;
}

}  // namespace vkm
