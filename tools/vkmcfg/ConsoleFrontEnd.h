#pragma once

// The device actions' front end on a console: status texts go to standard
// output as "<colour> <text>" lines, a progress bar to a terminal's
// standard error, and the factory reset countdown runs on the console.

#include <QString>
#include <atomic>
#include <mutex>
#include <ostream>
#include <vector>

#include "link/DeviceFrontEnd.h"
#include "model/PanelSet.h"

namespace vkm {

// One status line of the window, printed instead of shown.
class ConsoleReport : public OperationReport {
 public:
  ConsoleReport(std::ostream& out, std::mutex& outputLock, bool visible, bool progressBar)
      : out_(out), outputLock_(outputLock), visible_(visible), progressBar_(progressBar) {}

  void ShowStatus(const QString& text, TextColour colour) override;
  void ReplaceText(const QString& text) override;
  void SetProgressMaximum(int maximum) override;
  void SetProgress(int position) override;

 private:
  void Print(const QString& text);

  std::ostream& out_;
  std::mutex& outputLock_;
  bool visible_;
  bool progressBar_;
  TextColour colour_ = TextColour::Black;
  int maximum_ = 0;
};

struct ConsoleOptions {
  QString port;
  bool clearModeMemory = false;
  int countdownSeconds = 1800;
};

class ConsoleFrontEnd : public DeviceFrontEnd {
 public:
  ConsoleFrontEnd(ConsoleOptions options, ConfigurationDocument& document, std::ostream& out, std::ostream& err);

  // The section whose panel model stands for the window's visible panel.
  void SelectSection(int node) { node_ = node; }
  PanelSet& Panels() { return panels_; }
  const IdentityTexts& ShownIdentity() const { return identity_; }

  QString PortName() const override { return options_.port; }
  OperationReport& Report(StatusTarget target) override;
  void WaitFor(QThread& worker) override;
  void StopMonitor() override {}
  void StartMonitor() override {}
  void SelectControllerSection() override;
  void LockActions() override {}
  void UnlockActions() override {}
  void StorePanel() override;
  void RefillPanel() override;
  void ShowIdentity(const IdentityTexts& identity) override { identity_ = identity; }
  bool ClearModeMemory() const override { return options_.clearModeMemory; }
  void ShowConfigurationFileName(const QString&) override {}
  void StartRestartDelay() override;
  bool RunFactoryResetCountdown() override;
  void CopyToClipboard(const QString& text) override;
  void EnableSystemParameterProgramming() override {}

 private:
  ConsoleOptions options_;
  ConfigurationDocument& document_;
  std::ostream& out_;
  std::ostream& err_;
  std::mutex outputLock_;
  ConsoleReport actionName_;
  ConsoleReport sysParMessage_;
  ConsoleReport hidden_;
  PanelSet panels_;
  int node_ = 0;
  IdentityTexts identity_;
};

// Set by Ctrl+C while a countdown runs.
extern std::atomic<bool> gInterrupted;

}  // namespace vkm
