#include "ConnectionWatch.h"

#include <thread>

#include "ConsoleFrontEnd.h"
#include "link/Identity.h"
#include "link/OperationWorker.h"

namespace vkm {
namespace {

// The watch's operations show nothing.
class SilentReport : public OperationReport {
 public:
  void ShowStatus(const QString&, TextColour) override {}
  void ReplaceText(const QString&) override {}
  void SetProgressMaximum(int) override {}
  void SetProgress(int) override {}
};

}  // namespace

void ConnectionWatch::run() {
  SilentReport report;
  while (!isInterruptionRequested()) {
    IdentityRecord record{};
    TReadData worker({OperationKind::ReadIdentity, 0, record.data(), kIdentitySize}, portName_, report);
    worker.start();
    worker.wait();
    state_ = worker.Result() == 0 ? kConnected : kLost;
  }
}

void ConnectionWatch::Stop() {
  requestInterruption();
  wait();
}

bool ConnectionWatch::SleepWhileConnected(std::chrono::milliseconds duration) {
  constexpr auto kStep = std::chrono::milliseconds(50);
  for (auto slept = std::chrono::milliseconds(0); slept < duration; slept += kStep) {
    if (state_ == kLost || gInterrupted) return false;
    std::this_thread::sleep_for(kStep);
  }
  return state_ != kLost && !gInterrupted;
}

}  // namespace vkm
