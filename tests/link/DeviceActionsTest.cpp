// The device actions against the simulator with a front end that records
// what they ask of the window: the order of the frame steps, the texts, what
// reaches the controller's memory and what comes back into the document.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "RecordingFrontEnd.h"
#include "SimulatorFixture.h"
#include "StatusTextLiterals.h"
#include "link/DeviceActions.h"
#include "model/FactoryImage.h"

namespace vkm::test {
namespace {

constexpr char kPassword[] = "pw123456";

using Texts = std::vector<ShownText>;
using Calls = std::vector<std::string>;
using Commands = std::vector<int>;

const Calls kOpening = {"StopMonitor", "SelectControllerSection", "LockActions", "ShowIdentity(VKM410)"};
const Texts kIdentified = {Black(kIdentifying), Blue(kVersionRead)};

Calls Then(Calls calls, const Calls& more) {
  calls.insert(calls.end(), more.begin(), more.end());
  return calls;
}

Texts Then(Texts texts, const Texts& more) {
  texts.insert(texts.end(), more.begin(), more.end());
  return texts;
}

Commands Then(Commands commands, const Commands& more) {
  commands.insert(commands.end(), more.begin(), more.end());
  return commands;
}

// The request frames of the whole image programmed with verification.
Commands ImageProgramming() {
  Commands commands(14, 6);
  commands.insert(commands.end(), 14, 7);
  return commands;
}

std::vector<uint8_t> FactoryPostProgramBlock() { return AsVector(kFactoryPostProgramBlock); }

class DeviceActionsTest : public SimulatorTest {
 protected:
  bool Start(const std::vector<std::string>& args) {
    sim = StartSimulator(args);
    if (sim == nullptr) return false;
    port = sim->Port();
    frontEnd = std::make_unique<RecordingFrontEnd>(port);
    actions = std::make_unique<DeviceActions>(document, *frontEnd);
    return true;
  }

  // The frames the controller has seen since the last call.
  Commands NewCommands() {
    const Commands all = sim->Commands();
    const Commands fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }

  void Forget() {
    frontEnd->calls.clear();
    frontEnd->actionName.Clear();
    frontEnd->sysParMsg.Clear();
    frontEnd->tmpLabel.Clear();
    NewCommands();
  }

  SimulatorProcess* sim = nullptr;
  std::string port;
  ConfigurationDocument document;
  std::unique_ptr<RecordingFrontEnd> frontEnd;
  std::unique_ptr<DeviceActions> actions;

 private:
  std::size_t seen_ = 0;
};

TEST_F(DeviceActionsTest, IdentifyingASupportedControllerAndThenNone) {
  ASSERT_TRUE(Start({"--imei", "123456789012345"}));
  EXPECT_EQ(actions->IdentifyController(StatusTarget::ActionName), IdentifyOutcome::Supported);
  EXPECT_EQ(frontEnd->actionName.Texts(), kIdentified);
  EXPECT_EQ(frontEnd->shownIdentity.VersionText(), "G.01.00");
  EXPECT_EQ(frontEnd->shownIdentity.iGSMIMEILabel, "123456789012345");
  EXPECT_EQ(actions->Identity().iDeviceNameLabel, "VKM410");

  // No controller on the port: the placeholder replaces every label.
  Forget();
  frontEnd->port = QString::fromStdString(Path("no-such-port").string());
  EXPECT_EQ(actions->IdentifyController(StatusTarget::ActionName), IdentifyOutcome::NotIdentified);
  EXPECT_EQ(frontEnd->actionName.Texts(), Texts{Red("Невозможно открыть " + frontEnd->port)});
  EXPECT_EQ(frontEnd->calls, Calls{"ShowIdentity(--------)"});
  EXPECT_EQ(frontEnd->shownIdentity.VersionText(), "--------.--.--");
  EXPECT_EQ(frontEnd->shownIdentity.iGSMIMEILabel, "---------------");
  EXPECT_EQ(frontEnd->shownIdentity.iHardVerLabel, "--.--");
}

TEST_F(DeviceActionsTest, AnUnsupportedDeviceIsToldAndNotTouched) {
  ASSERT_TRUE(Start({"--device-name", "VKM999"}));
  EXPECT_EQ(actions->IdentifyController(StatusTarget::ActionName), IdentifyOutcome::DeviceNotSupported);
  EXPECT_EQ(frontEnd->actionName.Texts(), Then(kIdentified, {Blue("Устройство VKM999 не поддерживается")}));

  // The system parameter buttons tell it on the controller panel's label,
  // which unlocks the actions.
  Forget();
  EXPECT_FALSE(actions->ReadSystemParameters());
  EXPECT_EQ(frontEnd->sysParMsg.Texts(), kIdentified);
  EXPECT_EQ(frontEnd->actionName.Last().text, "Устройство VKM999 не поддерживается");
  EXPECT_EQ(frontEnd->calls, (Calls{"StopMonitor", "ShowIdentity(VKM999)", "UnlockActions", "StartMonitor"}));
  EXPECT_EQ(NewCommands(), Commands{5});
}

TEST_F(DeviceActionsTest, AnUnsupportedVersionIsToldKeepingTheBlueOfTheIdentification) {
  ASSERT_TRUE(Start({"--firmware", "0101"}));
  EXPECT_EQ(actions->IdentifyController(StatusTarget::ActionName), IdentifyOutcome::VersionNotSupported);
  EXPECT_EQ(frontEnd->actionName.Texts(), Then(kIdentified, {Blue("Версия G.01.01 не поддерживается")}));

  Forget();
  EXPECT_EQ(actions->ReadConf(), ReadOutcome::Failed);
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"UnlockActions", "StartMonitor"}));
  EXPECT_EQ(NewCommands(), Commands{5}) << "nothing but the identification";

  Forget();
  EXPECT_FALSE(actions->ProgramSystemParameters());
  EXPECT_EQ(frontEnd->sysParMsg.Texts(), Then(kIdentified, {Blue("Версия G.01.01 не поддерживается")}));
  EXPECT_EQ(frontEnd->calls, (Calls{"StopMonitor", "ShowIdentity(VKM410)", "StartMonitor"}));
  EXPECT_EQ(NewCommands(), Commands{5});
}

TEST_F(DeviceActionsTest, ReadConfTakesTheControllersImage) {
  ASSERT_TRUE(Start({"--image", ImageFile("marked.cnt", MarkedImage())}));
  EXPECT_EQ(actions->ReadConf(), ReadOutcome::Read);
  EXPECT_EQ(document.image, MarkedImage());
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StorePanel", "RefillPanel", "StartMonitor", "UnlockActions"}));
  EXPECT_EQ(frontEnd->actionName.Texts(), Then(kIdentified, {Black(kIdentifying), Blue(kDataSent), Black(kIdentifying),
                                                             Black(kReading), Blue(kDataRead)}));
  EXPECT_EQ(frontEnd->actionName.Positions(), BlockPositions(3520));
  EXPECT_EQ(NewCommands(), Then({5, 17}, Commands(14, 7)));
}

TEST_F(DeviceActionsTest, ReadConfGivesThePasswordOfTheDocument) {
  const ConfigurationImage protectedImage = WithPassword(MarkedImage(), kPassword);
  ASSERT_TRUE(Start({"--image", ImageFile("protected.cnt", protectedImage)}));

  EXPECT_EQ(actions->ReadConf(), ReadOutcome::Failed);
  EXPECT_EQ(frontEnd->actionName.Last(), Red(kPasswordNeeded));
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"UnlockActions", "StartMonitor"}));
  EXPECT_EQ(document.image, FactoryImage());
  EXPECT_EQ(NewCommands(), (Commands{5, 17}));

  Forget();
  PutPassword(document.image, kPassword);
  EXPECT_EQ(actions->ReadConf(), ReadOutcome::Read);
  EXPECT_EQ(document.image, protectedImage);
  EXPECT_EQ(frontEnd->actionName.Last(), Blue(kDataRead));
}

TEST_F(DeviceActionsTest, ReadConfReplacesAnInvalidImageWithTheFactoryOne) {
  ASSERT_TRUE(Start({"--image", ImageFile("invalid.cnt", InvalidImage())}));
  document.image = MarkedImage();
  EXPECT_EQ(actions->ReadConf(), ReadOutcome::InvalidReplaced);
  EXPECT_EQ(document.image, FactoryImage());
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StorePanel", "ShowConfigurationFileName(default.cnt)", "RefillPanel",
                                             "StartMonitor", "UnlockActions"}));
  const Texts texts = frontEnd->actionName.Texts();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2], Blue(kDataRead));
  EXPECT_EQ(texts.back(), Red("Контроллер не содержит достоверную конфигурацию.\n"
                              "Настройте параметры как необходимо и запрограммируйте конфигурацию."));
}

TEST_F(DeviceActionsTest, ReadConfKeepsTheImageWhenTheReadFails) {
  ASSERT_TRUE(Start({"--image", ImageFile("marked.cnt", MarkedImage()), "--fault", "badcheck@cmd:7:3"}));
  EXPECT_EQ(actions->ReadConf(), ReadOutcome::Failed);
  EXPECT_EQ(document.image, FactoryImage());
  EXPECT_EQ(frontEnd->actionName.Last(), Red("Ошибка передачи данных, код 2"));
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StorePanel", "RefillPanel", "StartMonitor", "UnlockActions"}));
}

TEST_F(DeviceActionsTest, ProgrammWritesTheImageThenTheModeMemoryWhenAskedAndRestarts) {
  ASSERT_TRUE(Start({}));
  document.image = MarkedImage();
  EXPECT_TRUE(actions->Programm());
  // The window starts the monitor and unlocks only after the restart delay.
  EXPECT_EQ(frontEnd->calls,
            Then(kOpening, {"StorePanel", "RefillPanel", "ShowIdentity(--------)", "StartRestartDelay"}));
  EXPECT_EQ(frontEnd->actionName.Texts(),
            Then(kIdentified, {Black(kIdentifying), Blue(kDataSent), Black(kIdentifying), Black(kWriting),
                               Black(kReading), Blue(kProgrammed), Black(kIdentifying), Blue(kRestarting)}));
  EXPECT_EQ(NewCommands(), Then(Then({5, 17}, ImageProgramming()), {16}));
  EXPECT_EQ(ReadBack(port, 1, 3520), AsVector(MarkedImage()));
  EXPECT_EQ(ReadBack(port, 4, 10), std::vector<uint8_t>(10, 0)) << "the mode memory is left alone";

  Forget();
  frontEnd->clearModeMemory = true;
  EXPECT_TRUE(actions->Programm());
  EXPECT_EQ(NewCommands(), Then(Then({5, 17}, ImageProgramming()), {8, 9, 16}));
  EXPECT_EQ(ReadBack(port, 4, 10), FactoryPostProgramBlock());
  EXPECT_EQ(frontEnd->calls.back(), "StartRestartDelay");
}

TEST_F(DeviceActionsTest, ProgrammStopsWhenTheVerificationFails) {
  ASSERT_TRUE(Start({"--fault", "corrupt@cmd:7"}));
  document.image = MarkedImage();
  frontEnd->clearModeMemory = true;
  EXPECT_FALSE(actions->Programm());
  EXPECT_EQ(frontEnd->actionName.Last(), Red(kMismatch));
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StorePanel", "RefillPanel", "UnlockActions", "StartMonitor"}));
  EXPECT_EQ(NewCommands(), Then({5, 17}, ImageProgramming())) << "neither the mode memory nor the restart";
}

TEST_F(DeviceActionsTest, CompareConfWorksOnAControllerThatRefusesEveryPassword) {
  ASSERT_TRUE(Start({"--image", ImageFile("marked.cnt", MarkedImage()), "--fault", "password@cmd:17"}));
  document.image = MarkedImage();
  EXPECT_TRUE(actions->CompareConf());
  EXPECT_EQ(frontEnd->actionName.Texts(), Then(kIdentified, {Black(kIdentifying), Black(kReading), Blue(kEqual)}));
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StorePanel", "RefillPanel", "StartMonitor", "UnlockActions"}));
  EXPECT_EQ(NewCommands(), Then({5}, Commands(14, 7)));

  Forget();
  document.image = FactoryImage();
  EXPECT_FALSE(actions->CompareConf());
  EXPECT_EQ(frontEnd->actionName.Last(), Red(kDifferent));

  Forget();
  EXPECT_EQ(actions->ReadConf(), ReadOutcome::Failed);
  EXPECT_EQ(frontEnd->actionName.Last(), Red(kPasswordNeeded));
}

TEST_F(DeviceActionsTest, ReconfigurateProgramsAndAppliesWithoutRestart) {
  ASSERT_TRUE(Start({}));
  document.image = MarkedImage();
  frontEnd->clearModeMemory = true;
  EXPECT_TRUE(actions->Reconfigurate());
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StorePanel", "RefillPanel", "StartMonitor", "UnlockActions"}));
  EXPECT_EQ(frontEnd->actionName.Last(), Blue(kProgrammed));
  EXPECT_EQ(frontEnd->tmpLabel.Texts(), (Texts{Black(kIdentifying), Blue(kDataSent)}));
  EXPECT_EQ(NewCommands(), Then(Then({5, 17}, ImageProgramming()), {8, 9, 15}));
  EXPECT_EQ(ReadBack(port, 1, 3520), AsVector(MarkedImage()));
  EXPECT_EQ(ReadBack(port, 4, 10), FactoryPostProgramBlock());
}

TEST_F(DeviceActionsTest, ReconfigurateAppliesEvenWhenTheProgrammingFails) {
  ASSERT_TRUE(Start({"--fault", "flash@cmd:6:2"}));
  frontEnd->clearModeMemory = true;
  EXPECT_FALSE(actions->Reconfigurate());
  EXPECT_EQ(frontEnd->actionName.Last(), Red(kFlash));
  EXPECT_EQ(NewCommands(), (Commands{5, 17, 6, 6, 15}));
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StorePanel", "RefillPanel", "StartMonitor", "UnlockActions"}));
}

TEST_F(DeviceActionsTest, ResetRestartsOnlyWithThePassword) {
  ASSERT_TRUE(Start({"--image", ImageFile("protected.cnt", WithPassword(FactoryImage(), kPassword))}));
  EXPECT_FALSE(actions->Reset());
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"UnlockActions", "StartMonitor"}));
  EXPECT_EQ(NewCommands(), (Commands{5, 17}));

  Forget();
  PutPassword(document.image, kPassword);
  EXPECT_TRUE(actions->Reset());
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"ShowIdentity(--------)", "StartRestartDelay"}));
  EXPECT_EQ(frontEnd->actionName.Texts(),
            Then(kIdentified, {Black(kIdentifying), Blue(kDataSent), Black(kIdentifying), Blue(kRestarting)}));
  EXPECT_EQ(NewCommands(), (Commands{5, 17, 16}));
  EXPECT_NE(sim->Log().find("restart: done"), std::string::npos);
}

TEST_F(DeviceActionsTest, FactoryConfigOnAControllerWithoutPasswordNeedsNoCountdown) {
  ASSERT_TRUE(Start({"--image", ImageFile("marked.cnt", MarkedImage())}));
  document.image = MarkedImage();
  EXPECT_TRUE(actions->FactoryConfig());
  EXPECT_EQ(document.image, FactoryImage());
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"RefillPanel", "StartMonitor", "UnlockActions"}));
  EXPECT_EQ(frontEnd->actionName.Last(), Blue(kProgrammed));
  EXPECT_EQ(frontEnd->tmpLabel.Texts(), (Texts{Black(kIdentifying), Blue(kDataSent)}));
  EXPECT_EQ(NewCommands(), Then(Then({5, 17}, ImageProgramming()), {8, 9, 15}));
  EXPECT_NE(sim->Log().find("password (none set): done"), std::string::npos) << "the empty password";
  EXPECT_EQ(ReadBack(port, 1, 3520), AsVector(FactoryImage()));
  EXPECT_EQ(ReadBack(port, 4, 10), FactoryPostProgramBlock());
}

TEST_F(DeviceActionsTest, FactoryConfigWaitsOutTheCountdownOnAProtectedController) {
  ASSERT_TRUE(
      Start({"--image", ImageFile("protected.cnt", WithPassword(MarkedImage(), kPassword)), "--reset-delay", "1"}));
  // As the live monitor does during the countdown: keep identifying the
  // controller until it has cleared its password.
  int identifications = 0;
  frontEnd->countdown = [&] {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (sim->Log().find("administrative password cleared") == std::string::npos &&
           std::chrono::steady_clock::now() < giveUp) {
      IdentityRecord record{};
      RecordingReport hidden;
      if (RunWorker({OperationKind::ReadIdentity, 0, record.data(), kIdentitySize}, port, hidden) == 0) {
        ++identifications;
      }
    }
    return true;
  };
  EXPECT_TRUE(actions->FactoryConfig());
  EXPECT_GT(identifications, 0);
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StartMonitor", "RunFactoryResetCountdown", "StopMonitor", "RefillPanel",
                                             "StartMonitor", "UnlockActions"}));
  const Texts texts = frontEnd->actionName.Texts();
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[3], Red(kPasswordNeeded));
  EXPECT_EQ(texts.back(), Blue(kProgrammed));
  EXPECT_EQ(document.image, FactoryImage());
  EXPECT_EQ(ReadBack(port, 1, 3520), AsVector(FactoryImage()));
  EXPECT_EQ(ReadBack(port, 4, 10), FactoryPostProgramBlock());
}

TEST_F(DeviceActionsTest, FactoryConfigCancelledInTheCountdownProgramsNothing) {
  ASSERT_TRUE(Start({"--image", ImageFile("protected.cnt", WithPassword(MarkedImage(), kPassword))}));
  document.image = MarkedImage();
  EXPECT_FALSE(actions->FactoryConfig());
  // The monitor started for the countdown keeps running.
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"StartMonitor", "RunFactoryResetCountdown", "UnlockActions"}));
  EXPECT_EQ(document.image, MarkedImage());
  EXPECT_EQ(NewCommands(), (Commands{5, 17}));
}

TEST_F(DeviceActionsTest, SystemParametersAreProgrammedAndReadBack) {
  ASSERT_TRUE(Start({}));
  const SystemParameterBlock parameters = {0xE8, 0x03, 0xFE, 0xFF, 0x00, 0x01, 0x01, 0x00, 1,  2,  3,  4,
                                           5,    6,    7,    8,    9,    10,   11,   12,   13, 14, 15, 16};
  document.systemParameters = parameters;
  EXPECT_TRUE(actions->ProgramSystemParameters());
  EXPECT_EQ(frontEnd->calls,
            (Calls{"StopMonitor", "ShowIdentity(VKM410)", "StorePanel", "RefillPanel", "StartMonitor"}));
  EXPECT_EQ(frontEnd->sysParMsg.Texts(), Then(kIdentified, {Black(kIdentifying), Blue(kDataSent), Black(kIdentifying),
                                                            Black(kWriting), Black(kReading), Blue(kProgrammed)}));
  EXPECT_TRUE(frontEnd->actionName.Texts().empty());
  EXPECT_EQ(NewCommands(), (Commands{5, 17, 18, 19}));
  EXPECT_EQ(ReadBack(port, 5, 24), AsVector(parameters));

  Forget();
  document.ResetSystemParameters();
  EXPECT_TRUE(actions->ReadSystemParameters());
  EXPECT_EQ(document.systemParameters, parameters);
  EXPECT_EQ(frontEnd->calls, (Calls{"StopMonitor", "ShowIdentity(VKM410)", "StorePanel",
                                    "EnableSystemParameterProgramming", "RefillPanel", "StartMonitor"}));
  EXPECT_EQ(frontEnd->sysParMsg.Last(), Blue(kDataRead));
  EXPECT_EQ(frontEnd->sysParMsg.Positions(), (std::vector<int>{0, 24}));
}

TEST_F(DeviceActionsTest, ReadIMEICodeCopiesTheIdentifiedImeiOnceThePasswordIsAccepted) {
  ASSERT_TRUE(Start(
      {"--image", ImageFile("protected.cnt", WithPassword(FactoryImage(), kPassword)), "--imei", "861234567890123"}));
  EXPECT_FALSE(actions->ReadIMEICode());
  EXPECT_EQ(frontEnd->calls, Then(kOpening, {"UnlockActions", "StartMonitor"}));

  Forget();
  PutPassword(document.image, kPassword);
  EXPECT_TRUE(actions->ReadIMEICode());
  EXPECT_EQ(frontEnd->calls,
            Then(kOpening, {"CopyToClipboard(IMEI: 861234567890123)", "StartMonitor", "UnlockActions"}));
}

}  // namespace
}  // namespace vkm::test
