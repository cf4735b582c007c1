#pragma once

// The device actions: each a fixed sequence of operations in the same
// frame (stop the monitor, show the controller section, lock, identify,
// give the password, transfer, unlock and start the monitor). Written once
// here; the window and the command-line tool supply a DeviceFrontEnd.
// Each action returns true when it ended on its success path.

#include <array>
#include <cstdint>

#include "link/DeviceFrontEnd.h"
#include "link/OperationWorker.h"
#include "model/ConfigurationDocument.h"

namespace vkm {

constexpr int kPasswordPayloadSize = 9;
using PasswordPayload = std::array<uint8_t, kPasswordPayloadSize>;

// The administrative password as command 17 carries it: the text of image
// bytes 132..140 up to its first zero byte, zero-padded to nine bytes.
PasswordPayload PasswordPayloadOf(const ConfigurationImage& image);

enum class IdentifyOutcome { Supported, NotIdentified, DeviceNotSupported, VersionNotSupported };

enum class ReadOutcome {
  Read,            // the controller's configuration is in the document
  InvalidReplaced, // the controller held no valid configuration: the document has the factory one
  Failed,          // nothing was read; the document is unchanged
};

class DeviceActions {
 public:
  DeviceActions(ConfigurationDocument& document, DeviceFrontEnd& frontEnd)
      : document_(document), frontEnd_(frontEnd) {}

  // Runs one operation in a worker and waits for it; 0 on success.
  int Run(const Operation& operation, StatusTarget target);
  IdentifyOutcome IdentifyController(StatusTarget target);
  bool SendPassword(const PasswordPayload& payload, StatusTarget target);

  ReadOutcome ReadConf();
  bool Programm();
  bool CompareConf();
  bool Reconfigurate();
  bool Reset();
  bool FactoryConfig();
  bool ReadIMEICode();
  bool ReadSystemParameters();
  bool ProgramSystemParameters();

  // The identity the last identification showed.
  const IdentityTexts& Identity() const { return identity_; }

 private:
  // Stop the monitor, show the controller section, lock, identify.
  bool Opening();
  void Closing();
  // The password of the image, on `ActionName`; a refusal ends the action.
  bool SendImagePassword();
  // Identifies on `status`; an unsupported device is told on `deviceMessage`.
  IdentifyOutcome Identify(StatusTarget status, StatusTarget deviceMessage);
  // The identification of the system-parameter buttons: an unsupported
  // device is told on `ActionName`, which also unlocks the actions.
  bool IdentifyForSystemParameters();
  void ShowIdentityOf(const IdentityRecord& record);
  int ProgramArea(int areaId, uint8_t* data, int size, StatusTarget target);
  int SendSingleZero(OperationKind kind, StatusTarget target);
  void ProgramClearedModeMemory();

  ConfigurationDocument& document_;
  DeviceFrontEnd& frontEnd_;
  IdentityTexts identity_;
};

}  // namespace vkm
