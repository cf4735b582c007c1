#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace vkm {

// The serial line as the exchange needs it. The line settings are fixed
// (19200 baud, 8 data bits, no parity, one stop bit, no flow control) and
// DTR and RTS are raised after every opening. A port object belongs to the
// thread that uses it.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  virtual bool Open(const QString& name) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Discards what waits in both directions.
  virtual bool Clear() = 0;
  // Sends all bytes within 4 ms a byte plus 200 ms; false on failure.
  virtual bool Write(const uint8_t* data, int size) = 0;
  // Receives up to `size` bytes: it stops 500 ms after the last byte (or
  // the start) and at the latest after 3 ms a byte plus 100 ms. Returns the
  // count received, or -1 when the serial layer fails.
  virtual int Read(uint8_t* data, int size) = 0;
};

// The serial port implementation of this platform.
std::unique_ptr<SerialPort> MakeSerialPort();

// The names of the serial ports present, as the platform names them.
QStringList AvailablePortNames();

}  // namespace vkm
