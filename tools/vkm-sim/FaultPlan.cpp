#include "vkm-sim/FaultPlan.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <utility>

#include "model/ConfigurationDocument.h"

namespace vkm::sim {
namespace {

constexpr std::pair<std::string_view, FaultKind> kNames[] = {
    {"noreply", FaultKind::NoReply},
    {"short", FaultKind::Short},
    {"badcheck", FaultKind::BadCheck},
    {"echo-command", FaultKind::EchoCommand},
    {"echo-address", FaultKind::EchoAddress},
    {"echo-count", FaultKind::EchoCount},
    {"flash", FaultKind::Flash},
    {"password", FaultKind::Password},
    {"refuse", FaultKind::Refuse},
    {"corrupt", FaultKind::Corrupt},
};

std::optional<uint64_t> ParseNumber(std::string_view text, uint64_t min, uint64_t max) {
  uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max) return std::nullopt;
  return value;
}

std::optional<FaultWhen> ParseWhen(std::string_view text, std::string& error) {
  FaultWhen when;
  if (text.substr(0, 4) != "cmd:") {
    const auto number = ParseNumber(text, 1, UINT64_MAX);
    if (!number) {
      error = "\"" + std::string(text) + "\" is neither a frame number (1, 2, ...) nor cmd:C or cmd:C:K";
      return std::nullopt;
    }
    when.kind = FaultWhen::Kind::FrameNumber;
    when.number = *number;
    return when;
  }
  const std::string_view rest = text.substr(4);
  const std::size_t colon = rest.find(':');
  const auto command = ParseNumber(rest.substr(0, colon), 0, 255);
  if (!command) {
    error = "command code in \"" + std::string(text) + "\" must be a number from 0 to 255";
    return std::nullopt;
  }
  when.command = static_cast<uint8_t>(*command);
  if (colon == std::string_view::npos) {
    when.kind = FaultWhen::Kind::Command;
    return when;
  }
  const auto occurrence = ParseNumber(rest.substr(colon + 1), 1, UINT64_MAX);
  if (!occurrence) {
    error = "occurrence in \"" + std::string(text) + "\" must be a number from 1";
    return std::nullopt;
  }
  when.kind = FaultWhen::Kind::CommandOccurrence;
  when.number = *occurrence;
  return when;
}

bool Hits(const FaultWhen& when, uint64_t frameNumber, uint8_t command, uint64_t occurrence) {
  switch (when.kind) {
    case FaultWhen::Kind::EveryFrame: return true;
    case FaultWhen::Kind::FrameNumber: return frameNumber == when.number;
    case FaultWhen::Kind::Command: return command == when.command;
    case FaultWhen::Kind::CommandOccurrence: return command == when.command && occurrence == when.number;
  }
  return false;
}

void ResealCheckByte(std::vector<uint8_t>& reply) {
  if (reply.size() < 2) return;
  reply.back() = CheckByte(std::span<const uint8_t>(reply).subspan(1, reply.size() - 2));
}

bool Has(const std::vector<FaultKind>& kinds, FaultKind kind) {
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool HasBlockHeader(ReplyShape shape) { return shape == ReplyShape::BlockAck || shape == ReplyShape::BlockData; }

}  // namespace

std::optional<Fault> ParseFault(std::string_view text, std::string& error) {
  const std::size_t at = text.find('@');
  const std::string_view what = text.substr(0, at);
  Fault fault;
  bool known = false;
  for (const auto& [name, kind] : kNames) {
    if (name == what) {
      fault.what = kind;
      known = true;
    }
  }
  if (!known) {
    error = "unknown fault \"" + std::string(what) +
            "\" (noreply, short, badcheck, echo-command, echo-address, echo-count, flash, password, refuse, corrupt)";
    return std::nullopt;
  }
  if (at == std::string_view::npos) return fault;
  const auto when = ParseWhen(text.substr(at + 1), error);
  if (!when) return std::nullopt;
  fault.when = *when;
  return fault;
}

std::string_view FaultName(FaultKind kind) {
  for (const auto& [name, k] : kNames)
    if (k == kind) return name;
  return "?";
}

std::string Describe(const Fault& fault) {
  std::string text(FaultName(fault.what));
  switch (fault.when.kind) {
    case FaultWhen::Kind::EveryFrame: return text + " on every request frame";
    case FaultWhen::Kind::FrameNumber: return text + " on request frame " + std::to_string(fault.when.number);
    case FaultWhen::Kind::Command: return text + " on every frame with command " + std::to_string(fault.when.command);
    case FaultWhen::Kind::CommandOccurrence:
      return text + " on frame " + std::to_string(fault.when.number) + " with command " +
             std::to_string(fault.when.command);
  }
  return text;
}

std::string FaultPlan::Describe() const {
  if (faults_.empty()) return "fault plan: none";
  std::string text = "fault plan:";
  for (const Fault& fault : faults_) text += "\n  " + sim::Describe(fault);
  return text;
}

std::vector<FaultKind> FaultPlan::Select(uint64_t frameNumber, uint8_t command, uint64_t occurrence) const {
  std::vector<FaultKind> kinds;
  for (const Fault& fault : faults_)
    if (Hits(fault.when, frameNumber, command, occurrence)) kinds.push_back(fault.what);
  return kinds;
}

std::optional<uint8_t> ImposedResultCode(const std::vector<FaultKind>& kinds) {
  std::optional<uint8_t> code;
  for (FaultKind kind : kinds) {
    if (kind == FaultKind::Flash) code = 1;
    if (kind == FaultKind::Password) code = 2;
    if (kind == FaultKind::Refuse) code = 3;
  }
  return code;
}

bool LosesRequest(const std::vector<FaultKind>& kinds) { return Has(kinds, FaultKind::NoReply); }

void SpoilReply(std::vector<uint8_t>& reply, ReplyShape shape, const std::vector<FaultKind>& kinds) {
  // Wrong echoes first, each with a valid check byte; then the faults of the
  // line, which damage the frame as a whole. Each kind acts once.
  if (Has(kinds, FaultKind::EchoCommand) && reply.size() >= 2) {
    ++reply[1];
    ResealCheckByte(reply);
  }
  if (Has(kinds, FaultKind::EchoAddress) && HasBlockHeader(shape) && reply.size() >= 10) {
    uint32_t address = 0;
    for (std::size_t i = 4; i-- > 0;) address = address << 8 | reply[4 + i];
    ++address;
    for (std::size_t i = 0; i < 4; ++i) reply[4 + i] = static_cast<uint8_t>(address >> (8 * i));
    ResealCheckByte(reply);
  }
  if (Has(kinds, FaultKind::EchoCount) && HasBlockHeader(shape) && reply.size() >= 10) {
    const auto count = static_cast<uint16_t>((reply[8] | reply[9] << 8) + 1);
    reply[8] = static_cast<uint8_t>(count & 0xFF);
    reply[9] = static_cast<uint8_t>(count >> 8);
    ResealCheckByte(reply);
  }
  if (Has(kinds, FaultKind::Corrupt) && shape == ReplyShape::BlockData && reply.size() > 11) {
    reply[10] = static_cast<uint8_t>(reply[10] ^ 0x01);
    ResealCheckByte(reply);
  }
  if (Has(kinds, FaultKind::BadCheck) && !reply.empty()) reply.back() = static_cast<uint8_t>(reply.back() ^ 0xFF);
  if (Has(kinds, FaultKind::Short)) reply.resize(reply.size() / 2);
  if (Has(kinds, FaultKind::NoReply)) reply.clear();
}

}  // namespace vkm::sim
