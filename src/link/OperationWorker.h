#pragma once

// One device operation in a thread of its own: open the port, switch the
// controller to binary mode, run the operation's exchange (two for
// programming with verification), report, close the port.

#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "link/OperationReport.h"
#include "link/SerialPort.h"

namespace vkm {

enum class OperationKind : int {
  ReadArea = 0,
  ProgramArea = 1,  // write, read back and compare
  CompareArea = 2,
  ReadIdentity = 3,
  ReadState = 4,
  SendData = 5,
  ReadKeyReader = 6,
  ApplyConfiguration = 7,
  Restart = 8,
  SendPassword = 9,
  ControlCommand = 10,
  ReadGps = 11,
};

struct Operation {
  OperationKind kind = OperationKind::ReadIdentity;
  int areaId = 0;          // area operations only
  uint8_t* data = nullptr;  // source, destination or reference; not owned
  int size = 0;
  uint32_t baseAddress = 0;
};

using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;

class TReadData : public QThread {
 public:
  // The report is used from the worker's thread and must outlive it.
  TReadData(const Operation& operation, QString portName, OperationReport& report,
            SerialPortFactory makePort = MakeSerialPort);
  ~TReadData() override;

  // 0 when the operation succeeded, 1 otherwise; valid once the thread ended.
  int Result() const { return result_.load(std::memory_order_acquire); }

 protected:
  void run() override;

 private:
  bool Execute(SerialPort& port);

  Operation operation_;
  QString portName_;
  OperationReport& report_;
  SerialPortFactory makePort_;
  std::atomic<int> result_{1};
};

}  // namespace vkm
