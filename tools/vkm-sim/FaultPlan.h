#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vkm::sim {

enum class FaultKind {
  NoReply,      // the request is lost: not carried out, no reply
  Short,        // the reply is cut to half its length
  BadCheck,     // the reply's last byte is wrong
  EchoCommand,  // the reply's command byte is one higher
  EchoAddress,  // a block reply's address is one higher
  EchoCount,    // a block reply's count is one higher
  Flash,        // refused with result code 1, not carried out
  Password,     // refused with result code 2, not carried out
  Refuse,       // refused with result code 3, not carried out
  Corrupt,      // a block read returns its first data byte changed, in a valid frame
};

// Which request frames a fault hits.
struct FaultWhen {
  enum class Kind { EveryFrame, FrameNumber, Command, CommandOccurrence };
  Kind kind = Kind::EveryFrame;
  uint64_t number = 0;  // frame number, or the occurrence of the command (both from 1)
  uint8_t command = 0;

  bool operator==(const FaultWhen&) const = default;
};

struct Fault {
  FaultKind what = FaultKind::NoReply;
  FaultWhen when;

  bool operator==(const Fault&) const = default;
};

// A fault as --fault takes it: WHAT or WHAT@WHEN, WHEN = N, cmd:C or cmd:C:K. On failure returns
// nothing and puts the reason into `error`.
std::optional<Fault> ParseFault(std::string_view text, std::string& error);
std::string Describe(const Fault& fault);
std::string_view FaultName(FaultKind kind);

// What the reply to a frame looks like, so that faults touch only the fields
// the reply has.
enum class ReplyShape {
  Record,     // start, command, length, record, check
  Result,     // start, command, length 1, result code, check
  BlockAck,   // start, command, length 8, address, count, result, 0, check
  BlockData,  // start, command, length n+6, address, count, n data bytes, check
};

class FaultPlan {
 public:
  void Add(const Fault& fault) { faults_.push_back(fault); }
  bool Empty() const { return faults_.empty(); }
  const std::vector<Fault>& Faults() const { return faults_; }
  std::string Describe() const;

  // The faults hitting frame number `frameNumber` (from 1), which is the
  // `occurrence`-th frame (from 1) with command code `command`, in plan order.
  std::vector<FaultKind> Select(uint64_t frameNumber, uint8_t command, uint64_t occurrence) const;

 private:
  std::vector<Fault> faults_;
};

// The result code a refusing fault imposes, the last one in `kinds` winning.
std::optional<uint8_t> ImposedResultCode(const std::vector<FaultKind>& kinds);
bool LosesRequest(const std::vector<FaultKind>& kinds);

// Spoils a finished reply frame by the faults that touch its shape; the
// echo faults keep the check byte right so that only the echo is wrong.
void SpoilReply(std::vector<uint8_t>& reply, ReplyShape shape, const std::vector<FaultKind>& kinds);

}  // namespace vkm::sim
