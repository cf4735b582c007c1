#pragma once

// Keeps identifying the controller, as the window's live monitor does, so
// that the factory reset countdown on the console can tell when the
// controller stops answering (and the controller sees itself polled).

#include <QString>
#include <QThread>
#include <atomic>
#include <chrono>

namespace vkm {

class ConnectionWatch : public QThread {
 public:
  explicit ConnectionWatch(QString portName) : portName_(std::move(portName)) {}
  ~ConnectionWatch() override { Stop(); }

  void Stop();
  // Waits for the duration; returns false early when the last
  // identification failed (or Ctrl+C was pressed).
  bool SleepWhileConnected(std::chrono::milliseconds duration);

 protected:
  void run() override;

 private:
  enum State { kUnknown, kConnected, kLost };
  QString portName_;
  std::atomic<int> state_{kUnknown};
};

}  // namespace vkm
