#include "link/Exchange.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "link/Protocol.h"
#include "link/StatusTexts.h"
#include "model/ConfigurationDocument.h"
#include "model/ImageEncoding.h"

namespace vkm {
namespace {

constexpr int kAttempts = 3;
constexpr int kMaxFrameSize = 300;

using FrameBuffer = std::array<uint8_t, kMaxFrameSize>;

std::array<uint8_t, kBlockHeaderSize> BlockHeader(uint32_t address, int count) {
  std::array<uint8_t, kBlockHeaderSize> header{};
  PutU32(header.data(), address);
  PutU16(header.data() + 4, static_cast<uint16_t>(count));
  return header;
}

// The address and count a block reply echoes back.
bool BlockEchoMatches(const uint8_t* reply, uint8_t command, uint32_t address, int count) {
  return reply[0] == kFrameStart && reply[1] == command && GetU32(reply + 4) == address &&
         GetU16(reply + 8) == count;
}

}  // namespace

void Exchange::Fail(const QString& text) { report_.ShowStatus(text, TextColour::Red); }

void Exchange::FailPort() { Fail(StatusTextOf(kPortError) + portName_); }

bool Exchange::SwitchToBinary() {
  const auto* command = reinterpret_cast<const uint8_t*>(kBinaryModeSwitch);
  if (!port_.Clear() || !port_.Write(command, static_cast<int>(std::strlen(kBinaryModeSwitch)))) {
    FailPort();
    return false;
  }
  return true;
}

bool Exchange::DiscardOneByte() {
  uint8_t byte;
  if (port_.Read(&byte, 1) < 0) {
    FailPort();
    return false;
  }
  return true;
}

int Exchange::Transact(const std::vector<uint8_t>& request, uint8_t* reply, int expected) {
  int count = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (!port_.Clear() || !port_.Write(request.data(), static_cast<int>(request.size()))) return -1;
    count = port_.Read(reply, expected);
    if (count < 0 || count == expected) break;
  }
  return count;
}

bool Exchange::ReplyCheckByteMatches(const uint8_t* reply, int size) {
  return CheckByte(std::span<const uint8_t>(reply + 1, static_cast<std::size_t>(size - 2))) == reply[size - 1];
}

bool Exchange::RequestRecord(uint8_t command, uint8_t* destination, int size) {
  if (!DiscardOneByte()) return false;
  const std::vector<uint8_t> request = BuildFrame(command, nullptr, 0);
  FrameBuffer reply;
  const int expected = size + kFrameOverhead;
  const int count = Transact(request, reply.data(), expected);
  if (count < 0) return FailPort(), false;
  if (count != expected) return Fail(StatusTextOf(count > 0 ? kNoValidReply : kNoReply)), false;
  if (!ReplyCheckByteMatches(reply.data(), expected)) return Fail(StatusTextOf(kTransferError2)), false;
  if (reply[0] != kFrameStart || reply[1] != command) return Fail(StatusTextOf(kTransferError3)), false;
  std::memcpy(destination, reply.data() + 4, static_cast<std::size_t>(size));
  return true;
}

bool Exchange::SendCommand(uint8_t command, const uint8_t* payload, int length) {
  if (!DiscardOneByte()) return false;
  const std::vector<uint8_t> request = BuildFrame(command, payload, static_cast<std::size_t>(length));
  FrameBuffer reply;
  const int count = Transact(request, reply.data(), kCommandReplySize);
  if (count < 0) return FailPort(), false;
  if (count != kCommandReplySize) return Fail(StatusTextOf(count > 0 ? kNoValidReply : kNoReply)), false;
  if (!ReplyCheckByteMatches(reply.data(), kCommandReplySize)) return Fail(StatusTextOf(kTransferError2)), false;
  const uint8_t result = reply[4];
  if (reply[0] == kFrameStart && reply[1] == command && result == kAckDone) return true;
  // The result code alone decides the text, even when the echo was wrong.
  if (result == kAckFlashFault) return Fail(StatusTextOf(kFlashError)), false;
  if (result == kAckPasswordRequired) return Fail(StatusTextOf(kPasswordRequired)), false;
  return Fail(StatusTextOf(kTransferError3)), false;
}

bool Exchange::WriteArea(int areaId, uint32_t baseAddress, const uint8_t* source, int size) {
  report_.SetProgressMaximum(size);
  report_.SetProgress(0);
  if (!DiscardOneByte()) return false;
  const std::optional<uint8_t> command = AreaWriteCommand(areaId);
  if (!command) return Fail(QString::fromUtf8("Ошибка идентификатора области FLASH памяти")), false;

  FrameBuffer reply;
  for (int offset = 0; offset < size;) {
    const int n = std::min(size - offset, kMaxBlockSize);
    const uint32_t address = baseAddress + static_cast<uint32_t>(offset);
    const auto header = BlockHeader(address, n);
    std::vector<uint8_t> payload(header.begin(), header.begin() + 6);
    payload.insert(payload.end(), source + offset, source + offset + n);
    const std::vector<uint8_t> request = BuildFrame(*command, payload.data(), payload.size());

    const int count = Transact(request, reply.data(), kBlockAckSize);
    if (count < 0) return FailPort(), false;
    if (count != kBlockAckSize) return Fail(StatusTextOf(count > 0 ? kNoValidReply : kNoReply)), false;
    if (!ReplyCheckByteMatches(reply.data(), kBlockAckSize)) return Fail(StatusTextOf(kTransferError2)), false;
    const uint8_t result = reply[10];
    if (!BlockEchoMatches(reply.data(), *command, address, n) || result != kAckDone) {
      return Fail(StatusTextOf(result == kAckFlashFault ? kFlashError : kTransferError3)), false;
    }
    offset += n;
    report_.SetProgress(offset);
  }
  return true;
}

bool Exchange::ReadArea(int areaId, uint32_t baseAddress, uint8_t* destination, int size) {
  report_.SetProgressMaximum(size);
  report_.SetProgress(0);
  if (!DiscardOneByte()) return false;
  const std::optional<uint8_t> writeCommand = AreaWriteCommand(areaId);
  if (!writeCommand) return Fail(QString::fromUtf8("Ошибка идентификатора области FLASH памяти")), false;
  const auto command = static_cast<uint8_t>(*writeCommand + 1);

  FrameBuffer reply;
  for (int offset = 0; offset < size;) {
    const int n = std::min(size - offset, kMaxBlockSize);
    const uint32_t address = baseAddress + static_cast<uint32_t>(offset);
    const auto header = BlockHeader(address, n);
    const std::vector<uint8_t> request = BuildFrame(command, header.data(), header.size());

    const int expected = n + kFrameOverhead + 6;
    const int count = Transact(request, reply.data(), expected);
    if (count < 0) return FailPort(), false;
    if (count != expected) return Fail(StatusTextOf(kTransferError1)), false;
    if (!ReplyCheckByteMatches(reply.data(), expected)) return Fail(StatusTextOf(kTransferError2)), false;
    if (!BlockEchoMatches(reply.data(), command, address, n)) return Fail(StatusTextOf(kTransferError3)), false;
    std::memcpy(destination + offset, reply.data() + 10, static_cast<std::size_t>(n));
    offset += n;
    report_.SetProgress(offset);
  }
  return true;
}

}  // namespace vkm
