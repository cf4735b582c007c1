#pragma once

// What the device actions ask of the program that runs them: the window
// and the command-line tool each implement this once.

#include <QString>

#include "link/Identity.h"
#include "link/OperationReport.h"

class QThread;

namespace vkm {

// The status lines of the window: the controller panel's `ActionName` (with
// `ProgressBar1`), the system parameters' `LabelSysParMsg` (with
// `ProgressBarSysPar`), and the hidden `TMPLabel`.
enum class StatusTarget { ActionName, LabelSysParMsg, TMPLabel };

class DeviceFrontEnd {
 public:
  virtual ~DeviceFrontEnd() = default;

  virtual QString PortName() const = 0;
  // Where an operation shows its texts and progress; used from the worker's
  // thread.
  virtual OperationReport& Report(StatusTarget target) = 0;
  // Blocks until the worker has ended, keeping the front end responsive.
  virtual void WaitFor(QThread& worker) = 0;

  virtual void StopMonitor() = 0;
  virtual void StartMonitor() = 0;
  // Shows the controller section, which holds `ActionName` and the progress
  // bar; leaving the previous section stores its panel.
  virtual void SelectControllerSection() = 0;
  virtual void LockActions() = 0;
  virtual void UnlockActions() = 0;
  // The selected section's panel into the document, and back.
  virtual void StorePanel() = 0;
  virtual void RefillPanel() = 0;
  virtual void ShowIdentity(const IdentityTexts& identity) = 0;
  // `CheckBoxClearSaveArea`: program the cleared mode memory after the image.
  virtual bool ClearModeMemory() const = 0;
  // Status bar panel 0.
  virtual void ShowConfigurationFileName(const QString& name) = 0;
  // After a restart command: a 3000 ms delay, then StartMonitor and
  // UnlockActions.
  virtual void StartRestartDelay() = 0;
  // The countdown that guards a factory reset; true when it ran to its end.
  virtual bool RunFactoryResetCountdown() = 0;
  virtual void CopyToClipboard(const QString& text) = 0;
  // `BitBtnProgSysPar` becomes usable after the block has been read once.
  virtual void EnableSystemParameterProgramming() = 0;
};

}  // namespace vkm
