#pragma once

// The four request and reply exchanges with the controller, after the mode
// switch. Each returns true on success; on failure it has shown one red
// text through the report.

#include <QString>
#include <cstdint>
#include <vector>

#include "link/OperationReport.h"
#include "link/SerialPort.h"

namespace vkm {

class Exchange {
 public:
  Exchange(SerialPort& port, const QString& portName, OperationReport& report)
      : port_(port), portName_(portName), report_(report) {}

  bool SwitchToBinary();
  bool RequestRecord(uint8_t command, uint8_t* destination, int size);
  bool SendCommand(uint8_t command, const uint8_t* payload, int length);
  bool WriteArea(int areaId, uint32_t baseAddress, const uint8_t* source, int size);
  bool ReadArea(int areaId, uint32_t baseAddress, uint8_t* destination, int size);

 private:
  // Sends the request up to three times until a reply of the expected size
  // comes; returns the count of the last reply, or -1 on a port failure.
  int Transact(const std::vector<uint8_t>& request, uint8_t* reply, int expected);
  // Takes up a byte that may follow the mode switch.
  bool DiscardOneByte();
  bool ReplyCheckByteMatches(const uint8_t* reply, int size);
  void Fail(const QString& text);
  void FailPort();

  SerialPort& port_;
  QString portName_;
  OperationReport& report_;
};

}  // namespace vkm
