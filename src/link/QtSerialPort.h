#pragma once

#include <QSerialPort>

#include "link/SerialPort.h"

namespace vkm {

class QtSerialPort : public SerialPort {
 public:
  bool Open(const QString& name) override;
  void Close() override;
  bool IsOpen() const override;
  bool Clear() override;
  bool Write(const uint8_t* data, int size) override;
  int Read(uint8_t* data, int size) override;

 private:
  QSerialPort port_;
};

}  // namespace vkm
