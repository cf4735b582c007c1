#include "link/OperationWorker.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "link/Exchange.h"
#include "link/Protocol.h"
#include "link/StatusTexts.h"

namespace vkm {
namespace {

struct ShortKind {
  OperationKind kind;
  uint8_t command;
  bool request;  // a record request; otherwise a command with a payload
  StatusText success;
};

constexpr ShortKind kShortKinds[] = {
    {OperationKind::ReadIdentity, kCommandIdentity, true, kVersionRead},
    {OperationKind::ReadState, kCommandState, true, kDataRead},
    {OperationKind::SendData, kCommandSetData, false, kDataSent},
    {OperationKind::ReadKeyReader, kCommandKeyReader, true, kDataRead},
    {OperationKind::ApplyConfiguration, kCommandApplyConfiguration, false, kDataSent},
    {OperationKind::Restart, kCommandRestart, false, kRestartStarted},
    {OperationKind::SendPassword, kCommandPassword, false, kDataSent},
    {OperationKind::ControlCommand, kCommandControl, false, kDataSent},
    {OperationKind::ReadGps, kCommandGps, true, kDataRead},
};

}  // namespace

TReadData::TReadData(const Operation& operation, QString portName, OperationReport& report,
                     SerialPortFactory makePort)
    : operation_(operation), portName_(std::move(portName)), report_(report), makePort_(std::move(makePort)) {}

TReadData::~TReadData() { wait(); }

void TReadData::run() {
  std::unique_ptr<SerialPort> port = makePort_();
  bool done = false;
  if (!port->Open(portName_) || !port->IsOpen()) {
    report_.ShowStatus(StatusTextOf(kCannotOpenPort) + portName_, TextColour::Red);
  } else {
    done = Execute(*port);
  }
  port->Close();
  // Publishes the caller's buffer along with the result.
  result_.store(done ? 0 : 1, std::memory_order_release);
}

bool TReadData::Execute(SerialPort& port) {
  Exchange exchange(port, portName_, report_);
  const Operation& op = operation_;
  std::vector<uint8_t> scratch(static_cast<std::size_t>(std::max(op.size, 0)));
  const auto show = [&](StatusText text, TextColour colour) { report_.ShowStatus(StatusTextOf(text), colour); };

  switch (op.kind) {
    case OperationKind::ReadArea:
      show(kIdentifying, TextColour::Black);
      show(kReading, TextColour::Black);
      if (!exchange.SwitchToBinary() || !exchange.ReadArea(op.areaId, op.baseAddress, scratch.data(), op.size)) {
        return false;
      }
      std::copy(scratch.begin(), scratch.end(), op.data);
      show(kDataRead, TextColour::Blue);
      return true;

    case OperationKind::ProgramArea:
      show(kIdentifying, TextColour::Black);
      show(kWriting, TextColour::Black);
      if (!exchange.SwitchToBinary() || !exchange.WriteArea(op.areaId, op.baseAddress, op.data, op.size)) return false;
      show(kReading, TextColour::Black);
      if (!exchange.ReadArea(op.areaId, op.baseAddress, scratch.data(), op.size)) return false;
      if (!std::equal(scratch.begin(), scratch.end(), op.data)) {
        show(kVerifyMismatch, TextColour::Red);
        return false;
      }
      show(kProgrammed, TextColour::Blue);
      return true;

    case OperationKind::CompareArea:
      show(kIdentifying, TextColour::Black);
      show(kReading, TextColour::Black);
      if (!exchange.SwitchToBinary() || !exchange.ReadArea(op.areaId, op.baseAddress, scratch.data(), op.size)) {
        return false;
      }
      if (!std::equal(scratch.begin(), scratch.end(), op.data)) {
        show(kCompareDifferent, TextColour::Red);
        return false;
      }
      show(kCompareEqual, TextColour::Blue);
      return true;

    default:
      break;
  }

  const auto* shortKind = std::find_if(std::begin(kShortKinds), std::end(kShortKinds),
                                       [&](const ShortKind& k) { return k.kind == op.kind; });
  if (shortKind == std::end(kShortKinds)) return false;  // an unknown kind does nothing
  if (!exchange.SwitchToBinary()) return false;
  show(kIdentifying, TextColour::Black);
  const bool done = shortKind->request ? exchange.RequestRecord(shortKind->command, op.data, op.size)
                                       : exchange.SendCommand(shortKind->command, op.data, op.size);
  if (done) show(shortKind->success, TextColour::Blue);
  return done;
}

}  // namespace vkm
