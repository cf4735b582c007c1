#include "link/QtSerialPort.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QThread>
#include <algorithm>

#include "link/LineDrain.h"

namespace vkm {
namespace {

constexpr int kBaudRate = 19200;
constexpr int kBitsPerByte = 10;  // start, 8 data, stop
constexpr qint64 kInterByteTimeoutMs = 500;
constexpr qint64 kReadMsPerByte = 3;
constexpr qint64 kReadExtraMs = 100;
constexpr qint64 kWriteMsPerByte = 4;
constexpr qint64 kWriteExtraMs = 200;

}  // namespace

bool QtSerialPort::Open(const QString& name) {
  // A bare name is a device of the platform (ttyUSB0, COM3); a name with a
  // directory is a path, which Qt takes as such only when it is absolute.
  const bool relativePath = name.contains('/') && QFileInfo(name).isRelative();
  port_.setPortName(relativePath ? QFileInfo(name).absoluteFilePath() : name);
  port_.setBaudRate(kBaudRate);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!port_.open(QIODevice::ReadWrite)) return false;
  // Lines a pseudo-terminal does not have are not an error.
  port_.setDataTerminalReady(true);
  port_.setRequestToSend(true);
  port_.clearError();
  return true;
}

void QtSerialPort::Close() {
  if (port_.isOpen()) port_.close();
}

bool QtSerialPort::IsOpen() const { return port_.isOpen(); }

bool QtSerialPort::Clear() { return port_.clear(QSerialPort::AllDirections); }

bool QtSerialPort::Write(const uint8_t* data, int size) {
  QElapsedTimer elapsed;
  elapsed.start();
  if (port_.write(reinterpret_cast<const char*>(data), size) != size) return false;
  const qint64 limit = kWriteMsPerByte * size + kWriteExtraMs;
  while (port_.bytesToWrite() > 0) {
    const qint64 left = limit - elapsed.elapsed();
    if (left <= 0 || !port_.waitForBytesWritten(static_cast<int>(left))) return false;
  }
  // The read time-outs that follow count from the end of the request on the
  // line, so the write lasts until the bytes have gone out: a real line
  // drains at the baud rate, and a pseudo-terminal is given the same time.
  DrainSerialLine(port_.handle());
  const qint64 lineTimeUs = qint64{size} * kBitsPerByte * 1000000 / kBaudRate;
  const qint64 leftUs = lineTimeUs - elapsed.nsecsElapsed() / 1000;
  if (leftUs > 0) QThread::usleep(static_cast<unsigned long>(leftUs));
  return true;
}

int QtSerialPort::Read(uint8_t* data, int size) {
  QElapsedTimer total;
  total.start();
  QElapsedTimer sinceLastByte;
  sinceLastByte.start();
  const qint64 totalLimit = kReadMsPerByte * size + kReadExtraMs;
  int received = 0;
  while (received < size) {
    if (port_.bytesAvailable() > 0) {
      const qint64 count = port_.read(reinterpret_cast<char*>(data) + received, size - received);
      if (count < 0) return -1;
      received += static_cast<int>(count);
      sinceLastByte.restart();
      continue;
    }
    const qint64 wait =
        std::min(totalLimit - total.elapsed(), kInterByteTimeoutMs - sinceLastByte.elapsed());
    if (wait <= 0) break;
    if (!port_.waitForReadyRead(static_cast<int>(wait))) {
      if (port_.error() != QSerialPort::TimeoutError) return -1;
      port_.clearError();
    }
  }
  return received;
}

std::unique_ptr<SerialPort> MakeSerialPort() { return std::make_unique<QtSerialPort>(); }

QStringList AvailablePortNames() {
  QStringList names;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) names << info.portName();
  return names;
}

}  // namespace vkm
