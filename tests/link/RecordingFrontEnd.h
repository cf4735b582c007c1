#pragma once

// Front-end doubles for device tests: a report that records what an
// operation shows, and a front end that records what a device action asks
// of the window. The serial link under them is the real one.

#include <gtest/gtest.h>

#include <QString>
#include <QThread>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "link/DeviceFrontEnd.h"
#include "link/OperationWorker.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace vkm::test {

struct ShownText {
  QString text;
  TextColour colour = TextColour::Black;
  bool operator==(const ShownText&) const = default;
};

inline void PrintTo(const ShownText& shown, std::ostream* out) {
  static const char* const kColours[] = {"black", "blue", "red"};
  *out << kColours[static_cast<int>(shown.colour)] << " \"" << shown.text.toStdString() << '"';
}

inline ShownText Black(const char* text) { return {QString::fromUtf8(text), TextColour::Black}; }
inline ShownText Blue(const char* text) { return {QString::fromUtf8(text), TextColour::Blue}; }
inline ShownText Red(const char* text) { return {QString::fromUtf8(text), TextColour::Red}; }
inline ShownText Red(const QString& text) { return {text, TextColour::Red}; }

// Used from the worker's thread while the test thread waits or reads.
class RecordingReport : public OperationReport {
 public:
  void ShowStatus(const QString& text, TextColour colour) override {
    std::lock_guard<std::mutex> lock(mutex_);
    colour_ = colour;
    texts_.push_back({text, colour});
  }
  // A label keeps its colour when only its text changes.
  void ReplaceText(const QString& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.push_back({text, colour_});
  }
  void SetProgressMaximum(int maximum) override {
    std::lock_guard<std::mutex> lock(mutex_);
    maxima_.push_back(maximum);
  }
  void SetProgress(int position) override {
    std::lock_guard<std::mutex> lock(mutex_);
    positions_.push_back(position);
  }

  std::vector<ShownText> Texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }
  ShownText Last() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_.empty() ? ShownText{} : texts_.back();
  }
  std::vector<int> Positions() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return positions_;
  }
  std::vector<int> Maxima() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return maxima_;
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.clear();
    positions_.clear();
    maxima_.clear();
  }

 private:
  mutable std::mutex mutex_;
  TextColour colour_ = TextColour::Black;
  std::vector<ShownText> texts_;
  std::vector<int> positions_;
  std::vector<int> maxima_;
};

// The progress positions of one transfer of `size` bytes in blocks of 256.
inline std::vector<int> BlockPositions(int size) {
  std::vector<int> positions = {0};
  for (int offset = 256; offset < size; offset += 256) positions.push_back(offset);
  positions.push_back(size);
  return positions;
}

// Records every call a device action makes, in order, as text such as
// "StopMonitor" or "CopyToClipboard(IMEI: ...)".
class RecordingFrontEnd : public DeviceFrontEnd {
 public:
  explicit RecordingFrontEnd(const std::string& portName) : port(QString::fromStdString(portName)) {}

  QString PortName() const override { return port; }
  OperationReport& Report(StatusTarget target) override {
    switch (target) {
      case StatusTarget::ActionName:
        return actionName;
      case StatusTarget::LabelSysParMsg:
        return sysParMsg;
      case StatusTarget::TMPLabel:
        return tmpLabel;
    }
    return tmpLabel;
  }
  void WaitFor(QThread& worker) override { worker.wait(); }

  void StopMonitor() override { calls.push_back("StopMonitor"); }
  void StartMonitor() override { calls.push_back("StartMonitor"); }
  void SelectControllerSection() override { calls.push_back("SelectControllerSection"); }
  void LockActions() override { calls.push_back("LockActions"); }
  void UnlockActions() override { calls.push_back("UnlockActions"); }
  void StorePanel() override { calls.push_back("StorePanel"); }
  void RefillPanel() override { calls.push_back("RefillPanel"); }
  void ShowIdentity(const IdentityTexts& identity) override {
    shownIdentity = identity;
    calls.push_back("ShowIdentity(" + identity.iDeviceNameLabel.toStdString() + ")");
  }
  bool ClearModeMemory() const override { return clearModeMemory; }
  void ShowConfigurationFileName(const QString& name) override {
    calls.push_back("ShowConfigurationFileName(" + name.toStdString() + ")");
  }
  void StartRestartDelay() override { calls.push_back("StartRestartDelay"); }
  bool RunFactoryResetCountdown() override {
    calls.push_back("RunFactoryResetCountdown");
    return countdown ? countdown() : false;
  }
  void CopyToClipboard(const QString& text) override { calls.push_back("CopyToClipboard(" + text.toStdString() + ")"); }
  void EnableSystemParameterProgramming() override { calls.push_back("EnableSystemParameterProgramming"); }

  QString port;
  RecordingReport actionName;
  RecordingReport sysParMsg;
  RecordingReport tmpLabel;
  std::vector<std::string> calls;
  bool clearModeMemory = false;
  std::function<bool()> countdown;  // what the countdown does; none: cancelled
  IdentityTexts shownIdentity;
};

// One operation in its own worker, run to its end; the result code.
inline int RunWorker(const Operation& operation, const std::string& port, OperationReport& report) {
  TReadData worker(operation, QString::fromStdString(port), report);
  worker.start();
  worker.wait();
  return worker.Result();
}

// What a memory area of the controller holds, read through a worker; empty
// when the read failed.
inline std::vector<uint8_t> ReadBack(const std::string& port, int areaId, int size) {
  std::vector<uint8_t> data(static_cast<std::size_t>(size));
  RecordingReport report;
  if (RunWorker({OperationKind::ReadArea, areaId, data.data(), size}, port, report) != 0) {
    ADD_FAILURE() << "reading area " << areaId << " back failed: " << report.Last().text.toStdString();
    return {};
  }
  return data;
}

template <class Bytes>
std::vector<uint8_t> AsVector(const Bytes& bytes) {
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace vkm::test
