#include "link/DeviceActions.h"

#include <algorithm>

#include "files/ConfigurationFile.h"
#include "link/Protocol.h"

namespace vkm {
namespace {

constexpr int kPasswordChars = 8;

QString InvalidConfigurationMessage() {
  return QString::fromUtf8(
      "Контроллер не содержит достоверную конфигурацию.\n"
      "Настройте параметры как необходимо и запрограммируйте конфигурацию.");
}

}  // namespace

PasswordPayload PasswordPayloadOf(const ConfigurationImage& image) {
  PasswordPayload payload{};
  const auto* field = image.data() + kAdminPasswordOffset;
  const auto* end = std::find(field, field + kPasswordChars, uint8_t{0});
  std::copy(field, end, payload.begin());
  return payload;
}

int DeviceActions::Run(const Operation& operation, StatusTarget target) {
  TReadData worker(operation, frontEnd_.PortName(), frontEnd_.Report(target));
  worker.start(QThread::NormalPriority);
  frontEnd_.WaitFor(worker);
  return worker.Result();
}

void DeviceActions::ShowIdentityOf(const IdentityRecord& record) {
  identity_ = IdentityTextsOf(record);
  frontEnd_.ShowIdentity(identity_);
}

IdentifyOutcome DeviceActions::IdentifyController(StatusTarget target) { return Identify(target, target); }

IdentifyOutcome DeviceActions::Identify(StatusTarget status, StatusTarget deviceMessage) {
  IdentityRecord record{};
  if (Run({OperationKind::ReadIdentity, 0, record.data(), kIdentitySize}, status) != 0) {
    ShowIdentityOf(PlaceholderIdentity());
    return IdentifyOutcome::NotIdentified;
  }
  ShowIdentityOf(record);
  // The messages replace the text only: the colour stays as the
  // identification left it.
  if (!IsDeviceSupported(identity_)) {
    frontEnd_.Report(deviceMessage).ReplaceText("Устройство " + identity_.iDeviceNameLabel + " не поддерживается");
    return IdentifyOutcome::DeviceNotSupported;
  }
  if (!IsVersionSupported(identity_)) {
    frontEnd_.Report(status).ReplaceText("Версия " + identity_.VersionText() + " не поддерживается");
    return IdentifyOutcome::VersionNotSupported;
  }
  return IdentifyOutcome::Supported;
}

bool DeviceActions::SendPassword(const PasswordPayload& payload, StatusTarget target) {
  PasswordPayload copy = payload;
  return Run({OperationKind::SendPassword, 0, copy.data(), kPasswordPayloadSize}, target) == 0;
}

int DeviceActions::ProgramArea(int areaId, uint8_t* data, int size, StatusTarget target) {
  return Run({OperationKind::ProgramArea, areaId, data, size}, target);
}

int DeviceActions::SendSingleZero(OperationKind kind, StatusTarget target) {
  uint8_t zero = 0;
  return Run({kind, 0, &zero, 1}, target);
}

void DeviceActions::ProgramClearedModeMemory() {
  document_.ResetPostProgramBlock();
  ProgramArea(kAreaPostProgram, document_.postProgramBlock.data(), kPostProgramBlockSize, StatusTarget::ActionName);
}

bool DeviceActions::Opening() {
  frontEnd_.StopMonitor();
  frontEnd_.SelectControllerSection();
  frontEnd_.LockActions();
  if (IdentifyController(StatusTarget::ActionName) == IdentifyOutcome::Supported) return true;
  Closing();
  return false;
}

bool DeviceActions::SendImagePassword() {
  if (SendPassword(PasswordPayloadOf(document_.image), StatusTarget::ActionName)) return true;
  Closing();
  return false;
}

void DeviceActions::Closing() {
  frontEnd_.UnlockActions();
  frontEnd_.StartMonitor();
}

ReadOutcome DeviceActions::ReadConf() {
  if (!Opening()) return ReadOutcome::Failed;
  if (!SendImagePassword()) return ReadOutcome::Failed;
  frontEnd_.StorePanel();
  // A failed read leaves the image as it was.
  const int read = Run({OperationKind::ReadArea, kAreaConfiguration, document_.image.data(), kImageSize},
                       StatusTarget::ActionName);
  ReadOutcome outcome = read == 0 ? ReadOutcome::Read : ReadOutcome::Failed;
  if (!document_.IsValidImage()) {
    document_.ResetImage();
    frontEnd_.ShowConfigurationFileName(kDefaultConfigurationFile);
    frontEnd_.Report(StatusTarget::ActionName).ShowStatus(InvalidConfigurationMessage(), TextColour::Red);
    if (read == 0) outcome = ReadOutcome::InvalidReplaced;
  }
  frontEnd_.RefillPanel();
  frontEnd_.StartMonitor();
  frontEnd_.UnlockActions();
  return outcome;
}

bool DeviceActions::Programm() {
  if (!Opening()) return false;
  frontEnd_.StorePanel();
  frontEnd_.RefillPanel();
  if (!SendImagePassword()) return false;
  int result = ProgramArea(kAreaConfiguration, document_.image.data(), kImageSize, StatusTarget::ActionName);
  if (result == 0 && frontEnd_.ClearModeMemory()) {
    document_.ResetPostProgramBlock();
    result = ProgramArea(kAreaPostProgram, document_.postProgramBlock.data(), kPostProgramBlockSize,
                         StatusTarget::ActionName);
  }
  if (result != 0) {
    Closing();
    return false;
  }
  SendSingleZero(OperationKind::Restart, StatusTarget::ActionName);
  ShowIdentityOf(PlaceholderIdentity());  // the controller is restarting
  frontEnd_.StartRestartDelay();
  return true;
}

bool DeviceActions::CompareConf() {
  if (!Opening()) return false;
  frontEnd_.StorePanel();
  frontEnd_.RefillPanel();
  const int result = Run({OperationKind::CompareArea, kAreaConfiguration, document_.image.data(), kImageSize},
                         StatusTarget::ActionName);
  frontEnd_.StartMonitor();
  frontEnd_.UnlockActions();
  return result == 0;
}

bool DeviceActions::Reconfigurate() {
  if (!Opening()) return false;
  frontEnd_.StorePanel();
  frontEnd_.RefillPanel();
  if (!SendImagePassword()) return false;
  const int result = ProgramArea(kAreaConfiguration, document_.image.data(), kImageSize, StatusTarget::ActionName);
  if (result == 0 && frontEnd_.ClearModeMemory()) ProgramClearedModeMemory();
  // The controller takes into use whatever it has accepted.
  SendSingleZero(OperationKind::ApplyConfiguration, StatusTarget::TMPLabel);
  frontEnd_.StartMonitor();
  frontEnd_.UnlockActions();
  return result == 0;
}

bool DeviceActions::Reset() {
  if (!Opening()) return false;
  if (!SendImagePassword()) return false;
  const int result = SendSingleZero(OperationKind::Restart, StatusTarget::ActionName);
  ShowIdentityOf(PlaceholderIdentity());
  frontEnd_.StartRestartDelay();
  return result == 0;
}

bool DeviceActions::FactoryConfig() {
  if (!Opening()) return false;
  if (!SendPassword(PasswordPayload{}, StatusTarget::ActionName)) {
    // The controller clears its password itself after staying connected
    // through the countdown.
    frontEnd_.StartMonitor();
    if (!frontEnd_.RunFactoryResetCountdown()) {
      frontEnd_.UnlockActions();
      return false;
    }
    frontEnd_.StopMonitor();
  }
  document_.ResetImage();
  frontEnd_.RefillPanel();
  const int result = ProgramArea(kAreaConfiguration, document_.image.data(), kImageSize, StatusTarget::ActionName);
  if (result == 0) {
    ProgramClearedModeMemory();
    SendSingleZero(OperationKind::ApplyConfiguration, StatusTarget::TMPLabel);
  }
  frontEnd_.StartMonitor();
  frontEnd_.UnlockActions();
  return result == 0;
}

bool DeviceActions::ReadIMEICode() {
  if (!Opening()) return false;
  if (!SendImagePassword()) return false;
  frontEnd_.CopyToClipboard("IMEI: " + identity_.iGSMIMEILabel);
  frontEnd_.StartMonitor();
  frontEnd_.UnlockActions();
  return true;
}

bool DeviceActions::IdentifyForSystemParameters() {
  const IdentifyOutcome outcome = Identify(StatusTarget::LabelSysParMsg, StatusTarget::ActionName);
  if (outcome == IdentifyOutcome::DeviceNotSupported) frontEnd_.UnlockActions();
  return outcome == IdentifyOutcome::Supported;
}

bool DeviceActions::ReadSystemParameters() {
  frontEnd_.StopMonitor();
  bool read = false;
  if (IdentifyForSystemParameters() &&
      SendPassword(PasswordPayloadOf(document_.image), StatusTarget::LabelSysParMsg)) {
    frontEnd_.StorePanel();
    read = Run({OperationKind::ReadArea, kAreaSystemParameters, document_.systemParameters.data(),
                kSystemParameterBlockSize},
               StatusTarget::LabelSysParMsg) == 0;
    if (read) frontEnd_.EnableSystemParameterProgramming();
    frontEnd_.RefillPanel();
  }
  frontEnd_.StartMonitor();
  return read;
}

bool DeviceActions::ProgramSystemParameters() {
  frontEnd_.StopMonitor();
  bool programmed = false;
  if (IdentifyForSystemParameters()) {
    frontEnd_.StorePanel();
    frontEnd_.RefillPanel();
    if (SendPassword(PasswordPayloadOf(document_.image), StatusTarget::LabelSysParMsg)) {
      programmed = ProgramArea(kAreaSystemParameters, document_.systemParameters.data(), kSystemParameterBlockSize,
                               StatusTarget::LabelSysParMsg) == 0;
    }
  }
  frontEnd_.StartMonitor();
  return programmed;
}

}  // namespace vkm
